#include "run/run_state.hpp"

namespace vorn {

void ChemicalResults::allocateResults(int n) {
  slots_.assign(static_cast<std::size_t>(n > 0 ? n : 0), ResultSlots{});
}

void RunState::clear() {
  unit = UnitModel{};
  as_read.clear();
  daf.clear();
  chem.take();
  res.releaseResults();
  limits.clear();
}

}  // namespace vorn
