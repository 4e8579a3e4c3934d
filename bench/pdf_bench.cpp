// Printing a ten-chemical report (examples/landfill) to PDF; the target is 5 s for the first.
//
//   Program  vorn DIR --pdf FILE, wall-clock time: the run, its page, a browser started with
//            a fresh profile, the page loaded and printed, the browser closed.
//   Page     one more page in a browser already running: what each stream of a batch adds.
//
// Both need Chromium (scripts/install-deps browser); without it they report an error. The
// machine is shared: the fastest repetition is the figure to compare.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "pdf/print_session.hpp"
#include "repeated_runs.hpp"
#include "vorn/results_html.hpp"
#include "vorn/run.hpp"

namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(__FILE__).parent_path().parent_path() / "examples" / "landfill";

// A copy of the example, made once and kept for the process.
struct Scratch {
  fs::path root;
  Scratch() {
    root = fs::temp_directory_path() / ("vorn-pdf-bench-" + std::to_string(getpid()));
    fs::create_directories(root / "lf");
    fs::copy_file(kExample / "VORN.IN", root / "lf" / "VORN.IN",
                  fs::copy_options::overwrite_existing);
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

const Scratch& scratch() {
  static const Scratch s;
  return s;
}

void Program(benchmark::State& state) {
  const std::string dir = (scratch().root / "lf").string();
  const std::string pdf = (scratch().root / "lf.pdf").string();
  const char* argv[] = {VORN_CLI, dir.c_str(), "--pdf", pdf.c_str(), nullptr};
  for (auto _ : state) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, VORN_CLI, &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError("vorn --pdf failed: is Chromium installed?");
      return;
    }
  }
}
BENCHMARK(Program)->Apply([](benchmark::internal::Benchmark* b) {
  vorn::bench::repeated_runs(b, 7);
});

void Page(benchmark::State& state) {
  const vorn::Outcome outcome = vorn::run(scratch().root / "lf");
  const std::string html = vorn::html_page(outcome, {"2023-11-14", "lf", std::nullopt});
  std::unique_ptr<vorn::pdf::PrintSession> session;
  try {
    session = std::make_unique<vorn::pdf::PrintSession>(
        vorn::pdf::settings_from_environment(vorn::pdf::Paper::a4));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(session->print({{}, html, {}}));
}
BENCHMARK(Page)->Apply([](benchmark::internal::Benchmark* b) { vorn::bench::repeated_runs(b, 7); });

}  // namespace
