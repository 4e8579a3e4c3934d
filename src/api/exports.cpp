// The four exported C functions. Nothing thrown inside reaches the caller.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "core/log_line.hpp"
#include "core/sink.hpp"
#include "run/directory_files.hpp"
#include "run/run_sequence.hpp"
#include "vorn/vorn.h"

namespace {

// Standard output and error are text streams: the Windows C runtime turns "\n" into "\r\n"
// itself, so a line goes out ending in "\n" alone (written as is, "\r\n" would become "\r\r\n").
class StreamSink : public vorn::Sink {
 public:
  explicit StreamSink(std::FILE* stream) : stream_(stream) {}
  void write(std::string_view bytes) override {
    const bool line =
        bytes.size() >= vorn::kPlatformLineEnd.size() &&
        bytes.substr(bytes.size() - vorn::kPlatformLineEnd.size()) == vorn::kPlatformLineEnd;
    if (line) bytes.remove_suffix(vorn::kPlatformLineEnd.size());
    std::fwrite(bytes.data(), 1, bytes.size(), stream_);
    if (line) std::fputc('\n', stream_);
    std::fflush(stream_);
  }

 private:
  std::FILE* stream_;
};

// One run in the current directory; the process ends on a stop or fatal error.
// Returns the outcome only when it completed or the input is missing.
vorn::Outcome legacy_run() {
  StreamSink out(stdout), err(stderr);
  vorn::DirectoryFiles files("", out, err);
  vorn::Outcome outcome = vorn::execute_run(files);
  if (outcome.status == vorn::Status::stopped ||
      outcome.status == vorn::Status::fatal_input_error) {
    std::fflush(nullptr);
    std::exit(outcome.exit_status());
  }
  return outcome;
}

[[noreturn]] void internal_failure(const char* what) {
  std::fprintf(stderr, "vorn: internal error: %s\n", what);
  std::fflush(nullptr);
  std::exit(3);
}

}  // namespace

extern "C" {

void runvorn(void) {
  try {
    vorn::Outcome outcome = legacy_run();
    if (outcome.status == vorn::Status::input_missing) {
      std::fprintf(stderr, "%s\n", outcome.message[0].c_str());
      std::fflush(nullptr);
      std::exit(1);
    }
  } catch (const std::exception& e) {
    internal_failure(e.what());
  } catch (...) {
    internal_failure("unknown exception");
  }
}

int32_t ierr_runvorn(void) {
  try {
    std::string status(100, ' ');
    vorn::Outcome outcome = legacy_run();
    if (outcome.status == vorn::Status::input_missing) {
      status.replace(0, 24, "VORN.IN CANNOT BE OPENED");
      StreamSink out(stdout);
      vorn::write_line(out, (vorn::LogLine() << status).text());
      return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    internal_failure(e.what());
  } catch (...) {
    internal_failure("unknown exception");
  }
}

void callarytest(const double* values, const int32_t* n) {
  try {
    StreamSink out(stdout);
    const int32_t count = *n;
    vorn::write_line(
        out, (vorn::LogLine() << static_cast<int32_t>(static_cast<uint32_t>(count) * 9u)).text());
    vorn::LogLine line;
    line << "total";
    for (int32_t k = 0; k < count; ++k) line << values[k];
    vorn::write_line(out, line.text());
  } catch (...) {
    // Output failures have nowhere to go.
  }
}

int32_t int_multiply(const int32_t* a, const int32_t* b) {
  return static_cast<int32_t>(static_cast<uint32_t>(*a) * static_cast<uint32_t>(*b));
}

}  // extern "C"
