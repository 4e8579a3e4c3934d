// The rank sensitivity of a probabilistic run, from the rows it stored: per chemical, the
// inputs that can move it (its own, the unit's and those shared by every chemical) ranked
// against its limiting quantity; the stream totals against every input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "numerics/rank_sensitivity.hpp"

namespace vorn::mc {

struct RunInput {
  std::string label;
  // The chemicals its draw goes to (0-based); empty for an input of the unit.
  std::vector<std::size_t> chemicals;
  // Correlated through the copula in a run sampled by LHS or Sobol points: its draws lost
  // their strata.
  bool unstratified = false;
  // The same draw as an earlier input (an "each" DAF factor shared by chemicals of one CAS):
  // its column repeats that input's, which lists the chemicals of both and is ranked alone.
  bool repeats = false;
  bool moves(std::size_t chemical) const;
};

// ranks.inputs[k] is the index of input inputs[k] (an index into McSensitivity::inputs).
struct RankedOutput {
  std::vector<std::size_t> inputs;
  numerics::RankSensitivity ranks;
};

struct McSensitivity {
  std::uint64_t rows = 0;  // the stored rows: realizations 1..rows
  std::size_t columns = 0;
  std::uint64_t bytes() const { return rows * columns * sizeof(float); }
  std::vector<RunInput> inputs;
  std::vector<RankedOutput> chemicals;  // on each chemical's limiting quantity
  RankedOutput stream_risk, stream_hazard;
};

inline constexpr std::size_t kRankReplicates = 1000;  // bootstrap replicates of the intervals

// `rows` holds the stored rows laid out as SampleRowLayout{inputs.size(), chemicals}
// gives them; the intervals' bootstrap draws from the run's `seed`. Throws
// std::invalid_argument when its size is not a whole number of rows.
McSensitivity rank_run(std::vector<RunInput> inputs, std::size_t chemicals,
                       const std::vector<float>& rows, std::uint64_t seed);

}  // namespace vorn::mc
