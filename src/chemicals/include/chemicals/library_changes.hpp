// What a newer library changes against an older one, value by value.
#pragma once

#include <string>
#include <vector>

#include "chemicals/library.hpp"

namespace vorn::chemicals {

struct ValueChange {
  enum class Kind { added, changed, removed };
  Kind kind;
  std::string id, variant, field;
  std::string before, after;  // values as the libraries write them
  std::string unit;
};

// Values `after` adds or changes (a number by its double, a text by its characters), and the
// values of `before` from the tables named in `compared_tables` that `after` no longer holds.
std::vector<ValueChange> library_changes(const Library& before, const Library& after,
                                         const std::vector<std::string>& compared_tables);

// "changed 71-43-2 CSFI: 0.0273 -> 0.03 (mg/kg-day)-1" and the like.
std::string change_line(const ValueChange& change);

}  // namespace vorn::chemicals
