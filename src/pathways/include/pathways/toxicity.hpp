// The three cases of a toxicity value (slope factor or reference dose) that every pathway
// tells apart, and what the cancer and non-cancer halves of a pathway make of them.
#pragma once

#include "vorn/records.hpp"

namespace vorn {

enum class Toxicity {
  positive,
  zero,     // no toxicity: the pathway gives no risk and no limit
  missing,  // negative or NaN: not known
};

inline Toxicity toxicity(double value) {
  if (value > 0) return Toxicity::positive;
  if (value == 0) return Toxicity::zero;
  return Toxicity::missing;
}

// One half of a pathway's slots: its risk (or hazard quotient), its allowable waste or leachate
// concentration and, where the pathway has one, its allowable concentration at the receptor.
struct HalfSlots {
  double& value;
  double& allowable;
  double* receptor = nullptr;
};

namespace detail {
inline void set_half(HalfSlots s, double allowable) {
  s.value = 0;
  s.allowable = allowable;
  if (s.receptor) *s.receptor = allowable;
}
}  // namespace detail

// The cancer half. A positive slope factor: `compute()` fills the slots (and returns what it
// returns, a failure of the DAF lookup say). Zero: no risk and no limit by this route. Missing:
// no risk, and an allowable of 0, which every waste exceeds.
template <class Compute>
auto cancer_half(double csf, HalfSlots s, Compute&& compute) {
  using Result = decltype(compute());
  switch (toxicity(csf)) {
    case Toxicity::positive:
      return compute();
    case Toxicity::zero:
      detail::set_half(s, NOT_COMPUTED);
      break;
    case Toxicity::missing:
      detail::set_half(s, 0.0);
      break;
  }
  return Result();
}

// The non-cancer half, as the cancer half, except that a missing reference dose takes the
// allowables the cancer half has just set: it runs after that half.
template <class Compute>
auto noncancer_half(double rfd, HalfSlots s, const HalfSlots& cancer, Compute&& compute) {
  using Result = decltype(compute());
  switch (toxicity(rfd)) {
    case Toxicity::positive:
      return compute();
    case Toxicity::zero:
      detail::set_half(s, NOT_COMPUTED);
      break;
    case Toxicity::missing:
      s.value = 0;
      s.allowable = cancer.allowable;
      if (s.receptor && cancer.receptor) *s.receptor = *cancer.receptor;
      break;
  }
  return Result();
}

}  // namespace vorn
