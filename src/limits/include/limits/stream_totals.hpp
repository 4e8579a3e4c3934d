// The stream's sums over its chemicals.
#pragma once

#include <vector>

#include "vorn/records.hpp"

namespace vorn {

// Sums in input order; element k of each vector belongs to the same chemical.
StreamTotals stream_totals(const std::vector<Chemical>& chemicals,
                           const std::vector<ResultSlots>& slots,
                           const std::vector<ChemicalReport>& limits);

}  // namespace vorn
