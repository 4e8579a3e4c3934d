// Scale of a whole run. WholeRun, IndoorAirModel, Program, ReadEcho and Report take the scale
// input of N chemicals (scale_inputs.hpp), where the indoor air model runs twice per chemical.
//
//   WholeRun/N        one run in memory through the C++ entry; counters: CPU time per chemical,
//                     the run's CPU time over that of its indoor air model evaluations (scalar)
//                     and over the same evaluations in the gfortran -O2 loop; the lanes the run
//                     used (VORN_SIMD=sse2 forces SSE2) are named in the label
//   IndoorAirModel/N  the same model evaluations alone, with the arguments the run used
//   IndoorAirLanes/N  those evaluations in one batch, in the run's lanes (0: the mixed input)
//   Program/N         the vorn program on a directory; counters: its CPU time and peak
//                     resident memory
//   ReadEcho/N        reading the whole VORN.IN (site parameters, chemicals, DAF table) with
//                     its echo to VORN.DBG in memory
//   Report/N          writing VORN.OUT in memory from the results of one run
//   MixedRun          WholeRun's counters on the mixed input (scale_inputs.hpp): 10,000
//                     chemicals, 3,059 of which need the indoor air model
//
// `vorn_scale_bench --profile-mixed` runs the mixed input once and the gfortran loop once over
// its evaluations, for valgrind --tool=callgrind (instruction counts, steadier than time here).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "indoor/indoor_model.hpp"
#include "input/chemical_records.hpp"
#include "input/daf_table.hpp"
#include "input/site_parameters.hpp"
#include "pathways/groundwater_paths.hpp"
#include "pathways/indoor_air.hpp"
#include "report/report_writer.hpp"
#include "scale_inputs.hpp"
#include "vorn/run.hpp"

#if defined(VORN_BENCH_FORTRAN)
extern "C" void vorn_indoor_loop_f90(double Hd, double DIFFW, double DIFFA, double Cw, double* A);
#endif

