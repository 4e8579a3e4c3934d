// Cost of the indoor air model and of all pathway steps of a run.
//
// The generated chemicals all pass the indoor-inhalation gate with positive CSFI
// and ORDI, and their carcinogenic and non-carcinogenic DAFs differ, so each one
// runs the model twice. BM_ModelEvaluations runs the same 2 × N evaluations alone:
// BM_AllPathways / BM_ModelEvaluations is the cost of everything around the model.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "input/daf_table.hpp"
#include "model/chemical_model.hpp"
#include "model/unit_model.hpp"
#include "pathways/indoor_air.hpp"

namespace {

using namespace vorn;

constexpr int kChemicals = 2000;
constexpr int kDafRows = kDafCapacity;  // a full DAF table, one row per CAS number

// The chemicals as read, the derived unit and the DAF table: what the model entry reads.
struct GeneratedRun {
  UnitModel unit;
  DafTable daf;
  std::vector<Chemical> chemicals;
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
  WasteUnit wu;
  wu.WU_WMUTYPE = "LF";
  wu.WU_RISKFACT = 1.0e-5;
  wu.WU_HQFACT = 1.0;
  wu.WU_WASTEVOL = 10000;
  wu.WU_VOLUNIT = 0;
  wu.WU_ACTLIFE = 20;
  if (derive_unit(wu, run->unit)) std::abort();
  for (int j = 1; j <= kDafRows; ++j) {
    DafRow& row = run->daf.row(j);
    row.CHEMCAS = padded("900-" + std::to_string(j), kDafKeyWidth);
    row.LFCONC = row.SICONC = 1.0;
    row.LFCAR = row.SICAR = 10.0 + j % 9;
    row.LFNON = row.SINON = equal_dafs ? row.LFCAR : row.LFCAR / 2;
  }
  run->daf.NDAF = kDafRows;
  for (int i = 1; i <= kChemicals; ++i) {
    Chemical& c = run->chemicals.emplace_back();
    c.CHEMCAS = padded("900-" + std::to_string((i - 1) % kDafRows + 1), kCasWidth);
    c.CSFO = 0.01 * (1 + i % 5);
    c.CSFI = 0.02 * (1 + i % 7);
    c.ORDO = 0.004 * (1 + i % 3);
    c.ORDI = 0.008 * (1 + i % 4) / 0.2777777777777778;  // as read: a concentration
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
  return run;
}

// Every chemical through the model entry, in the order of a run.
void all_pathways(const GeneratedRun& run, ChemicalEvaluation& ev) {
  const ModelSite site{run.unit, run.daf};
  for (std::size_t k = 0; k < run.chemicals.size(); ++k) {
    const Chemical& c = run.chemicals[k];
    evaluate_chemical(site, match_daf_rows(run.daf, c), static_cast<int>(k) + 1, c, ev);
    if (ev.failure) std::abort();
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
  struct Inputs {
    double Hd, DIFFW, DIFFA, Cw;
  };
  std::vector<Inputs> inputs;
  for (std::size_t k = 0; k < run->chemicals.size(); ++k) {
    const Chemical& c = run->chemicals[k];
    const DafRow& row = run->daf.row(static_cast<int>(k) % kDafRows + 1);
    const double hd = c.HENRY / 0.0244658;
    const double scale = run->unit.DAF_SCALE;
    inputs.push_back({hd, c.DIFFW, c.DIFFA, c.TCLPCONC / (row.LFCAR * scale)});
    inputs.push_back({hd, c.DIFFW, c.DIFFA, c.TCLPCONC / (row.LFNON * scale)});
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
  ChemicalEvaluation ev;
  for (auto _ : state) {
    all_pathways(*run, ev);
    benchmark::ClobberMemory();
  }
  state.counters["chemicals"] = kChemicals;
}
BENCHMARK(BM_AllPathways)->Unit(benchmark::kMillisecond);

// Equal DAFs: one model evaluation per chemical, the second half reuses it.
void BM_AllPathwaysEqualDafs(benchmark::State& state) {
  const auto run = generate(true);
  ChemicalEvaluation ev;
  for (auto _ : state) {
    all_pathways(*run, ev);
    benchmark::ClobberMemory();
  }
  state.counters["chemicals"] = kChemicals;
}
BENCHMARK(BM_AllPathwaysEqualDafs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
