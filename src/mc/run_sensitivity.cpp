#include "mc/run_sensitivity.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "mc/sample_rows.hpp"
#include "numerics/ranked_inputs.hpp"

namespace vorn::mc {

bool RunInput::moves(std::size_t chemical) const {
  return chemicals.empty() ||
         std::find(chemicals.begin(), chemicals.end(), chemical) != chemicals.end();
}

McSensitivity rank_run(std::vector<RunInput> inputs, std::size_t chemicals,
                       const std::vector<float>& rows, std::uint64_t seed) {
  const SampleRowLayout layout{inputs.size(), chemicals};
  if (rows.size() % layout.columns() != 0)
    throw std::invalid_argument("stored rows of " + std::to_string(layout.columns()) +
                                " values cannot hold " + std::to_string(rows.size()));
  McSensitivity result;
  result.rows = rows.size() / layout.columns();
  result.columns = layout.columns();
  result.inputs = std::move(inputs);
  const numerics::RankedInputs sample(rows.data(), result.rows, layout.columns());
  auto rank = [&](std::vector<std::size_t> columns, std::size_t output) {
    RankedOutput out;
    out.inputs = std::move(columns);
    // An output with no input to rank keeps no indices.
    if (!out.inputs.empty())
      out.ranks = numerics::compute_rank_sensitivity(sample, out.inputs, sample.column(output),
                                                     {.seed = seed, .replicates = kRankReplicates});
    return out;
  };
  // A repeated draw is ranked once: a copy of a column would be collinear with it.
  std::vector<std::size_t> all;
  for (std::size_t k = 0; k < layout.inputs; ++k)
    if (!result.inputs[k].repeats) all.push_back(k);
  for (std::size_t i = 0; i < chemicals; ++i) {
    std::vector<std::size_t> own;
    for (const std::size_t k : all)
      if (result.inputs[k].moves(i)) own.push_back(k);
    result.chemicals.push_back(rank(std::move(own), layout.limiting(i)));
  }
  result.stream_risk = rank(all, layout.stream_risk());
  result.stream_hazard = rank(all, layout.stream_hazard());
  return result;
}

}  // namespace vorn::mc