namespace {

using vorn::bench::kDafRows;

// The scale input of n chemicals; 0 is the mixed input.
const std::string& input_for(int n) {
  static std::map<int, std::string> inputs;
  auto it = inputs.find(n);
  if (it == inputs.end())
    it = inputs.emplace(n, n == 0 ? vorn::bench::mixed_input() : vorn::bench::scale_input(n)).first;
  return it->second;
}

using ModelCall = vorn::IndoorInputs;

// The indoor air evaluations of one run, from its results: those each chemical needs at the
// well DAFs the run found. `chemicals`: how many chemicals need at least one.
std::vector<ModelCall> model_calls(int n, int* chemicals = nullptr) {
  vorn::MemoryFiles files;
  files.input = input_for(n);
  const vorn::Outcome outcome = vorn::run(files);
  std::vector<ModelCall> calls;
  if (chemicals != nullptr) *chemicals = 0;
  if (!outcome.results) return calls;
  const auto& res = *outcome.results;
  for (std::size_t i = 0; i < res.chemicals.size(); ++i) {
    const vorn::WellDafs well{res.results[i].DAFC_WV, res.results[i].DAFN_WV};
    const vorn::IndoorNeeds needs = vorn::gwinhalation_needs(res.chemicals[i], well);
    calls.insert(calls.end(), needs.inputs, needs.inputs + needs.count);
    if (chemicals != nullptr && needs.count > 0) ++*chemicals;
  }
  return calls;
}

// CPU time of this thread: the ratio holds on a machine shared with other work.
double thread_seconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double evaluate(const std::vector<ModelCall>& calls) {
  double sum = 0;
  for (const ModelCall& m : calls) sum += vorn::indoorair(m).A3;
  return sum;
}

// Times the run of input_for(n) against its model evaluations, scalar and in gfortran.
void time_run(benchmark::State& state, int n, const std::vector<ModelCall>& calls) {
  double seconds = 0;
  for (auto _ : state) {
    vorn::MemoryFiles files;
    files.input = input_for(n);
    const double start = thread_seconds();
    const vorn::Outcome outcome = vorn::run(files);
    seconds += thread_seconds() - start;
    if (outcome.status != vorn::Status::completed) state.SkipWithError("the run did not complete");
  }
  // The model evaluations alone, timed as often as the run was.
  double model_seconds = 0;
  for (benchmark::IterationCount k = 0; k < state.iterations(); ++k) {
    const double start = thread_seconds();
    benchmark::DoNotOptimize(evaluate(calls));
    model_seconds += thread_seconds() - start;
  }
  const double chemicals = n == 0 ? vorn::bench::kMixedChemicals : n;
  state.counters["cpu_us_per_chemical"] =
      1e6 * seconds / static_cast<double>(state.iterations()) / chemicals;
  state.counters["evaluations"] = static_cast<double>(calls.size());
  state.counters["run_over_model"] = seconds / model_seconds;
#if defined(VORN_BENCH_FORTRAN)
  double fortran_seconds = 0;
  for (benchmark::IterationCount k = 0; k < state.iterations(); ++k) {
    const double start = thread_seconds();
    for (const ModelCall& m : calls) {
      double a[3];
      vorn_indoor_loop_f90(m.Hd, m.DIFFW, m.DIFFA, m.Cw, a);
      benchmark::DoNotOptimize(a);
    }
    fortran_seconds += thread_seconds() - start;
  }
  state.counters["run_over_fortran"] = seconds / fortran_seconds;
#endif
  state.SetLabel(vorn::indoor_model_path());
}

void WholeRun(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<ModelCall> calls = model_calls(n);
  if (calls.size() != 2u * static_cast<std::size_t>(n)) {
    state.SkipWithError("the generated run does not evaluate the model twice per chemical");
    return;
  }
  time_run(state, n, calls);
}
BENCHMARK(WholeRun)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void MixedRun(benchmark::State& state) {
  int chemicals = 0;
  const std::vector<ModelCall> calls = model_calls(0, &chemicals);
  if (chemicals != vorn::bench::kMixedIndoor) {
    state.SkipWithError("the mixed input does not need the model for 3,059 chemicals");
    return;
  }
  time_run(state, 0, calls);
}
BENCHMARK(MixedRun)->Unit(benchmark::kMillisecond);

void IndoorAirModel(benchmark::State& state) {
  const std::vector<ModelCall> calls = model_calls(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(evaluate(calls));
  state.counters["evaluations"] = static_cast<double>(calls.size());
}
BENCHMARK(IndoorAirModel)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same evaluations in one batch, in the lanes the run uses; 0 is the mixed input.
void IndoorAirLanes(benchmark::State& state) {
  const std::vector<ModelCall> calls = model_calls(static_cast<int>(state.range(0)));
  std::vector<vorn::IndoorAverages> out(calls.size());
  for (auto _ : state) {
    vorn::indoor_model_batch(calls.data(), out.data(), calls.size());
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["evaluations"] = static_cast<double>(calls.size());
  state.SetLabel(vorn::indoor_model_path());
}
BENCHMARK(IndoorAirLanes)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

// The input layer alone: the file's bytes are copied outside the timing.
void ReadEcho(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::size_t echo_bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto in = std::make_unique<vorn::InputFile>(input_for(n));
    auto sink = std::make_unique<vorn::StringSink>();
    auto chemicals = std::make_unique<std::vector<vorn::Chemical>>();
    auto daf = std::make_unique<vorn::DafTable>();
    state.ResumeTiming();
    const vorn::LogUnit debug(*sink, vorn::kDebugUnit);
    benchmark::DoNotOptimize(vorn::readsiteparameters(*in, debug));
    const int count = vorn::readchemicals(*in, debug, *chemicals);
    vorn::readdaftable(*in, debug, *daf);
    state.PauseTiming();
    echo_bytes = sink->text.size();
    if (count != n || daf->NDAF != kDafRows) state.SkipWithError("the input was not read whole");
    state.ResumeTiming();
  }
  state.counters["echo_MB"] = static_cast<double>(echo_bytes) / 1e6;
}
BENCHMARK(ReadEcho)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void Report(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  vorn::MemoryFiles files;
  files.input = input_for(n);
  const vorn::Outcome outcome = vorn::run(files);
  if (!outcome.results) {
    state.SkipWithError("the run did not complete");
    return;
  }
  std::size_t report_bytes = 0;
  for (auto _ : state) {
    vorn::StringSink sink;
    vorn::writereport(sink, *outcome.results);
    report_bytes = sink.text.size();
  }
  if (report_bytes != files.report->size())
    state.SkipWithError("the report differs from the run's");
  state.counters["report_MB"] = static_cast<double>(report_bytes) / 1e6;
}
BENCHMARK(Report)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Runs vorn on `dir` and prints its peak resident memory (KB) and CPU time (s). Called in a
// fresh process (--child-rusage): the peak the kernel reports for a child counts the memory
// of the process it was started from, so vorn must start from a small one.
int child_rusage(const char* dir) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char* argv[] = {const_cast<char*>(VORN_CLI), const_cast<char*>(dir), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, VORN_CLI, &actions, nullptr, argv, environ) != 0) return 1;
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  std::printf("%ld %.6f\n", usage.ru_maxrss,
              static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec));
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// The program on a directory: wall time (with the start of the measuring process), its CPU
// time and peak resident memory.
void Program(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto dir =
      std::filesystem::temp_directory_path() / ("vorn-scale-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "VORN.IN", std::ios::binary) << input_for(n);
  const std::string command =
      std::filesystem::read_symlink("/proc/self/exe").string() + " --child-rusage " + dir.string();
  long peak_kb = 0;
  double cpu_seconds = 0;
  for (auto _ : state) {
    FILE* measure = popen(command.c_str(), "r");
    long kb = 0;
    double cpu = 0;
    const bool read = measure != nullptr && std::fscanf(measure, "%ld %lf", &kb, &cpu) == 2;
    if (measure == nullptr || pclose(measure) != 0 || !read) {
      state.SkipWithError("vorn did not complete");
      break;
    }
    if (kb > peak_kb) peak_kb = kb;
    cpu_seconds += cpu;
  }
  std::filesystem::remove_all(dir);
  state.counters["peak_rss_MB"] = static_cast<double>(peak_kb) / 1024.0;
  state.counters["cpu_ms"] = 1e3 * cpu_seconds / static_cast<double>(state.iterations());
}
BENCHMARK(Program)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One run of the mixed input and one pass of the gfortran loop over its evaluations, for an
// instruction profile: under callgrind the inclusive costs of vorn::run and of
// vorn_indoor_loop_f90 are the two sides of MixedRun's run_over_fortran.
int profile_mixed() {
  int chemicals = 0;
  const std::vector<ModelCall> calls = model_calls(0, &chemicals);
  std::printf("%d chemicals need the model, %zu evaluations\n", chemicals, calls.size());
#if defined(VORN_BENCH_FORTRAN)
  double sum = 0;
  for (const ModelCall& m : calls) {
    double a[3];
    vorn_indoor_loop_f90(m.Hd, m.DIFFW, m.DIFFA, m.Cw, a);
    sum += a[2];
  }
  std::printf("gfortran loop: sum of A3 %.17g\n", sum);
#endif
  return chemicals == vorn::bench::kMixedIndoor ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--child-rusage") return child_rusage(argv[2]);
  if (argc == 2 && std::string(argv[1]) == "--profile-mixed") return profile_mixed();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
