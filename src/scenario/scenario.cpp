#include "scenario/scenario.hpp"

namespace vorn::mc {

const char* vary_kind_name(VaryKind kind) {
  return kind == VaryKind::variability ? "variability" : "uncertainty";
}

}  // namespace vorn::mc
