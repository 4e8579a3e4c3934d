// Cost of one indoor air evaluation: the loop compiled by gfortran -O2 (the yardstick),
// the inline scalar model, and batches on each lane width this
// processor runs, all over the same plausible inputs.
//
// Counters: us_per_eval (processor time: the machine is shared), and vs_fortran =
// us_per_eval / the Fortran loop's, measured in the same run (it runs first).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "indoor/indoor_lanes.hpp"
#include "indoor/indoor_model.hpp"

#if defined(VORN_BENCH_FORTRAN)
extern "C" void vorn_indoor_loop_f90(double Hd, double DIFFW, double DIFFA, double Cw, double* A);
#endif

namespace {

using vorn::IndoorAverages;
using vorn::IndoorInputs;

const std::vector<IndoorInputs>& inputs() {
  static const std::vector<IndoorInputs> all = [] {
    std::mt19937_64 rng(7);
    auto log_uniform = [&rng](double lo, double hi) {
      return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng));
    };
    std::vector<IndoorInputs> v(2048);
    for (IndoorInputs& in : v) {
      in = {log_uniform(0.01, 1), log_uniform(1e-6, 1e-5), log_uniform(0.01, 0.1),
            log_uniform(1e-6, 10)};
    }
    return v;
  }();
  return all;
}

double fortran_us = 0;  // per evaluation, once its benchmark has run

// Times `evaluate_all` (one pass over the inputs) and sets the counters.
template <class F>
double run(benchmark::State& state, F evaluate_all, bool yardstick = false) {
  const std::clock_t start = std::clock();
  for (auto _ : state) evaluate_all();
  const double took = 1e6 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  const double us = took / (static_cast<double>(state.iterations()) * inputs().size());
  state.counters["us_per_eval"] = us;
  if (!yardstick && fortran_us > 0) state.counters["vs_fortran"] = us / fortran_us;
  return us;
}

#if defined(VORN_BENCH_FORTRAN)
void BM_Fortran(benchmark::State& state) {
  fortran_us = run(
      state,
      [] {
        for (const IndoorInputs& in : inputs()) {
          double a[3];
          vorn_indoor_loop_f90(in.Hd, in.DIFFW, in.DIFFA, in.Cw, a);
          benchmark::DoNotOptimize(a);
        }
      },
      true);
}
BENCHMARK(BM_Fortran)->Unit(benchmark::kMillisecond);
#endif

void BM_Scalar(benchmark::State& state) {
  run(state, [] {
    for (const IndoorInputs& in : inputs()) benchmark::DoNotOptimize(vorn::indoor_model(in));
  });
}
BENCHMARK(BM_Scalar)->Unit(benchmark::kMillisecond);

void BM_Batch(benchmark::State& state, vorn::indoor::Path path) {
  std::vector<IndoorAverages> out(inputs().size());
  run(state, [&] {
    vorn::indoor::batch_on(path, inputs().data(), out.data(), out.size());
    benchmark::DoNotOptimize(out.data());
  });
}

// Fortran and C++ libms may round pow and exp differently: agreement, not identity.
bool fortran_agrees() {
#if defined(VORN_BENCH_FORTRAN)
  for (const IndoorInputs& in : inputs()) {
    double f[3];
    vorn_indoor_loop_f90(in.Hd, in.DIFFW, in.DIFFA, in.Cw, f);
    const IndoorAverages c = vorn::indoor_model(in);
    const double cpp[3] = {c.A1, c.A2, c.A3};
    for (int k = 0; k < 3; ++k) {
      if (!(std::fabs(f[k] - cpp[k]) <= 1e-12 * std::fabs(cpp[k]))) {
        std::fprintf(stderr, "Fortran loop: A%d = %.17g, C++ model: %.17g (Hd %g Cw %g)\n", k + 1,
                     f[k], cpp[k], in.Hd, in.Cw);
        return false;
      }
    }
  }
#endif
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!fortran_agrees()) return 1;
  using vorn::indoor::Path;
  const struct {
    Path path;
    const char* name;
  } paths[] = {{Path::sse2, "BM_Batch/sse2"}, {Path::avx2, "BM_Batch/avx2"}};
  for (const auto& p : paths) {
    if (!vorn::indoor::path_runs(p.path)) continue;
    benchmark::RegisterBenchmark(p.name, BM_Batch, p.path)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("indoor_model_path", vorn::indoor_model_path());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
