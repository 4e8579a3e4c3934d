#include "input/unit_checks.hpp"

namespace vorn {

Failure check_unit_type(std::string_view type) {
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  const bool known = type.size() == 2 && ((upper(type[0]) == 'L' && upper(type[1]) == 'F') ||
                                          (upper(type[0]) == 'S' && upper(type[1]) == 'I'));
  return known ? Failure{} : Failure::with_text(FailureKind::unit_type, type);
}

Failure check_waste_volume(double volume) {
  return volume > 0.0 ? Failure{} : Failure::with_value(FailureKind::waste_volume, volume);
}

Failure check_volume_unit(std::int32_t unit) {
  return unit >= 0 && unit <= 2 ? Failure{} : Failure::of(FailureKind::volume_unit, unit);
}

Failure check_active_life(double years) {
  return years > 0.0 ? Failure{} : Failure::with_value(FailureKind::active_life, years);
}

Failure check_unit(const WasteUnit& wu) {
  if (Failure f = check_unit_type(wu.WU_WMUTYPE)) return f;
  if (Failure f = check_waste_volume(wu.WU_WASTEVOL)) return f;
  if (Failure f = check_volume_unit(wu.WU_VOLUNIT)) return f;
  return check_active_life(wu.WU_ACTLIFE);
}

}  // namespace vorn
