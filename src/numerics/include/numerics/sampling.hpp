// How the uniforms of a probabilistic run are drawn.
#pragma once

namespace vorn::numerics {

enum class Sampling { random, lhs, sobol };

}  // namespace vorn::numerics
