// The exposure pathways in one table: the code the report and the text files give each, its
// result slots, its label for charts and its words for sentences. The limits, the report, the
// exports, the batch and the probabilistic runs all read it, so a pathway is named the same
// everywhere; a new pathway is one more row here (and its slots in result_slots.hpp).
#pragma once

#include <cstddef>
#include <string_view>

#include "vorn/records.hpp"

namespace vorn {

struct Pathway {
  const char* code;       // VORN.OUT, CSV and JSON, 15 characters at most: "GWINHALATION"
  const char* label;      // charts: "Indoor inhalation (GW)"
  const char* words;      // sentences: "indoor inhalation"
  const char* risk_slot;  // result slot names; empty for the drinking-water limit
  const char* hq_slot;
  double ResultSlots::*risk;
  double ResultSlots::*hq;
};

// The nine pathways whose risk and hazard quotient each chemical gets, in the report's order:
// five surface pathways, then four groundwater pathways.
inline constexpr Pathway kPathwayTable[] = {
    {"SWINGESTION", "Surface-water ingestion", "surface-water ingestion", "R_SWING", "H_SWING",
     &ResultSlots::R_SWING, &ResultSlots::H_SWING},
    {"AIRPARTINHAL", "Particulate inhalation", "particulate inhalation", "R_AIRPT", "H_AIRPT",
     &ResultSlots::R_AIRPT, &ResultSlots::H_AIRPT},
    {"SWFISHINGEST", "Fish ingestion", "fish ingestion", "R_SWFISH", "H_SWFISH",
     &ResultSlots::R_SWFISH, &ResultSlots::H_SWFISH},
    {"SOILINGESTION", "Soil ingestion", "soil ingestion", "R_AIRSOIL", "H_AIRSOIL",
     &ResultSlots::R_AIRSOIL, &ResultSlots::H_AIRSOIL},
    {"AIRVOLATINHAL", "Volatile inhalation", "volatile inhalation", "R_AIRVOL", "H_AIRVOL",
     &ResultSlots::R_AIRVOL, &ResultSlots::H_AIRVOL},
    {"GWINGESTION", "Groundwater ingestion", "groundwater ingestion", "R_GWING", "H_GWING",
     &ResultSlots::R_GWING, &ResultSlots::H_GWING},
    {"GWINHALATION", "Indoor inhalation (GW)", "indoor inhalation", "R_GWINH", "H_GWINH",
     &ResultSlots::R_GWINH, &ResultSlots::H_GWINH},
    {"GWDERMAL-ADT", "Dermal contact, adult (GW)", "dermal contact, adult", "R_GWDERM_A",
     "H_GWDERM_A", &ResultSlots::R_GWDERM_A, &ResultSlots::H_GWDERM_A},
    {"GWDERMAL-CHD", "Dermal contact, child (GW)", "dermal contact, child", "R_GWDERM_C",
     "H_GWDERM_C", &ResultSlots::R_GWDERM_C, &ResultSlots::H_GWDERM_C},
};
inline constexpr std::size_t kSurfacePathwayCount = 5;

// What limits a groundwater comparison besides the four groundwater pathways: the MCL turned
// into a leachate concentration. It has no slots of its own.
inline constexpr Pathway kDrinkingWaterLimit = {
    "MCL", "Drinking-water limit", "drinking-water limit", "", "", nullptr, nullptr};

// The limiting pathways by the report's numbers 1..kPathways (GW_LIMIT, SF_LIMIT).
constexpr const Pathway& groundwater_limit(int k) {
  return k == kMclPathway ? kDrinkingWaterLimit : kPathwayTable[kSurfacePathwayCount + k - 1];
}
constexpr const Pathway& surface_limit(int k) {
  return kPathwayTable[k - 1];
}
// The pathway whose result slots end in `suffix` ("GWINH": R_GWINH, CC_GWINH ...); none for a
// suffix of no pathway's.
constexpr const Pathway* pathway_of_slots(std::string_view suffix) {
  for (const Pathway& p : kPathwayTable)
    if (std::string_view(p.risk_slot).substr(2) == suffix) return &p;
  return nullptr;
}

// GW_PATHNAME and SF_PATHNAME: the codes of the limiting pathways.
constexpr const char* gw_pathname(int k) {
  return groundwater_limit(k).code;
}
constexpr const char* sf_pathname(int k) {
  return surface_limit(k).code;
}

}  // namespace vorn
