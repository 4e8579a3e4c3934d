// The distribution families, one entry each: the name scenario files and documents give it,
// the parameters it reads, its checks and its model. Adding a family is one enumerator, one
// entry here and one file of its functions (family_*.cpp); nothing else learns its name.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "numerics/distribution.hpp"
#include "numerics/family_model.hpp"

namespace vorn::numerics {

class ParameterChecker;

struct FamilyEntry {
  Family family;
  std::string_view name;  // in scenario files and documents
  std::string_view keys;  // the parameters it reads, each between blanks: " min mode max "
  // Gives the parameters that have a default and were not given their value (none: nullptr).
  void (*defaults)(DistributionParameters& p);
  // Adds every problem of the parameters, one short sentence each.
  void (*check)(ParameterChecker& checker, const DistributionParameters& p);
  // The model of checked parameters. Throws std::invalid_argument when they still cannot
  // make one (a truncation that keeps no probability).
  std::shared_ptr<const FamilyModel> (*make)(const DistributionParameters& p);
};

// Every family, in the order of the enumeration.
std::span<const FamilyEntry> family_entries();
const FamilyEntry& family_entry(Family family);

}  // namespace vorn::numerics
