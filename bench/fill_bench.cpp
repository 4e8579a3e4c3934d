// vorn fill in memory: a stream sheet of N chemicals read, filled from the compiled library
// (each value looked up, converted and sourced) and written as VORN.IN and sources.csv
// texts; the files themselves are not written.
//
//   Fill/N      the whole fill of N rows: reading, filling and both texts
//   ReadSheet/N the sheet's reading alone
//
// The chemicals cycle through every entry of the library, each with its variant, ORGANIC
// given for those without a Koc. The library is read once, before the timing.
#include <benchmark/benchmark.h>

#include <string>

#include "chemicals/library_snapshot.hpp"
#include "chemicals/stream_fill.hpp"
#include "chemicals/stream_sheet.hpp"
#include "input/input_writer.hpp"

namespace {

namespace chem = vorn::chemicals;

std::string sheet_of(int rows) {
  const chem::Library& library = chem::snapshot_library();
  std::string text =
      "WU_SITEKEY,1\nWU_WMUTYPE,LF\nWU_RISKFACT,1e-5\nWU_HQFACT,1\nWU_WASTEVOL,6000\n"
      "WU_VOLUNIT,0\nWU_ACTLIFE,15\nWU_SIFLOW,0\nf_oc,0.002\n\n"
      "CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG,ORGANIC,BCF,note\n";
  const auto& entries = library.entries();
  for (int k = 0; k < rows; ++k) {
    const chem::EntryKey& e = entries[static_cast<std::size_t>(k) % entries.size()];
    const bool koc = library.find(e.id, e.variant, "KOC") != nullptr;
    text += chem::ChemicalKey{e.id, e.variant}.text() + ",0.01" + std::to_string(k % 10) +
            ",N,1.5,D," + (koc ? "" : "0") + ",12.6,row " + std::to_string(k) + "\n";
  }
  return text;
}

void Fill(benchmark::State& state) {
  const std::string text = sheet_of(static_cast<int>(state.range(0)));
  const chem::LibraryStack stack({&chem::snapshot_library()});
  std::size_t bytes = 0;
  for (auto _ : state) {
    const chem::StreamSheet sheet = chem::read_stream_sheet(text, "stream.csv");
    const chem::FillResult fill = chem::fill_stream(sheet, {}, "", stack);
    const std::string input = vorn::write_input_text(fill.unit, fill.chemicals, *fill.daf);
    const std::string sources = chem::sources_csv(fill.sources);
    bytes = input.size() + sources.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["rows_per_s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate);
  state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(Fill)
    ->Arg(10000)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(false);

void ReadSheet(benchmark::State& state) {
  const std::string text = sheet_of(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(chem::read_stream_sheet(text, "stream.csv"));
}
BENCHMARK(ReadSheet)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
