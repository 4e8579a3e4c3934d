// A nested run against the one-dimensional run of as many realizations, in process, on the
// shipped nested scenario (examples/montecarlo/nested.toml over the landfill example).
//
//   OneDimensional/N/T  the scenario with every input of kind variability, N realizations
//                       on T threads
//   Nested/U/V/T        U outer draws of V inner realizations on T threads
//
// items_per_second counts realizations; compare Nested/U/V/T with OneDimensional/UV/T for
// the rate. The counter record_bytes is the state kept per outer draw (it does not grow
// with V). The machine is shared: compare the minimum over the repetitions.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "mc_run/mc_run.hpp"

namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(__FILE__).parent_path().parent_path() / "examples";

// The nested scenario with the input named absolutely, and its one-dimensional twin: the
// same inputs, every one of kind variability.
struct Scenarios {
  fs::path nested, flat;
  Scenarios() {
    std::ifstream in(kExamples / "montecarlo" / "nested.toml");
    const fs::path dir = fs::temp_directory_path();
    nested = dir / ("vorn-nested-bench-" + std::to_string(getpid()) + ".toml");
    flat = dir / ("vorn-flat-bench-" + std::to_string(getpid()) + ".toml");
    std::ofstream n(nested), f(flat);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("input = ", 0) == 0)
        line = "input = \"" + (kExamples / "landfill" / "VORN.IN").string() + "\"";
      n << line << '\n';
      if (line.rfind("kind = ", 0) != 0 && line.rfind("outer = ", 0) != 0 &&
          line.rfind("inner = ", 0) != 0)
        f << line << '\n';
    }
  }
  ~Scenarios() {
    std::error_code ec;
    fs::remove(nested, ec);
    fs::remove(flat, ec);
  }
};

const Scenarios& scenarios() {
  static const Scenarios made;
  return made;
}

void OneDimensional(benchmark::State& state) {
  vorn::mc_run::McRequest request;
  request.scenario = scenarios().flat;
  request.overrides.realizations = static_cast<std::uint64_t>(state.range(0));
  request.threads = static_cast<unsigned>(state.range(1));
  for (auto _ : state) {
    const vorn::mc_run::McResult result = vorn::mc_run::run_monte_carlo(request);
    if (result.nested || result.part.tally.realizations != *request.overrides.realizations)
      throw std::logic_error("not a one-dimensional run of every realization");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Nested(benchmark::State& state) {
  vorn::mc_run::McRequest request;
  request.scenario = scenarios().nested;
  request.overrides.outer = static_cast<std::uint64_t>(state.range(0));
  request.overrides.inner = static_cast<std::uint64_t>(state.range(1));
  request.threads = static_cast<unsigned>(state.range(2));
  std::size_t record_bytes = 0;
  for (auto _ : state) {
    const vorn::mc_run::McResult result = vorn::mc_run::run_monte_carlo(request);
    if (!result.nested || result.nested->records.size() != *request.overrides.outer)
      throw std::logic_error("not a nested run of every outer draw");
    record_bytes = result.nested->records.front().values.size() * sizeof(double);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
  state.counters["record_bytes"] = static_cast<double>(record_bytes);
}

BENCHMARK(OneDimensional)
    ->Args({20000, 1})
    ->Args({20000, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Nested)
    ->Args({20, 1000, 1})
    ->Args({20, 1000, 2})
    ->Args({200, 100, 2})
    ->Args({2, 10000, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
