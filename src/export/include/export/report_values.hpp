// The values the report derives for one chemical, in the order the exports write them.
#pragma once

#include "vorn/pathways.hpp"
#include "vorn/records.hpp"

namespace vorn {

// Calls f(name, value) for each value in order: sums and limits as double, pathway
// numbers as int, the five-pathway arrays as std::array, the limiting pathways' names
// as const char*, the exceedances of Table 9 as bool.
template <typename F>
void for_each_report_value(const ChemicalReport& w, F&& f) {
  // Pathway numbers outside 1..5 can only come from a value built by a caller.
  const auto name = [](const char* (*names)(int), int k) {
    return k >= 1 && k <= kPathways ? names(k) : "";
  };
  f("RI_SF", w.RI_SF);
  f("RI_GW", w.RI_GW);
  f("HI_SF", w.HI_SF);
  f("HI_GW", w.HI_GW);
  f("SF_ALLOW", w.SF_ALLOW);
  f("SF_LIMIT", w.SF_LIMIT);
  f("TC_MAX", w.TC_MAX);
  f("TCLPMAX", w.TCLPMAX);
  f("LIMITPOE", w.LIMITPOE);
  f("GW_LIMIT", w.GW_LIMIT);
  f("GW_WELL", w.GW_WELL);
  f("DAF", w.DAF);
  f("DAF_WV", w.DAF_WV);
  f("GW_PATHWAY", name(gw_pathname, w.GW_LIMIT));
  f("SF_PATHWAY", name(sf_pathname, w.SF_LIMIT));
  f("GW_EXCEEDED", w.GW_EXCEEDED);
  f("SF_EXCEEDED", w.SF_EXCEEDED);
}

}  // namespace vorn
