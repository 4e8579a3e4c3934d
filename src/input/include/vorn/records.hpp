// The records of a run: the waste unit, a chemical, its result slots and the
// values the report derives for it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "vorn/chemical_fields.hpp"
#include "vorn/result_slots.hpp"

namespace vorn {

// An allowable concentration that holds no computed limit.
inline constexpr double NOT_COMPUTED = 1.0e30;

struct WasteUnit {
  // Read from the site section.
  std::int32_t WU_SITEKEY = 0;
  std::string WU_WMUTYPE = "  ";
  double WU_RISKFACT = 0.0;
  double WU_HQFACT = 0.0;
  double WU_WASTEVOL = 0.0;
  std::int16_t WU_VOLUNIT = 0;
  double WU_ACTLIFE = 0.0;
  double WU_SIFLOW = 0.0;
  // Derived geometry and release terms.
  double WU_VOLYD3 = 0.0;
  double WU_VOLM3 = 0.0;
  double WU_ANNVOL = 0.0;
  double WU_AREAAC = 0.0;
  double WU_AREAM2 = 0.0;
  double WU_AREAV = 0.0;
  double WU_DISP1 = 0.0;
  double WU_DISP2 = 0.0;
  double WU_DIAM = 0.0;
  double WU_FETCHD = 0.0;
  double WU_RESTIME = 0.0;
  double WU_LSFAC = 0.0;
  double WU_EMITP = 0.0;
  double WU_EMITD = 0.0;
  double WU_SWFAC = 0.0;
  double WU_SWDFAC = 0.0;
  double WU_SUSP = 0.0;

  bool is_landfill() const { return WU_WMUTYPE == "LF"; }
  bool is_impoundment() const { return WU_WMUTYPE == "SI"; }
};

// The waste unit's fields in the order they are read and derived, with the unit
// types they are computed for (BOTH, LF, SI). DAF_SCALE follows them.
#define VORN_UNIT_FIELDS(X) \
  X(WU_SITEKEY, BOTH)       \
  X(WU_WMUTYPE, BOTH)       \
  X(WU_RISKFACT, BOTH)      \
  X(WU_HQFACT, BOTH)        \
  X(WU_WASTEVOL, BOTH)      \
  X(WU_VOLUNIT, BOTH)       \
  X(WU_ACTLIFE, BOTH)       \
  X(WU_SIFLOW, BOTH)        \
  X(WU_VOLYD3, BOTH)        \
  X(WU_VOLM3, BOTH)         \
  X(WU_ANNVOL, BOTH)        \
  X(WU_AREAAC, BOTH)        \
  X(WU_AREAM2, BOTH)        \
  X(WU_AREAV, BOTH)         \
  X(WU_DISP1, BOTH)         \
  X(WU_DISP2, BOTH)         \
  X(WU_DIAM, SI)            \
  X(WU_FETCHD, SI)          \
  X(WU_RESTIME, SI)         \
  X(WU_LSFAC, LF)           \
  X(WU_EMITP, LF)           \
  X(WU_EMITD, LF)           \
  X(WU_SWFAC, LF)           \
  X(WU_SWDFAC, LF)          \
  X(WU_SUSP, LF)

// One chemical record; texts are blank-padded to their widths.
struct Chemical {
#define VORN_CHEMICAL_MEMBER(name, kind) VORN_CHEMICAL_TYPE_##kind name = VORN_CHEMICAL_INIT_##kind;
  VORN_CHEMICAL_FIELDS(VORN_CHEMICAL_MEMBER)
#undef VORN_CHEMICAL_MEMBER
};

inline constexpr std::size_t kNameWidth = 255;
inline constexpr std::size_t kCasWidth = 29;

struct ResultSlots {
#define VORN_RESULT_MEMBER(name, init) double name = init;
  VORN_RESULT_SLOTS(VORN_RESULT_MEMBER)
#undef VORN_RESULT_MEMBER
};

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

// The stream's sums over all chemicals in input order: the totals lines of the report's
// risk and hazard tables, and the aggregates of all chemicals and of the detected ones
// (groundwater by the TCLP flag, surface by the total-concentration flag).
struct StreamTotals {
  // R_SWING, R_AIRPT, R_SWFISH, R_AIRSOIL, R_AIRVOL, RI_SF (and H_ for hazard).
  std::array<double, 6> surface_risk{}, surface_hazard{};
  // R_GWING, R_GWINH, R_GWDERM_A, R_GWDERM_C, RI_GW (and H_ for hazard).
  std::array<double, 5> groundwater_risk{}, groundwater_hazard{};
  double HI_GW = 0.0, HI_SF = 0.0, RI_GW = 0.0, RI_SF = 0.0;
  double HI_GW_DETECTED = 0.0, HI_SF_DETECTED = 0.0, RI_GW_DETECTED = 0.0, RI_SF_DETECTED = 0.0;
  // Total hazard index and cancer risk of the stream.
  double HI_TOT() const { return HI_GW + HI_SF; }
  double RI_TOT() const { return RI_GW + RI_SF; }
};

}  // namespace vorn
