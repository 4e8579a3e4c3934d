// The header-only Philox4x32-10 against Random123's, block for block.
#include <gtest/gtest.h>

#include <Random123/philox.h>

#include <cstdint>
#include <random>

#include "numerics/philox.hpp"

namespace vorn::numerics {
namespace {

PhiloxCounter reference(const PhiloxCounter& c, const PhiloxKey& k) {
  using Philox = r123::Philox4x32;
  const Philox::ctr_type ctr = {{c[0], c[1], c[2], c[3]}};
  const Philox::key_type key = {{k[0], k[1]}};
  const Philox::ctr_type out = Philox()(ctr, key);
  return {out[0], out[1], out[2], out[3]};
}

// The known-answer vectors that come with the algorithm's description.
TEST(Philox, KnownAnswers) {
  EXPECT_EQ(philox4x32_10({0, 0, 0, 0}, {0, 0}),
            (PhiloxCounter{0x6627e8d5u, 0xe169c58du, 0xbc57ac4cu, 0x9b00dbd8u}));
  EXPECT_EQ(philox4x32_10({0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu},
                          {0xffffffffu, 0xffffffffu}),
            (PhiloxCounter{0x408f276du, 0x41c83b0eu, 0xa20bc7c6u, 0x6d5451fdu}));
  EXPECT_EQ(philox4x32_10({0x243f6a88u, 0x85a308d3u, 0x13198a2eu, 0x03707344u},
                          {0xa4093822u, 0x299f31d0u}),
            (PhiloxCounter{0xd16cfe09u, 0x94fdccebu, 0x5001e420u, 0x24126ea1u}));
}

TEST(Philox, SameBlocksAsRandom123OnAMillionPairs) {
  std::mt19937_64 gen(1234567);
  int failures = 0;
  for (int i = 0; i < 1'000'000 && failures < 10; ++i) {
    const std::uint64_t a = gen();
    const std::uint64_t b = gen();
    const std::uint64_t k = gen();
    const PhiloxCounter c = {static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(a >> 32),
                             static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(b >> 32)};
    const PhiloxKey key = {static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(k >> 32)};
    if (philox4x32_10(c, key) != reference(c, key)) {
      ADD_FAILURE() << "counter " << a << "," << b << " key " << k;
      ++failures;
    }
  }
}

static_assert(philox4x32_10({0, 0, 0, 0}, {0, 0})[0] == 0x6627e8d5u);

}  // namespace
}  // namespace vorn::numerics
