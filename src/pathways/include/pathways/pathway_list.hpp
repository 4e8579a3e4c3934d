// The nine exposure pathways whose risk and hazard quotient each chemical gets, in the
// report's order: five surface pathways, then four groundwater pathways.
#pragma once

#include <cstddef>

#include "vorn/records.hpp"

namespace vorn {

struct PathwayEntry {
  const char* label;      // for people
  const char* risk_slot;  // result slot names
  const char* hq_slot;
  double ResultSlots::*risk;
  double ResultSlots::*hq;
};

inline constexpr PathwayEntry kNinePathways[] = {
    {"Surface-water ingestion", "R_SWING", "H_SWING", &ResultSlots::R_SWING, &ResultSlots::H_SWING},
    {"Particulate inhalation", "R_AIRPT", "H_AIRPT", &ResultSlots::R_AIRPT, &ResultSlots::H_AIRPT},
    {"Fish ingestion", "R_SWFISH", "H_SWFISH", &ResultSlots::R_SWFISH, &ResultSlots::H_SWFISH},
    {"Soil ingestion", "R_AIRSOIL", "H_AIRSOIL", &ResultSlots::R_AIRSOIL, &ResultSlots::H_AIRSOIL},
    {"Volatile inhalation", "R_AIRVOL", "H_AIRVOL", &ResultSlots::R_AIRVOL, &ResultSlots::H_AIRVOL},
    {"Groundwater ingestion", "R_GWING", "H_GWING", &ResultSlots::R_GWING, &ResultSlots::H_GWING},
    {"Indoor inhalation (GW)", "R_GWINH", "H_GWINH", &ResultSlots::R_GWINH, &ResultSlots::H_GWINH},
    {"Dermal contact, adult (GW)", "R_GWDERM_A", "H_GWDERM_A", &ResultSlots::R_GWDERM_A,
     &ResultSlots::H_GWDERM_A},
    {"Dermal contact, child (GW)", "R_GWDERM_C", "H_GWDERM_C", &ResultSlots::R_GWDERM_C,
     &ResultSlots::H_GWDERM_C},
};
inline constexpr std::size_t kSurfacePathwayCount = 5;

}  // namespace vorn
