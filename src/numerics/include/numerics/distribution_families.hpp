// The distribution families, one entry each: the name scenario files and documents give it,
// the parameters it reads, its checks and its model. Adding a family is one enumerator, one
// entry here and one file of its functions (family_*.cpp); nothing else learns its name.
#pragma once

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "numerics/distribution.hpp"
#include "numerics/family_model.hpp"

namespace vorn::numerics {

class ParameterChecker;

// A parameter a family computes from the ones given (lognormal's sigma from mean and sd),
// which must come out a finite number > 0.
struct DerivedParameter {
  const char* name;  // "the sigma of ln X"
  double value;
  const char* from;  // "mean and sd": what it is computed from, named first in a problem
};

struct FamilyEntry {
  Family family;
  std::string_view name;  // in scenario files and documents
  std::string_view keys;  // the parameters it reads, each between blanks: " min mode max "
  // A continuous family never gives one value everywhere: that is a constant.
  bool continuous;
  // Gives the parameters that have a default and were not given their value (none: nullptr).
  void (*defaults)(DistributionParameters& p);
  // Adds every problem of the parameters, one short sentence each.
  void (*check)(ParameterChecker& checker, const DistributionParameters& p);
  // The parameters of its model computed from checked ones (none: nullptr).
  std::vector<DerivedParameter> (*derived)(const DistributionParameters& p);
  // The model of checked parameters. Throws std::invalid_argument when they still cannot
  // make one (a truncation that keeps no probability).
  std::shared_ptr<const FamilyModel> (*make)(const DistributionParameters& p);
};

// Every family, in the order of the enumeration.
std::span<const FamilyEntry> family_entries();
const FamilyEntry& family_entry(Family family);

// The model of checked parameters, ready to draw: its derived parameters finite and > 0, made
// without an error escaping, its quantile finite at every probability of kDrawProbes (after
// truncation) and, for a continuous family, not one value at all of them. Throws
// std::invalid_argument saying what is wrong, in one short sentence.
std::shared_ptr<const FamilyModel> make_model(Family family, const DistributionParameters& p);

}  // namespace vorn::numerics
