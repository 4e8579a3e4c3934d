// vorn batch on copies of examples/landfill, the directories prepared once in setup.
//
//   Batch/S/T  the program on S streams with T threads, wall-clock time; counters: the
//              program's CPU time (ms, user + system) and peak resident memory (kB).
//              Compare T = 1 and T = 2 for the CPU time (no work added by the threads),
//              S = 100 and S = 1000 for memory that stays flat.
//   Speedup/S  the speed-up of 2 threads over 1 on S streams: the two runs alternate, each
//              pair gives a ratio of wall-clock times and the counter is their median, so
//              that a machine whose speed drifts (other guests on the host) weighs on both.
//
// The machine is shared: the minimum over the repetitions is the run least disturbed
// by other work, and the figure to compare. The streams go under TMPDIR; on a tmpfs
// (TMPDIR=/dev/shm) other programs' disk writes stay out of the figures.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "repeated_runs.hpp"

namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(__FILE__).parent_path().parent_path() / "examples" / "landfill";

// S stream directories and their manifest, made on first use and kept for the process.
struct Streams {
  fs::path root;
  fs::path manifest;
  explicit Streams(int count) {
    root = fs::temp_directory_path() /
           ("vorn-batch-bench-" + std::to_string(getpid()) + "-" + std::to_string(count));
    fs::create_directories(root);
    std::ofstream list(root / "streams.csv", std::ios::binary);
    list << "path,label\r\n";
    for (int k = 0; k < count; ++k) {
      const std::string name = "s" + std::to_string(k);
      fs::create_directory(root / name);
      fs::copy_file(kExample / "VORN.IN", root / name / "VORN.IN");
      list << name << ",stream " << k << "\r\n";
    }
    manifest = root / "streams.csv";
  }
  ~Streams() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

const Streams& streams(int count) {
  static std::map<int, Streams> made;
  return made.try_emplace(count, count).first->second;
}

// Runs the program to its end; what it used.
rusage run_batch(const Streams& s, int threads) {
  const std::string manifest = s.manifest.string();
  const std::string summary = (s.root / "summary.csv").string();
  const std::string thread_count = std::to_string(threads);
  const char* argv[] = {VORN_CLI,         "batch",         "--manifest",
                        manifest.c_str(), "--threads",     thread_count.c_str(),
                        "--summary",      summary.c_str(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned =
      posix_spawn(&child, VORN_CLI, &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + std::string(VORN_CLI));
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("vorn batch did not complete every stream");
  return usage;
}

void Batch(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int threads = static_cast<int>(state.range(1));
  const Streams& s = streams(count);
  const auto ms = [](const timeval& t) { return 1e3 * t.tv_sec + 1e-3 * t.tv_usec; };
  double cpu_ms = 0.0, peak_kB = 0.0;
  for (auto _ : state) {
    const rusage used = run_batch(s, threads);
    cpu_ms += ms(used.ru_utime) + ms(used.ru_stime);
    peak_kB = std::max(peak_kB, static_cast<double>(used.ru_maxrss));
  }
  state.counters["cpu_ms"] = benchmark::Counter(cpu_ms, benchmark::Counter::kAvgIterations);
  state.counters["peak_kB"] = peak_kB;
}
BENCHMARK(Batch)->Apply([](benchmark::internal::Benchmark* b) {
  vorn::bench::repeated_runs(
      b->ArgNames({"S", "T"})->Args({100, 1})->Args({100, 2})->Args({1000, 1})->Args({1000, 2}), 7);
});

void Speedup(benchmark::State& state) {
  const Streams& s = streams(static_cast<int>(state.range(0)));
  const auto seconds = [&](int threads) {
    const auto start = std::chrono::steady_clock::now();
    run_batch(s, threads);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  std::vector<double> ratios;
  for (auto _ : state) {
    // Alternate which goes first, so that neither is always the one after a pause.
    const bool one_first = ratios.size() % 2 == 0;
    const double first = seconds(one_first ? 1 : 2), second = seconds(one_first ? 2 : 1);
    ratios.push_back(one_first ? first / second : second / first);
  }
  std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
  state.counters["speedup"] = ratios[ratios.size() / 2];
}
BENCHMARK(Speedup)
    ->ArgNames({"S"})
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(21);

}  // namespace
