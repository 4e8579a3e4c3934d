#include "model/unit_model.hpp"

#include "groundwater/daf_scale.hpp"
#include "input/unit_checks.hpp"
#include "input/unit_geometry.hpp"

namespace vorn {

Failure derive_unit(const WasteUnit& as_read, UnitModel& unit) {
  if (Failure f = check_unit(as_read)) return f;
  unit.wu = as_read;
  for (char& ch : unit.wu.WU_WMUTYPE)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  unitgeometry(unit.wu);
  return calcdafscale(unit.wu, unit.DAF_SCALE);
}

}  // namespace vorn
