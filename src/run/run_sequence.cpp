#include "run/run_sequence.hpp"

#include <memory>
#include <new>

#include "core/log_unit.hpp"
#include "core/run_error.hpp"
#include "core/thread_spare.hpp"
#include "groundwater/daf_scale.hpp"
#include "input/chemical_records.hpp"
#include "input/daf_table.hpp"
#include "input/input_diagnosis.hpp"
#include "input/site_parameters.hpp"
#include "limits/stream_totals.hpp"
#include "model/chemical_batch.hpp"
#include "report/report_writer.hpp"
#include "run/chemical_sources.hpp"
#include "run/input_warnings.hpp"
#include "run/run_state.hpp"

namespace vorn {
namespace {

// Evaluates every chemical, then takes them in input order. A failure in the pathways stops
// the run on VORN.DBG there; a failure in the drinking-water check stops it later, where the
// report reaches that chemical: the index of the first such chemical is returned (0: none).
int chemical_loop(RunState& rs, int N, const LogUnit& debug, Failure& limits_failure,
                  std::vector<std::string>& warnings) {
  const std::size_t n = static_cast<std::size_t>(N > 0 ? N : 0);
  std::vector<DafRowMatch> rows(n);
  const DafRowIndex index(rs.daf);
  for (std::size_t k = 0; k < n; ++k) rows[k] = index.match(rs.as_read[k]);
  warnings = input_warnings(rs.unit, rs.as_read, rows, rs.daf);
  std::vector<ChemicalEvaluation> evs(n);
  ChemicalBatch().evaluate(ModelSite{rs.unit, rs.daf}, n, rs.as_read.data(), rows.data(), 1,
                           evs.data());
  int stop_before = 0;
  rs.chem.reserve(N);
  rs.limits.reserve(n);
  for (int i = 1; i <= N; ++i) {
    ChemicalEvaluation& ev = evs[static_cast<std::size_t>(i - 1)];
    if (ev.failure && ev.stage == EvaluationStage::pathways) debug.stop(ev.failure);
    if (ev.failure && stop_before == 0) {
      stop_before = i;
      limits_failure = ev.failure;
    }
    rs.chem.append(std::move(ev.chemical));
    rs.res(i) = ev.slots;
    rs.limits.push_back(ev.limits);
  }
  return stop_before;
}

}  // namespace

Outcome execute_run(RunFiles& files) {
  Outcome outcome;
  std::string why;
  std::optional<std::string> bytes = files.open_input(why);
  if (!bytes) {
    outcome.status = Status::input_missing;
    outcome.message = {"vorn: cannot open unit 1 (VORN.IN): " + why};
    return outcome;
  }
  // Read with the input, so that both are the files of one moment.
  const std::optional<SourcesFile> sources = files.open_sources();

  // A store as fresh as a new one for every run: nothing of an earlier run is visible. The
  // thread's store of its last run is cleared instead of made again.
  const ThreadSpare<RunState> rs;
  rs->clear();
  InputFile input(std::move(*bytes));
  Sink* debug_sink = nullptr;
  bool reading_unit = true;  // a stop here is explained from the unit lines
  try {
    debug_sink = &files.open_debug();
    const LogUnit debug(*debug_sink, kDebugUnit);
    const WasteUnit site = readsiteparameters(input, debug);
    if (Failure f = derive_unit(site, rs->unit)) debug.stop(f);
    reading_unit = false;
    debug.log(daf_scale_line(rs->unit.DAF_SCALE));
    const int N = readchemicals(input, debug, rs->as_read);
    readdaftable(input, debug, rs->daf);
    if (sources) outcome.sources = read_chemical_sources(*sources, rs->as_read, files.err());
    rs->res.allocateResults(N);
    Failure limits_failure;
    const int stop_before = chemical_loop(*rs, N, debug, limits_failure, outcome.warnings);

    auto results = std::make_shared<Results>();
    results->unit = rs->unit.wu;
    results->DAF_SCALE = rs->unit.DAF_SCALE;
    results->results = rs->res.take();
    results->chemicals = rs->chem.take();
    results->report = std::move(rs->limits);
    results->totals = stream_totals(results->chemicals, results->results, results->report);

    Sink& report = files.open_report();
    writereport(report, *results, stop_before);
    if (stop_before != 0) LogUnit(report, kReportUnit).stop(limits_failure);
    files.close_report();
    files.close_debug();
    write_line(files.out(), (LogLine() << "NORMAL TERMINATION...").text());
    outcome.results = std::move(results);
    outcome.status = Status::completed;
    return outcome;
  } catch (const RunStop& stop) {
    outcome.status = Status::stopped;
    outcome.message = stop.lines();
    outcome.message_file = stop.unit() == kReportUnit ? "VORN.OUT" : "VORN.DBG";
    if (reading_unit) outcome.explanation = explain_unit_stop(input.text());
  } catch (const FatalError& error) {
    outcome.status = Status::fatal_input_error;
    outcome.message = {error.what()};
    if (const auto* read = dynamic_cast<const FreeFormError*>(&error))
      outcome.explanation = explain_read_error(*read, input.text());
    else if (dynamic_cast<const FatalInputError*>(&error) != nullptr)
      outcome.explanation = explain_input_error(error.what());
    if (debug_sink != nullptr) write_line(*debug_sink, (LogLine() << error.what()).text());
    write_line(files.err(), error.what());
  } catch (const std::bad_alloc&) {
    outcome.status = Status::stopped;
    outcome.message = {"Stop, Error: not enough memory for the run"};
    outcome.message_file = "VORN.DBG";
    if (debug_sink != nullptr) write_line(*debug_sink, (LogLine() << outcome.message[0]).text());
  }
  files.close_report();
  files.close_debug();
  return outcome;
}

}  // namespace vorn
