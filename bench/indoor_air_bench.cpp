// Cost of the indoor air model and of all pathway steps of a run.
//
// The generated chemicals all pass the indoor-inhalation gate with positive CSFI
// and ORDI, and their carcinogenic and non-carcinogenic DAFs differ, so each one
// runs the model twice. BM_ModelEvaluations runs the same 2 × N evaluations alone:
// BM_AllPathways / BM_ModelEvaluations is the cost of everything around the model.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/run_state.hpp"
#include "engine/units.hpp"
#include "input/unit_geometry.hpp"
#include "pathways/groundwater_paths.hpp"
#include "pathways/indoor_air.hpp"
#include "pathways/landfill_sw.hpp"
#include "pathways/surface_paths.hpp"

namespace {

using namespace vorn;

constexpr int kChemicals = 2000;
constexpr int kDafRows = kDafCapacity;  // a full DAF table, one row per CAS number

struct GeneratedRun {
  StringSink debug;
  std::unique_ptr<RunState> rs = std::make_unique<RunState>();
};

std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

// A landfill of 10000 cubic yards a year over 20 years; chemical i takes CAS number
// i mod 500, whose DAF row has a non-carcinogenic DAF of half (or, with
// `equal_dafs`, exactly) its carcinogenic one.
std::unique_ptr<GeneratedRun> generate(bool equal_dafs) {
  auto run = std::make_unique<GeneratedRun>();
  RunState& rs = *run->rs;
  rs.units.debug = &run->debug;
  rs.wu.WU_WMUTYPE = "LF";
  rs.wu.WU_RISKFACT = 1.0e-5;
  rs.wu.WU_HQFACT = 1.0;
  rs.wu.WU_WASTEVOL = 10000;
  rs.wu.WU_VOLUNIT = 0;
  rs.wu.WU_ACTLIFE = 20;
  unitgeometry(rs, kDebugUnit);
  for (int j = 1; j <= kDafRows; ++j) {
    DafRow& row = rs.daf.row(j);
    row.CHEMCAS = padded("900-" + std::to_string(j), kDafKeyWidth);
    row.LFCONC = row.SICONC = 1.0;
    row.LFCAR = row.SICAR = 10.0 + j % 9;
    row.LFNON = row.SINON = equal_dafs ? row.LFCAR : row.LFCAR / 2;
  }
  rs.daf.NDAF = kDafRows;
  for (int i = 1; i <= kChemicals; ++i) {
    Chemical& c = rs.chem.append();
    c.CHEMCAS = padded("900-" + std::to_string((i - 1) % kDafRows + 1), kCasWidth);
    c.CSFO = 0.01 * (1 + i % 5);
    c.CSFI = 0.02 * (1 + i % 7);
    c.ORDO = 0.004 * (1 + i % 3);
    c.ORDI = 0.008 * (1 + i % 4);
    c.BCF = 5.0 + i % 10;
    c.HENRY = 1.0e-3 * (1 + i % 13);
    c.DIFFW = 5.0e-6 + 1.0e-7 * (i % 11);
    c.DIFFA = 0.05 + 0.001 * (i % 17);
    c.TSTAR = 0.3;
    c.KPW = 0.015;
    c.TAU = 0.29;
    c.BUNGE = 0.05;
    c.ORGANIC = 1;
    c.MW = 50.0 + i % 50;
    c.VP = 0.01 * (1 + i % 9);
    c.KDSW = 2.5;
    c.LOGKOW = 2.0;
    c.TCLPCONC = 0.1 + 0.01 * (i % 23);
    c.TOTC = 10.0 + i % 31;
  }
  rs.N = kChemicals;
  return run;
}

// Every pathway step of every chemical, in the order of a run.
void all_pathways(RunState& rs) {
  rs.res.allocateResults(rs.N);
  for (int i = 1; i <= rs.N; ++i) {
    landfillsw(rs, kDebugUnit, i);
    surfacepaths(rs, kDebugUnit, i);
    groundwaterpaths(rs, kDebugUnit, i);
  }
}

void BM_IndoorAirModel(benchmark::State& state) {
  const double Hd = 5.55e-3 / 0.0244658;
  double Cw = 0.025;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Cw);
    const IndoorAverages a = indoorair(Hd, 9.8e-6, 0.088, Cw);
    benchmark::DoNotOptimize(a);
  }
}
BENCHMARK(BM_IndoorAirModel)->Unit(benchmark::kMicrosecond);

// The model evaluations that the run below makes, with the same inputs.
void BM_ModelEvaluations(benchmark::State& state) {
  const auto run = generate(false);
  const RunState& rs = *run->rs;
  struct Inputs {
    double Hd, DIFFW, DIFFA, Cw;
  };
  std::vector<Inputs> inputs;
  for (int i = 1; i <= rs.N; ++i) {
    const Chemical& c = rs.chem(i);
    const DafRow& row = rs.daf.row((i - 1) % kDafRows + 1);
    const double Hd = c.HENRY / 0.0244658;
    inputs.push_back({Hd, c.DIFFW, c.DIFFA, c.TCLPCONC / (row.LFCAR * rs.DAF_SCALE)});
    inputs.push_back({Hd, c.DIFFW, c.DIFFA, c.TCLPCONC / (row.LFNON * rs.DAF_SCALE)});
  }
  for (auto _ : state) {
    for (const Inputs& in : inputs) {
      const IndoorAverages a = indoorair(in.Hd, in.DIFFW, in.DIFFA, in.Cw);
      benchmark::DoNotOptimize(a);
    }
  }
  state.counters["evaluations"] = static_cast<double>(inputs.size());
}
BENCHMARK(BM_ModelEvaluations)->Unit(benchmark::kMillisecond);

void BM_AllPathways(benchmark::State& state) {
  const auto run = generate(false);
  for (auto _ : state) {
    all_pathways(*run->rs);
    benchmark::ClobberMemory();
  }
  state.counters["chemicals"] = kChemicals;
}
BENCHMARK(BM_AllPathways)->Unit(benchmark::kMillisecond);

// Equal DAFs: one model evaluation per chemical, the second half reuses it.
void BM_AllPathwaysEqualDafs(benchmark::State& state) {
  const auto run = generate(true);
  for (auto _ : state) {
    all_pathways(*run->rs);
    benchmark::ClobberMemory();
  }
  state.counters["chemicals"] = kChemicals;
}
BENCHMARK(BM_AllPathwaysEqualDafs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
