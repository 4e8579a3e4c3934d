// The waste unit's values of a run, in the order the exports write them.
#pragma once

#include <string_view>

#include "vorn/results.hpp"

namespace vorn {

// Calls f(name, value) for each field computed for the unit's type (fields tagged BOTH
// belong to every unit, LF and SI fields to that type only), then for DAF_SCALE.
template <typename F>
void for_each_unit_value(const Results& results, F&& f) {
  const WasteUnit& unit = results.unit;
  const auto computed = [&unit](std::string_view which) {
    return which == "BOTH" || (which == "LF" && unit.is_landfill()) ||
           (which == "SI" && unit.is_impoundment());
  };
#define VORN_UNIT_VALUE(name, which) \
  if (computed(#which)) f(#name, unit.name);
  VORN_UNIT_FIELDS(VORN_UNIT_VALUE)
#undef VORN_UNIT_VALUE
  f("DAF_SCALE", results.DAF_SCALE);
}

}  // namespace vorn
