#include "mc/decision_quantities.hpp"

#include "vorn/pathways.hpp"

namespace vorn::mc {

const std::array<QuantityInfo, kChemicalQuantities> kChemicalQuantityInfo = {{
    {"R_SWING", QuantityKind::risk},      {"H_SWING", QuantityKind::hazard},
    {"R_AIRPT", QuantityKind::risk},      {"H_AIRPT", QuantityKind::hazard},
    {"R_SWFISH", QuantityKind::risk},     {"H_SWFISH", QuantityKind::hazard},
    {"R_AIRSOIL", QuantityKind::risk},    {"H_AIRSOIL", QuantityKind::hazard},
    {"R_AIRVOL", QuantityKind::risk},     {"H_AIRVOL", QuantityKind::hazard},
    {"R_GWING", QuantityKind::risk},      {"H_GWING", QuantityKind::hazard},
    {"R_GWINH", QuantityKind::risk},      {"H_GWINH", QuantityKind::hazard},
    {"R_GWDERM_A", QuantityKind::risk},   {"H_GWDERM_A", QuantityKind::hazard},
    {"R_GWDERM_C", QuantityKind::risk},   {"H_GWDERM_C", QuantityKind::hazard},
    {"RI_GW", QuantityKind::risk},        {"RI_SF", QuantityKind::risk},
    {"RI_TOT", QuantityKind::risk},       {"HI_GW", QuantityKind::hazard},
    {"HI_SF", QuantityKind::hazard},      {"HI_TOT", QuantityKind::hazard},
    {"TCLPMAX", QuantityKind::allowable}, {"TC_MAX", QuantityKind::allowable},
    {"SF_MAX", QuantityKind::allowable},  {"GW_RATIO", QuantityKind::ratio},
    {"SF_RATIO", QuantityKind::ratio},
}};

void chemical_quantities(const WasteUnit& wu, const ChemicalEvaluation& ev,
                         ChemicalQuantities& out) {
  std::size_t k = 0;
  for (const Pathway& p : kPathwayTable) {
    out[k++] = ev.slots.*p.risk;
    out[k++] = ev.slots.*p.hq;
  }
  const ChemicalReport& w = ev.limits;
  out[k++] = w.RI_GW;
  out[k++] = w.RI_SF;
  out[k++] = w.RI_SF + w.RI_GW;
  out[k++] = w.HI_GW;
  out[k++] = w.HI_SF;
  out[k++] = w.HI_SF + w.HI_GW;
  out[k++] = w.TCLPMAX;
  out[k++] = w.TC_MAX;
  const double sf_max = w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)];
  out[k++] = sf_max;
  const Chemical& c = ev.chemical;
  out[k++] = c.TCLPCONC / w.TCLPMAX;
  out[k++] = (wu.is_landfill() ? c.TOTC : c.TCLPCONC) / sf_max;
}

}  // namespace vorn::mc
