// The rows a run stores for rank sensitivity travel in parts as the little-endian bytes of
// their floats in base64: every float comes back bit for bit, NaN and -0 included, and
// blocks merge into realization order or are refused.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <vector>

#include "mc/sample_rows.hpp"

namespace vorn::mc {
namespace {

SampleRows block(std::uint64_t first, std::vector<float> values, std::size_t columns) {
  SampleRows rows;
  rows.columns = columns;
  rows.blocks.emplace(first, std::move(values));
  return rows;
}

TEST(SampleRows, EveryFloatComesBackBitForBitAndBlocksJoinInRealizationOrder) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  // 1, 2 and 3 floats of tail bytes exercise every base64 padding.
  const std::vector<float> odd = {-0.0f,
                                  kNaN,
                                  std::numeric_limits<float>::denorm_min(),
                                  -std::numeric_limits<float>::infinity(),
                                  3.4e38f,
                                  1.0f / 3};
  for (const std::size_t n : {1u, 2u, 3u, 6u}) {
    const std::vector<float> values(odd.begin(), odd.begin() + static_cast<long>(n));
    nlohmann::ordered_json j;
    block(1, values, 1).to_json(j);
    const SampleRows back = SampleRows::from_json(j);
    ASSERT_EQ(back.count(), n);
    const std::vector<float>& got = back.blocks.at(1);
    for (std::size_t i = 0; i < n; ++i)
      EXPECT_EQ(std::bit_cast<std::uint32_t>(got[i]), std::bit_cast<std::uint32_t>(values[i]))
          << n << " " << i;
  }

  SampleRows rows = block(3, {5, 6, 7, 8}, 2);  // realizations 3 and 4
  rows.merge(block(1, {1, 2, 3, 4}, 2));        // 1 and 2, given later
  EXPECT_EQ(rows.joined(), (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_THROW(rows.merge(block(3, {0, 0}, 2)), std::invalid_argument);  // held twice
  EXPECT_THROW(rows.merge(block(9, {0, 0, 0}, 3)), std::invalid_argument);
  EXPECT_THROW(block(2, {1, 2}, 2).joined(), std::invalid_argument);  // realization 1 missing

  nlohmann::ordered_json bad;
  block(1, {1, 2}, 2).to_json(bad);
  bad["blocks"][0]["rows"] = 2;  // 8 bytes cannot be 2 rows of 2 floats
  EXPECT_THROW(SampleRows::from_json(bad), std::invalid_argument);
  bad["blocks"][0]["rows"] = 1;
  bad["blocks"][0]["float32le"] = "AAAAAAA*AAA=";
  EXPECT_THROW(SampleRows::from_json(bad), std::invalid_argument);
}

TEST(SampleRows, OnlyTheFirstHundredThousandRealizationsAreKept) {
  EXPECT_EQ(sample_row_range(1, 50).count(), 50u);
  EXPECT_EQ(sample_row_range(99'990, 200'000).count(), 11u);
  EXPECT_EQ(sample_row_range(100'001, 200'000).count(), 0u);
  EXPECT_EQ(limiting_quantity(0.5, 2.0), 2.0);
  EXPECT_EQ(limiting_quantity(std::nan(""), 2.0), 2.0);
}

}  // namespace
}  // namespace vorn::mc
