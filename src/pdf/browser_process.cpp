#include "browser_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "pdf/browser_settings.hpp"
#include "pdf/print_error.hpp"

extern char** environ;

namespace vorn::pdf {
namespace {

constexpr std::size_t kTailBytes = 4096;
constexpr std::size_t kTailLines = 12;
// Descriptors the child's ends are moved to, out of the way of 0 to 4.
constexpr int kFirstFreeDescriptor = 10;

std::string errno_text(int e) {
  return std::strerror(e);
}

void close_descriptor(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// `fd` moved to kFirstFreeDescriptor or above, closed on exec unless dup2'ed.
int moved_up(int fd) {
  const int high = ::fcntl(fd, F_DUPFD_CLOEXEC, kFirstFreeDescriptor);
  ::close(fd);
  return high;
}

void set_nonblocking(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

std::string wait_status_text(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

// The descriptors of one spawn, closed on the way out unless released.
struct Descriptors {
  int ours_commands = -1, theirs_commands = -1, ours_replies = -1, theirs_replies = -1,
      ours_errors = -1, theirs_errors = -1;
  ~Descriptors() {
    for (int* fd : {&ours_commands, &theirs_commands, &ours_replies, &theirs_replies, &ours_errors,
                    &theirs_errors})
      close_descriptor(*fd);
  }
};

}  // namespace

BrowserProcess::BrowserProcess(const std::filesystem::path& program,
                               const std::vector<std::string>& args, std::chrono::seconds timeout)
    : timeout_(timeout) {
  Descriptors d;
  // Sockets rather than pipes: a write to a browser that has gone fails with EPIPE
  // (MSG_NOSIGNAL) instead of ending vorn with SIGPIPE.
  int commands[2], replies[2], errors[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, commands) != 0)
    throw BrowserFailed("cannot start the browser: " + errno_text(errno));
  d.ours_commands = commands[0];
  d.theirs_commands = moved_up(commands[1]);
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, replies) != 0)
    throw BrowserFailed("cannot start the browser: " + errno_text(errno));
  d.ours_replies = replies[0];
  d.theirs_replies = moved_up(replies[1]);
  if (::pipe2(errors, O_CLOEXEC) != 0)
    throw BrowserFailed("cannot start the browser: " + errno_text(errno));
  d.ours_errors = errors[0];
  d.theirs_errors = moved_up(errors[1]);
  if (d.theirs_commands < 0 || d.theirs_replies < 0 || d.theirs_errors < 0)
    throw BrowserFailed("cannot start the browser: " + errno_text(errno));
  for (const int fd : {d.ours_commands, d.ours_replies, d.ours_errors}) set_nonblocking(fd);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawnattr_init(&attributes);
  ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, d.theirs_errors, 2);
  ::posix_spawn_file_actions_adddup2(&actions, d.theirs_commands, 3);
  ::posix_spawn_file_actions_adddup2(&actions, d.theirs_replies, 4);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  ::posix_spawnattr_setflags(
      &attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  ::posix_spawnattr_setpgroup(&attributes, 0);
  ::posix_spawnattr_setsigmask(&attributes, &none);
  ::posix_spawnattr_setsigdefault(&attributes, &all);

  std::vector<std::string> words{program.string()};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const int spawned =
      ::posix_spawn(&pid_, program.c_str(), &actions, &attributes, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::posix_spawnattr_destroy(&attributes);
  if (spawned != 0) {
    pid_ = -1;
    throw BrowserFailed("cannot start " + program.string() + ": " + errno_text(spawned));
  }
  commands_ = std::exchange(d.ours_commands, -1);
  replies_ = std::exchange(d.ours_replies, -1);
  errors_ = std::exchange(d.ours_errors, -1);
}

BrowserProcess::~BrowserProcess() {
  end_group();
  close_descriptor(commands_);
  close_descriptor(replies_);
  close_descriptor(errors_);
}

void BrowserProcess::fail(const std::string& why) {
  end_group();
  read_stderr();
  const std::string tail = stderr_tail();
  throw BrowserFailed(why + (tail.empty() ? "" : "; the end of its standard error:\n" + tail));
}

bool BrowserProcess::wait_for(int fd, short events, Clock::time_point deadline) {
  while (true) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd fds[2] = {{fd, events, 0}, {errors_, POLLIN, 0}};
    const int n =
        ::poll(fds, errors_ >= 0 ? 2 : 1, static_cast<int>(std::min<long long>(left, 1000)));
    if (n < 0 && errno != EINTR) fail("cannot wait for the browser: " + errno_text(errno));
    if (n <= 0) continue;
    if (errors_ >= 0 && fds[1].revents != 0) read_stderr();
    if (fds[0].revents != 0) return true;
  }
}

void BrowserProcess::send(std::string_view message, Clock::time_point deadline,
                          const std::string& what) {
  std::string bytes(message);
  bytes += '\0';
  for (std::size_t sent = 0; sent < bytes.size();) {
    if (!wait_for(commands_, POLLOUT, deadline))
      fail("the browser did not take a request within " + std::to_string(timeout_.count()) +
           " s while " + what + " (" + kTimeoutVariable + " sets the seconds)");
    const ssize_t n =
        ::send(commands_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      if (errno != EPIPE && errno != ECONNRESET)
        fail("cannot write to the browser while " + what + ": " + errno_text(errno));
      reap(false);
      fail("the browser ended while " + what +
           (exit_status_ >= 0 ? " (" + wait_status_text(exit_status_) + ")" : ""));
    }
  }
}

std::string BrowserProcess::receive(Clock::time_point deadline, const std::string& what) {
  while (true) {
    const std::size_t nul = pending_.find('\0', scanned_);
    if (nul != std::string::npos) {
      std::string message = pending_.substr(0, nul);
      pending_.erase(0, nul + 1);
      scanned_ = 0;
      return message;
    }
    scanned_ = pending_.size();
    if (!wait_for(replies_, POLLIN, deadline))
      fail("the browser did not answer within " + std::to_string(timeout_.count()) + " s while " +
           what + " (" + kTimeoutVariable + " sets the seconds)");
    char buffer[65536];
    const ssize_t n = ::recv(replies_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
      pending_.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
      // It closed its end: give it a moment to exit, for its status.
      const auto until = Clock::now() + std::chrono::seconds(2);
      while (!reap(false) && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      fail("the browser ended while " + what +
           (exit_status_ >= 0 ? " (" + wait_status_text(exit_status_) + ")" : ""));
    }
  }
}

void BrowserProcess::finish(Clock::time_point deadline) {
  while (!reap(false) && Clock::now() < deadline) {
    read_stderr();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  end_group();
}

bool BrowserProcess::reap(bool block) {
  if (pid_ < 0 || exit_status_ >= 0) return true;
  int status = 0;
  pid_t r;
  do {
    r = ::waitpid(pid_, &status, block ? 0 : WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == pid_) exit_status_ = status;
  return r == pid_ || r < 0;
}

void BrowserProcess::end_group() {
  if (pid_ < 0) return;
  // Its helpers share its process group; they end with it.
  ::kill(-pid_, SIGKILL);
  reap(true);
  pid_ = -1;
}

void BrowserProcess::read_stderr() {
  while (errors_ >= 0) {
    char buffer[4096];
    const ssize_t n = ::read(errors_, buffer, sizeof buffer);
    if (n > 0) {
      tail_.append(buffer, static_cast<std::size_t>(n));
      if (tail_.size() > kTailBytes) tail_.erase(0, tail_.size() - kTailBytes);
    } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
      close_descriptor(errors_);
    } else {
      return;
    }
  }
}

std::string BrowserProcess::stderr_tail() const {
  std::string_view text = tail_;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  std::size_t start = text.size();
  for (std::size_t lines = 0; lines < kTailLines && start > 0; ++lines) {
    const std::size_t nl = text.rfind('\n', start - 1);
    if (nl == std::string_view::npos) {
      start = 0;
      break;
    }
    start = nl;
  }
  if (start < text.size() && text[start] == '\n') ++start;
  return std::string(text.substr(start));
}

}  // namespace vorn::pdf
