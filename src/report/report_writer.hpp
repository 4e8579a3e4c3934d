// The ten-table report VORN.OUT.
#pragma once

#include "engine/run_state.hpp"
#include "report/report_work.hpp"

namespace vorn {

// Writes Tables 1 to 10 on `reportUnit` and returns the derived values.
ReportWork writereport(RunState& rs, int reportUnit, int N);

// Tables 1 to 6 (risks, hazard quotients, allowable concentrations).
void write_pathway_tables(RunState& rs, int reportUnit, int N, ReportWork& work);
// Tables 7 to 10 (aggregates, limiting pathways, exceedances, reference values).
void write_summary_tables(RunState& rs, int reportUnit, int N, ReportWork& work);

}  // namespace vorn
