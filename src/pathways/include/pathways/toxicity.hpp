// The three cases of a toxicity value (slope factor or reference dose) that every pathway
// tells apart; each pathway decides what each case means for it.
#pragma once

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

}  // namespace vorn
