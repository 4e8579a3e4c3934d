// The rows a run keeps for rank sensitivity: realizations 1..min(N, kSampleRowLimit), each
// row the sampled inputs, every chemical's limiting quantity and the stream totals, stored
// as floats. They are kept apart from the statistics (and outside their memory bound):
// 4 bytes a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <nlohmann/json_fwd.hpp>
#include <string_view>
#include <vector>

namespace vorn::scenario {
struct SamplingPlan;
}

namespace vorn::mc {

class RealizationEvaluator;

inline constexpr std::uint64_t kSampleRowLimit = 100'000;

// The columns of a row: the plan's parameters in order, then per chemical its limiting
// quantity, the larger of GW_RATIO and SF_RATIO (NaN when the chemical or the unit failed),
// then RI_TOT and HI_TOT of the stream (NaN unless every chemical completed).
struct SampleRowLayout {
  std::size_t inputs = 0, chemicals = 0;
  std::size_t columns() const { return inputs + chemicals + 2; }
  std::size_t limiting(std::size_t chemical) const { return inputs + chemical; }
  std::size_t stream_risk() const { return inputs + chemicals; }
  std::size_t stream_hazard() const { return inputs + chemicals + 1; }
};

// The rows of realizations first..last within 1..kSampleRowLimit: none when first > last.
struct SampleRowRange {
  std::uint64_t first = 1, last = 0;
  std::uint64_t count() const { return last < first ? 0 : last + 1 - first; }
};
SampleRowRange sample_row_range(std::uint64_t first, std::uint64_t last);

// The larger of a chemical's two ratios of waste to allowable concentration; a NaN ratio
// (0 / 0) gives way to the other.
double limiting_quantity(double gw_ratio, double sf_ratio);

// Writes the row of the realization the evaluator evaluated last to out[0..columns).
void fill_sample_row(const RealizationEvaluator& evaluator, float* out);

struct SampleRows {
  std::size_t columns = 0;
  // Consecutive rows by their first realization: rows first, first + 1, ..., row-major.
  std::map<std::uint64_t, std::vector<float>> blocks;

  std::uint64_t count() const;
  // Every row, in realization order; throws std::invalid_argument unless they are
  // realizations 1..count() without a gap.
  std::vector<float> joined() const;
  // Adds the blocks of `other`; throws std::invalid_argument when the columns differ or a
  // block is held twice.
  void merge(SampleRows other);

  // Each block as {"first", "rows", "float32le"}: its values' little-endian bytes, base64.
  void to_json(nlohmann::ordered_json& out) const;
  static SampleRows from_json(const nlohmann::ordered_json& in);
};

}  // namespace vorn::mc
