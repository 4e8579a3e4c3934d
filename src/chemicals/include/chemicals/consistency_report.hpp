// The consistency report of the libraries (`vorn chem check`): values two tables disagree
// on, ids and their check digits, table rows not loaded and remarks on rows, and the unit
// pins of the compiled snapshot.
#pragma once

#include <string>
#include <vector>

#include "chemicals/library.hpp"
#include "chemicals/library_stack.hpp"

namespace vorn::chemicals {

struct PinResult {
  std::string what;
  std::string expected;
  std::string found;
  bool holds = false;
};

// The values that pin the conversions of the snapshot's tables: units that agree across
// tables, the unit risk and drinking-water conversions, the skin-permeability column, the
// dermal constants of benzene and benzo(a)pyrene.
std::vector<PinResult> check_unit_pins(const Library& library);

// The report of every library of the stack, as text for people.
std::string consistency_report(const LibraryStack& stack);

}  // namespace vorn::chemicals
