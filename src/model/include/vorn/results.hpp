// Every value of a completed run, for callers that need them at full precision.
#pragma once

#include <vector>

#include "vorn/records.hpp"

namespace vorn {

struct Results {
  WasteUnit unit;
  double DAF_SCALE = 0.0;
  // Element i - 1 of each belongs to chemical i, in input order.
  std::vector<Chemical> chemicals;  // as read and adjusted by the run
  std::vector<ResultSlots> results;
  std::vector<ChemicalReport> report;
  StreamTotals totals;
};

}  // namespace vorn
