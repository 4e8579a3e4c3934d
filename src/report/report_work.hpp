// Per-chemical values the report derives: sums, allowables and limiting pathways.
#pragma once

#include <vector>

#include "vorn/records.hpp"

namespace vorn {

// Element i - 1 belongs to chemical i.
using ReportWork = std::vector<ChemicalReport>;

// Names of the pathways by number, 15 characters each.
const char* gw_pathname(int k);
const char* sf_pathname(int k);

}  // namespace vorn
