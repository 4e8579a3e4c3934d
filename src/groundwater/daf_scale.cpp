#include "groundwater/daf_scale.hpp"

#include <cmath>

#include "core/fmin_fmax.hpp"

namespace vorn {

Failure check_lookup_unit_type(const WasteUnit& wu) {
  if (wu.is_landfill() || wu.is_impoundment()) return {};
  return Failure::with_text(FailureKind::unit_type_guard, wu.WU_WMUTYPE);
}

Failure calcdafscale(const WasteUnit& wu, double& DAF_SCALE) {
  if (Failure f = check_lookup_unit_type(wu)) return f;
  const double v = wu.WU_VOLYD3;
  if (wu.is_impoundment())
    DAF_SCALE = vorn::fmax(108687 * std::pow(v, -1.20644), 1.0);
  else
    DAF_SCALE = vorn::fmax(120379 * std::pow(v, -0.97952), 1.0);
  return {};
}

LogLine daf_scale_line(double DAF_SCALE) {
  return LogLine() << "Calculated DAF scale factor=" << DAF_SCALE;
}

}  // namespace vorn
