#include "groundwater/daf_scale.hpp"

#include <cmath>

#include "engine/run_log.hpp"

namespace vorn {

void stop_bad_unit_type(const RunState& rs, int unit) {
  stop_run(rs, unit, {LogLine() << "Error in WMUTYPE:" << rs.wu.WU_WMUTYPE});
}

void calcdafscale(RunState& rs, int dbgUnit) {
  const double v = rs.wu.WU_VOLYD3;
  if (rs.wu.is_impoundment())
    rs.DAF_SCALE = std::fmax(108687 * std::pow(v, -1.20644), 1.0);
  else if (rs.wu.is_landfill())
    rs.DAF_SCALE = std::fmax(120379 * std::pow(v, -0.97952), 1.0);
  else
    stop_bad_unit_type(rs, dbgUnit);
  log(rs, dbgUnit, LogLine() << "Calculated DAF scale factor=" << rs.DAF_SCALE);
}

}  // namespace vorn
