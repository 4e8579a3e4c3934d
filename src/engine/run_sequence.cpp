#include "engine/run_sequence.hpp"

#include <memory>
#include <new>

#include "engine/log_line.hpp"
#include "engine/run_error.hpp"
#include "engine/run_log.hpp"
#include "engine/run_state.hpp"
#include "groundwater/daf_table.hpp"
#include "input/chemical_records.hpp"
#include "input/site_parameters.hpp"
#include "input/unit_geometry.hpp"
#include "pathways/groundwater_paths.hpp"
#include "pathways/landfill_sw.hpp"
#include "pathways/surface_paths.hpp"
#include "report/report_writer.hpp"

namespace vorn {
namespace {

void chemical_loop(RunState& rs, int N) {
  int i = 1;
  while (i <= N) {
    if (rs.wu.WU_WMUTYPE == "LF") {
      landfillsw(rs, kDebugUnit, i);
    } else if (rs.wu.WU_WMUTYPE != "SI") {
      stop_run(rs, kDebugUnit, {LogLine() << "ERROR IN MAIN, WU_WMUTYPE= " << rs.wu.WU_WMUTYPE});
    }
    surfacepaths(rs, kDebugUnit, i);
    groundwaterpaths(rs, kDebugUnit, i);
    i = i + 1;
  }
}

}  // namespace

int Outcome::exit_status() const {
  switch (status) {
    case Status::completed:
      return 0;
    case Status::input_missing:
      return 1;
    case Status::stopped:
      return 2;
    case Status::fatal_input_error:
      return 3;
  }
  return 3;
}

Outcome execute_run(RunFiles& files) {
  Outcome outcome;
  std::string why;
  std::optional<std::string> bytes = files.open_input(why);
  if (!bytes) {
    outcome.status = Status::input_missing;
    outcome.message = {"vorn: cannot open unit 1 (VORN.IN): " + why};
    return outcome;
  }

  // A fresh store for every run: nothing of an earlier run is visible.
  auto rs = std::make_unique<RunState>();
  InputFile input(std::move(*bytes));
  rs->input = &input;
  rs->units.out = &files.out();
  try {
    rs->units.debug = &files.open_debug();
    readsiteparameters(*rs, kInputUnit, kDebugUnit);
    unitgeometry(*rs, kDebugUnit);
    int N = 0;
    readchemicals(*rs, kInputUnit, kDebugUnit, N);
    rs->N = N;
    readdaftable(*rs, kInputUnit, kDebugUnit);
    rs->res.allocateResults(N);
    chemical_loop(*rs, N);

    rs->units.report = &files.open_report();
    ReportWork work = writereport(*rs, kReportUnit, N);
    files.close_report();
    files.close_debug();
    write_line(files.out(), (LogLine() << "NORMAL TERMINATION...").text());

    // The arrays are released (results first) into the caller's results value.
    auto results = std::make_shared<Results>();
    results->unit = rs->wu;
    results->DAF_SCALE = rs->DAF_SCALE;
    results->report = std::move(work);
    results->results = rs->res.take();
    results->chemicals = rs->chem.take();
    outcome.results = std::move(results);
    outcome.status = Status::completed;
    return outcome;
  } catch (const RunStop& stop) {
    outcome.status = Status::stopped;
    outcome.message = stop.lines();
    outcome.message_file = stop.unit() == kReportUnit ? "VORN.OUT" : "VORN.DBG";
  } catch (const FatalInputError& error) {
    outcome.status = Status::fatal_input_error;
    outcome.message = {error.what()};
    if (rs->units.debug != nullptr)
      write_line(*rs->units.debug, (LogLine() << error.what()).text());
    write_line(files.err(), error.what());
  } catch (const std::bad_alloc&) {
    outcome.status = Status::stopped;
    outcome.message = {"Stop, Error: not enough memory for the run"};
    outcome.message_file = "VORN.DBG";
    if (rs->units.debug != nullptr)
      write_line(*rs->units.debug, (LogLine() << outcome.message[0]).text());
  }
  files.close_report();
  files.close_debug();
  return outcome;
}

}  // namespace vorn
