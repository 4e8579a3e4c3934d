// The verdict on a chemical at the decision percentile P, from the 95 % Wilson interval of
// its P(exceeded) against the share t = (100 - P) / 100 that the decision allows: exceeded
// when the whole interval lies above t, not exceeded when it lies at or below t, and
// undetermined while the interval holds t.
#pragma once

#include <cstdint>
#include <optional>

#include "numerics/wilson_interval.hpp"

namespace vorn::mc {

enum class Verdict { not_exceeded, exceeded, undetermined };

Verdict verdict_of(const numerics::ShareInterval& p_exceeded, double allowed_share);
const char* verdict_words(Verdict v);  // "not exceeded", "exceeded", "undetermined"

// How many more realizations would settle an undetermined verdict if P(exceeded) stayed at
// its estimate p: the Wilson interval at that estimate leaves t out once N (p - t)^2 >
// z^2 t (1 - t) (the score test it inverts), so the least such N less the n run, at least
// 1. Nothing when p equals t: no number of realizations settles it there.
std::optional<std::uint64_t> realizations_to_settle(double p, double allowed_share,
                                                    std::uint64_t n);

}  // namespace vorn::mc
