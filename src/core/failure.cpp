#include "core/failure.hpp"

namespace vorn {

std::vector<LogLine> failure_lines(const Failure& f) {
  const std::string type(f.text.data(), f.text.size());
  switch (f.kind) {
    case FailureKind::none:
      return {};
    case FailureKind::unit_type:
      return {LogLine() << "Stop, Error: WMUTYPE= " << type};
    case FailureKind::waste_volume:
      return {LogLine() << "Stop, Error: Waste volume=" << f.value};
    case FailureKind::volume_unit:
      return {LogLine() << "Stop, Error: Illegal vol.unit=" << f.number,
              LogLine() << "0-Cubic Yards, 1-Cubic Feet, 2-Cubic Meters"};
    case FailureKind::active_life:
      return {LogLine() << "Stop, Error: Active Life(years)=" << f.value};
    case FailureKind::unit_type_guard:
      return {LogLine() << "Error in WMUTYPE:" << type};
    case FailureKind::main_unit_type_guard:
      return {LogLine() << "ERROR IN MAIN, WU_WMUTYPE= " << type};
    case FailureKind::organic_flag:
      return {LogLine() << "Error: Chemical type(Organic/Inorganic)=" << f.number,
              LogLine() << "1-organic, 0-inorganic"};
    case FailureKind::too_many_daf_rows:
      return {LogLine() << "Stop, Error: more than 50 DAF rows for chemical #" << f.number};
    case FailureKind::forward_interpolation:
      return {LogLine() << "FAILED DAF 2D INTERPOLATION IN FORWARD CALC",
              LogLine() << "DAF DID NOT FIND FOR CHEMICAL #" << f.number};
    case FailureKind::backward_interpolation:
      return {LogLine() << "FAILED DAF 1D INTERPOLATION IN BACKWARD CALC"};
  }
  return {};
}

const char* failure_reason(FailureKind kind) {
  switch (kind) {
    case FailureKind::none:
      return "none";
    case FailureKind::unit_type:
    case FailureKind::unit_type_guard:
    case FailureKind::main_unit_type_guard:
      return "unit type is neither LF nor SI";
    case FailureKind::waste_volume:
      return "waste volume not above 0";
    case FailureKind::volume_unit:
      return "volume unit not 0, 1 or 2";
    case FailureKind::active_life:
      return "active life not above 0";
    case FailureKind::organic_flag:
      return "organic flag neither 0 nor 1";
    case FailureKind::too_many_daf_rows:
      return "more than 50 DAF rows";
    case FailureKind::forward_interpolation:
      return "DAF interpolation failed (leachate concentration)";
    case FailureKind::backward_interpolation:
      return "DAF interpolation failed (well concentration)";
  }
  return "unknown";
}

}  // namespace vorn
