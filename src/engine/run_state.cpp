#include "engine/run_state.hpp"

namespace vorn {

Chemical& ChemicalTable::append() {
  return rows_.emplace_back();
}

void ChemicalResults::allocateResults(int n) {
  slots_.assign(static_cast<std::size_t>(n > 0 ? n : 0), ResultSlots{});
  allocated_ = true;
}

}  // namespace vorn
