// The ten-table report VORN.OUT: it formats the values the model decided.
#pragma once

#include "core/sink.hpp"
#include "report/report_lines.hpp"
#include "vorn/results.hpp"

namespace vorn {

// Writes Tables 1 to 10. With `stop_before` = k (1-based), the report ends in Table 6
// before chemical k's row: that chemical's drinking-water check failed, and the run stops.
void writereport(Sink& sink, const Results& results, int stop_before = 0);

// Tables 1 to 6 (risks, hazard quotients, allowable concentrations); false when it ended
// before `stop_before`.
bool write_pathway_tables(ReportLines& out, const Results& results, int stop_before);
// Tables 7 to 10 (aggregates, limiting pathways, exceedances, reference values).
void write_summary_tables(ReportLines& out, const Results& results);

}  // namespace vorn
