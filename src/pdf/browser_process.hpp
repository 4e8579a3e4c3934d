// A browser running as a child process, its DevTools pipe on descriptors 3 (it reads) and 4
// (it writes), each message ended by a NUL byte. It runs in a process group of its own, so
// that it and its helpers can be ended together, and is never waited for beyond a deadline.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::pdf {

class BrowserProcess {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts `program` with `args`; its standard input and output are /dev/null, its standard
  // error is kept (the tail of it). `timeout` is how long each step may take, for messages.
  // Throws BrowserFailed when it cannot be started.
  BrowserProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                 std::chrono::seconds timeout);
  // Ends the browser and its helpers if they still run.
  ~BrowserProcess();
  BrowserProcess(const BrowserProcess&) = delete;
  BrowserProcess& operator=(const BrowserProcess&) = delete;

  // Throw BrowserFailed when the browser has ended, or does not take the message or give the
  // next one by the deadline; `what` says what it was doing ("printing report.html").
  void send(std::string_view message, Clock::time_point deadline, const std::string& what);
  std::string receive(Clock::time_point deadline, const std::string& what);

  // Lets the browser end by the deadline, then ends it.
  void finish(Clock::time_point deadline);

  // The last lines the browser wrote on its standard error.
  std::string stderr_tail() const;

  // Ends the browser and throws BrowserFailed with `why` and the tail of its standard error.
  [[noreturn]] void fail(const std::string& why);

 private:
  bool wait_for(int fd, short events, Clock::time_point deadline);
  void read_stderr();
  bool reap(bool block);
  void end_group();

  std::chrono::seconds timeout_;
  pid_t pid_ = -1;
  int commands_ = -1, replies_ = -1, errors_ = -1;
  int exit_status_ = -1;     // once reaped: the wait status
  std::string pending_;      // bytes of replies not yet handed out
  std::size_t scanned_ = 0;  // of them, those known to hold no NUL
  std::string tail_;         // the end of the browser's standard error
};

}  // namespace vorn::pdf
