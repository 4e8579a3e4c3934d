#include "scenario/scenario.hpp"

namespace vorn::scenario {

const char* vary_kind_name(VaryKind kind) {
  return kind == VaryKind::variability ? "variability" : "uncertainty";
}

}  // namespace vorn::scenario
