#include "mc/verdict.hpp"

#include <cmath>

namespace vorn::mc {

Verdict verdict_of(const numerics::ShareInterval& p, double allowed_share) {
  if (p.lower > allowed_share) return Verdict::exceeded;
  if (p.upper <= allowed_share) return Verdict::not_exceeded;
  return Verdict::undetermined;
}

const char* verdict_words(Verdict v) {
  switch (v) {
    case Verdict::exceeded:
      return "exceeded";
    case Verdict::not_exceeded:
      return "not exceeded";
    case Verdict::undetermined:
      break;
  }
  return "undetermined";
}

std::optional<std::uint64_t> realizations_to_settle(double p, double t, std::uint64_t n) {
  const double gap = p - t;
  if (gap == 0 || std::isnan(gap)) return std::nullopt;
  const double z = numerics::kNormal975;
  const double needed = std::floor(z * z * t * (1 - t) / (gap * gap)) + 1;
  // Past 2^64 no run is long enough either.
  if (!(needed < 0x1p64)) return std::nullopt;
  const auto total = static_cast<std::uint64_t>(needed);
  return total > n ? total - n : 1;
}

}  // namespace vorn::mc
