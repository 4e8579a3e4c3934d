// Which pathways each value of a chemical record decides: the pathways whose results a
// missing value (−1) leaves uncomputed (gates), and those it makes compute otherwise
// (alters). Measured on the engine for an organic chemical with every other value given,
// taking the union of a LOGKOW at most 4 (fish take the BCF) and above 4 (the BAF).
#pragma once

#include <string>
#include <string_view>

#include "vorn/pathways.hpp"

namespace vorn::chemicals {

// Sets of result groups, one bit each: the nine pathways and the dissolved surface-water
// concentration.
enum PathwayBit : unsigned {
  kGroundwaterIngestion = 1u << 0,   // GWING
  kGroundwaterInhalation = 1u << 1,  // GWINH
  kDermalAdult = 1u << 2,            // GWDERM_A
  kDermalChild = 1u << 3,            // GWDERM_C
  kVolatileInhalation = 1u << 4,     // AIRVOL
  kParticulateInhalation = 1u << 5,  // AIRPT
  kSoilIngestion = 1u << 6,          // AIRSOIL
  kSurfaceWaterIngestion = 1u << 7,  // SWING
  kFishIngestion = 1u << 8,          // SWFISH
  kDissolvedSurfaceWater = 1u << 9,  // SWDISS
};
inline constexpr int kPathwayBits = 10;

struct PathwayGroup {
  unsigned bit;
  const char* code;   // the suffix of its result slots
  const char* words;  // for people, as the pathway table gives them
};
inline constexpr PathwayGroup kPathwayGroups[kPathwayBits] = {
    {kGroundwaterIngestion, "GWING", pathway_of_slots("GWING")->words},
    {kGroundwaterInhalation, "GWINH", pathway_of_slots("GWINH")->words},
    {kDermalAdult, "GWDERM_A", pathway_of_slots("GWDERM_A")->words},
    {kDermalChild, "GWDERM_C", pathway_of_slots("GWDERM_C")->words},
    {kVolatileInhalation, "AIRVOL", pathway_of_slots("AIRVOL")->words},
    {kParticulateInhalation, "AIRPT", pathway_of_slots("AIRPT")->words},
    {kSoilIngestion, "AIRSOIL", pathway_of_slots("AIRSOIL")->words},
    {kSurfaceWaterIngestion, "SWING", pathway_of_slots("SWING")->words},
    {kFishIngestion, "SWFISH", pathway_of_slots("SWFISH")->words},
    {kDissolvedSurfaceWater, "SWDISS", "dissolved surface-water concentration"},
};

struct UnitGates {
  unsigned gates = 0;
  unsigned alters = 0;
};

struct FieldGate {
  const char* field;  // as the stream sheet names it (RFCI: the reference concentration)
  UnitGates landfill;
  UnitGates impoundment;
  const char* also;  // what else reads it, for people; "" none
};

// Every real value of the record but the chemical's own DAFs, in the record's order.
// The sets the table is made of.
inline constexpr unsigned kDermalContact = kDermalAdult | kDermalChild;
inline constexpr unsigned kLandfillOralRoutes = kGroundwaterIngestion | kDermalContact |
                                                kSoilIngestion | kSurfaceWaterIngestion |
                                                kFishIngestion;
inline constexpr unsigned kLandfillInhaledRoutes =
    kGroundwaterInhalation | kVolatileInhalation | kParticulateInhalation;
inline constexpr unsigned kImpoundmentOralRoutes = kGroundwaterIngestion | kDermalContact;
inline constexpr unsigned kImpoundmentInhaledRoutes = kGroundwaterInhalation | kVolatileInhalation;

inline constexpr const char* kReportedBesideWaste = "reported beside the waste (Table 10)";

inline constexpr FieldGate kFieldGates[] = {
    {"MCL", {}, {}, "the drinking-water limit (Tables 6, 8 and 9)"},
    {"CSFO", {kLandfillOralRoutes, 0}, {kImpoundmentOralRoutes, 0}, ""},
    {"CSFI", {kLandfillInhaledRoutes, 0}, {kImpoundmentInhaledRoutes, 0}, ""},
    {"ORDO", {kLandfillOralRoutes, 0}, {kImpoundmentOralRoutes, 0}, ""},
    {"RFCI", {kLandfillInhaledRoutes, 0}, {kImpoundmentInhaledRoutes, 0}, ""},
    {"BCF", {0, kFishIngestion}, {}, ""},
    {"SOILST", {}, {}, kReportedBesideWaste},
    {"TOX_C", {}, {}, kReportedBesideWaste},
    {"HENRY", {kGroundwaterInhalation, 0}, {kImpoundmentInhaledRoutes, 0}, ""},
    {"DIFFW", {kGroundwaterInhalation, 0}, {kImpoundmentInhaledRoutes, 0}, ""},
    {"DIFFA",
     {kGroundwaterInhalation | kVolatileInhalation, 0},
     {kImpoundmentInhaledRoutes, 0},
     ""},
    {"SOL", {}, {}, ""},
    {"TSTAR", {0, kDermalContact}, {0, kDermalContact}, ""},
    {"KPW", {kDermalContact, 0}, {kDermalContact, 0}, ""},
    {"TAU", {0, kDermalContact}, {0, kDermalContact}, ""},
    {"BUNGE", {}, {}, ""},
    {"BAF", {kFishIngestion, 0}, {}, ""},
    {"ECOCHRON", {}, {}, kReportedBesideWaste},
    {"MW", {kVolatileInhalation, 0}, {}, ""},
    {"VP", {kVolatileInhalation, 0}, {}, ""},
    {"KDSW", {0, kFishIngestion | kDissolvedSurfaceWater}, {}, ""},
    {"LOGKOW", {0, kFishIngestion}, {}, ""},
};
inline constexpr std::size_t kFieldGateCount = std::size(kFieldGates);

// nullptr for a field without a row.
const FieldGate* field_gate(std::string_view field);
const UnitGates& gates_for(const FieldGate& gate, bool landfill);

// "GWINH AIRVOL" / "indoor inhalation, volatile inhalation"; "" for none.
std::string pathway_codes(unsigned bits);
std::string pathway_words(unsigned bits);

}  // namespace vorn::chemicals
