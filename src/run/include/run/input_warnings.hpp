// The warnings of a run about values it read but could not use as given.
#pragma once

#include <string>
#include <vector>

#include "groundwater/daf_rows.hpp"
#include "input/daf_table.hpp"
#include "model/unit_model.hpp"
#include "vorn/records.hpp"

namespace vorn {

// A NaN in a unit line, a property or concentration value or a DAF row, named by chemical
// (or row) and field; and each chemical without DAF rows, with the DAF the run uses for it
// (its own, or the default of the unit type, times the unit's scale factor). `rows[k]` are
// chemical k's DAF rows.
std::vector<std::string> input_warnings(const UnitModel& unit,
                                        const std::vector<Chemical>& chemicals,
                                        const std::vector<DafRowMatch>& rows, const DafTable& daf);

}  // namespace vorn
