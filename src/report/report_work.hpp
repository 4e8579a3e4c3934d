// Per-chemical values the report derives: sums, allowables and limiting pathways.
#pragma once

#include <array>
#include <vector>

namespace vorn {

// Pathway numbers 1..5 of the surface and the groundwater pathways.
inline constexpr int kPathways = 5;
inline constexpr int kMclPathway = 5;

struct ChemicalReport {
  double RI_SF = 0.0;
  double RI_GW = 0.0;
  double HI_SF = 0.0;
  double HI_GW = 0.0;
  std::array<double, kPathways> SF_ALLOW{};
  int SF_LIMIT = 1;
  double TC_MAX = 0.0;
  double TCLPMAX = 0.0;
  double LIMITPOE = 0.0;
  int GW_LIMIT = 1;
  std::array<double, kPathways> GW_WELL{};
  double DAF = 1.0;     // as Table 6 prints it
  double DAF_WV = 1.0;  // as Table 6 prints it
  bool GW_EXCEEDED = false;
  bool SF_EXCEEDED = false;
};

// Element i - 1 belongs to chemical i.
using ReportWork = std::vector<ChemicalReport>;

// Names of the pathways by number, 15 characters each.
const char* gw_pathname(int k);
const char* sf_pathname(int k);

}  // namespace vorn
