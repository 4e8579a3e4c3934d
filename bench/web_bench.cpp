// The page against the program, on the same machine and scenario (the shipped
// examples/montecarlo/scenario.toml, 10,000 realizations):
//
//   NativeShard   the program's realizations on one thread, as `vorn mc --threads 1` runs a
//                 whole shard (mc_run::run_monte_carlo, in process); counter per_cpu_s.
//   WorkerShard   one page worker's: the engine module (build-web/vorn_engine.js) running the
//                 same shard under node (bench/web/worker_rate.mjs); counter per_cpu_s. The
//                 ratio WorkerShard / NativeShard of per_cpu_s is the figure the README gives.
//   PageReady     build-web/vorn.html opened from file:// in headless Chromium until it takes
//                 input (bench/web/page_ready.mjs); manual time, counter library_ms.
//
// Times are CPU seconds where the machine is shared (per_cpu_s); the minimum over the
// repetitions is the figure to compare. The web benchmarks are skipped until scripts/web has
// built the page.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>

#include "core/output_file.hpp"
#include "mc_run/mc_run.hpp"

namespace {

namespace fs = std::filesystem;
const fs::path kSource = VORN_SOURCE_DIR;
const fs::path kScenario = kSource / "examples" / "montecarlo" / "scenario.toml";
const fs::path kInput = kSource / "examples" / "landfill" / "VORN.IN";
const fs::path kEngine = kSource / "build-web" / "vorn_engine.js";
const fs::path kPage = kSource / "build-web" / "vorn.html";

double cpu_seconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::string text_of(const fs::path& file) {
  std::string bytes, why;
  if (!vorn::read_file(file.string(), bytes, why)) throw std::runtime_error(why);
  return bytes;
}

// The standard output of a command, or nothing when it failed.
std::string output_of(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return "";
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
  return out;
}

double json_number(const std::string& json, const std::string& key) {
  std::smatch m;
  if (!std::regex_search(json, m, std::regex("\"" + key + "\":([-0-9.e+]+)"))) return -1;
  return std::stod(m[1]);
}

void NativeShard(benchmark::State& state) {
  vorn::mc_run::McRequest request = vorn::mc_run::make_request(kScenario, {}, 1, std::nullopt);
  request.scenario_text = text_of(kScenario);
  request.input_text = text_of(kInput);
  double cpu = 0, realizations = 0;
  for (auto _ : state) {
    const double start = cpu_seconds();
    const vorn::mc_run::McResult r = vorn::mc_run::run_monte_carlo(request);
    cpu += cpu_seconds() - start;
    realizations += static_cast<double>(r.part.realizations);
    benchmark::DoNotOptimize(r.part.tally);
  }
  state.counters["per_cpu_s"] = realizations / cpu;
}
BENCHMARK(NativeShard)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

void WorkerShard(benchmark::State& state) {
  if (!fs::exists(kEngine)) return state.SkipWithError("build-web/vorn_engine.js: run scripts/web");
  const std::string command = "node " + (kSource / "bench" / "web" / "worker_rate.mjs").string() +
                              " " + kEngine.string() + " " + kScenario.string() + " " +
                              kInput.string() + " 1";
  double cpu = 0, realizations = 0;
  for (auto _ : state) {
    const std::string out = output_of(command);
    const double ms = json_number(out, "cpu_ms");
    if (ms <= 0) return state.SkipWithError(("worker_rate.mjs failed: " + out).c_str());
    state.SetIterationTime(ms / 1000);
    cpu += ms / 1000;
    realizations += json_number(out, "realizations");
  }
  state.counters["per_cpu_s"] = realizations / cpu;
}
BENCHMARK(WorkerShard)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

void PageReady(benchmark::State& state) {
  if (!fs::exists(kPage)) return state.SkipWithError("build-web/vorn.html: run scripts/web");
  const std::string command = "node " + (kSource / "bench" / "web" / "page_ready.mjs").string() +
                              " " + kPage.string() + " /usr/bin/chromium 1";
  double library = 0;
  for (auto _ : state) {
    const std::string out = output_of(command);
    const double ms = json_number(out, "ready_ms");
    if (ms <= 0) return state.SkipWithError(("page_ready.mjs failed: " + out).c_str());
    state.SetIterationTime(ms / 1000);
    library = json_number(out, "library_ms");
  }
  state.counters["library_ms"] = library;
}
BENCHMARK(PageReady)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

}  // namespace
