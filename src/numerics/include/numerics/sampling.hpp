// How the uniforms of a probabilistic run are drawn.
#pragma once

namespace vorn::numerics {

enum class Sampling { random, lhs, sobol };

// "random", "lhs", "sobol": its name in scenario files and documents.
const char* sampling_name(Sampling sampling);

}  // namespace vorn::numerics
