#include "run/run_state.hpp"

namespace vorn {

void ChemicalResults::allocateResults(int n) {
  slots_.assign(static_cast<std::size_t>(n > 0 ? n : 0), ResultSlots{});
}

}  // namespace vorn
