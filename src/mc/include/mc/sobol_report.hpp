// What the documents show of a variance-based sensitivity run: the design, its input groups
// and the Sobol indices of every chemical's limiting quantity and of the stream totals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "numerics/sobol_indices.hpp"

namespace vorn::mc {

struct SobolReport {
  std::uint64_t seed = 0;
  std::size_t base_rows = 0;        // M
  std::size_t evaluations = 0;      // M (p + 2)
  std::size_t replicates = 0;       // of the bootstrap
  std::vector<std::string> groups;  // one per [[vary]] entry
  std::vector<std::string> names, cas;
  std::vector<numerics::SobolIndices> chemicals;  // on each limiting quantity
  numerics::SobolIndices stream_risk, stream_hazard;
};

}  // namespace vorn::mc
