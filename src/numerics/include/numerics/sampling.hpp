// How the uniforms of a probabilistic run are drawn.
#pragma once

namespace vorn::mc {

enum class Sampling { random, lhs, sobol };

}  // namespace vorn::mc
