#include "numerics/sampling.hpp"

namespace vorn::numerics {

const char* sampling_name(Sampling sampling) {
  switch (sampling) {
    case Sampling::random:
      return "random";
    case Sampling::lhs:
      return "lhs";
    case Sampling::sobol:
      return "sobol";
  }
  return "unknown";
}

}  // namespace vorn::numerics
