#include "limits/stream_totals.hpp"

namespace vorn {
namespace {

bool detected(const std::string& flag) {
  return flag == "N" || flag == "n";
}

}  // namespace

StreamTotals stream_totals(const std::vector<Chemical>& chemicals,
                           const std::vector<ResultSlots>& slots,
                           const std::vector<ChemicalReport>& limits) {
  StreamTotals t;
  for (std::size_t k = 0; k < chemicals.size(); ++k) {
    const ResultSlots& r = slots[k];
    const ChemicalReport& w = limits[k];
    auto& sr = t.surface_risk;
    sr[0] += r.R_SWING;
    sr[1] += r.R_AIRPT;
    sr[2] += r.R_SWFISH;
    sr[3] += r.R_AIRSOIL;
    sr[4] += r.R_AIRVOL;
    sr[5] += w.RI_SF;
    auto& gr = t.groundwater_risk;
    gr[0] += r.R_GWING;
    gr[1] += r.R_GWINH;
    gr[2] += r.R_GWDERM_A;
    gr[3] += r.R_GWDERM_C;
    gr[4] += w.RI_GW;
    auto& sh = t.surface_hazard;
    sh[0] += r.H_SWING;
    sh[1] += r.H_AIRPT;
    sh[2] += r.H_SWFISH;
    sh[3] += r.H_AIRSOIL;
    sh[4] += r.H_AIRVOL;
    sh[5] += w.HI_SF;
    auto& gh = t.groundwater_hazard;
    gh[0] += r.H_GWING;
    gh[1] += r.H_GWINH;
    gh[2] += r.H_GWDERM_A;
    gh[3] += r.H_GWDERM_C;
    gh[4] += w.HI_GW;

    t.HI_GW += w.HI_GW;
    t.HI_SF += w.HI_SF;
    t.RI_GW += w.RI_GW;
    t.RI_SF += w.RI_SF;
    if (detected(chemicals[k].TCLPFLAG)) {
      t.HI_GW_DETECTED += w.HI_GW;
      t.RI_GW_DETECTED += w.RI_GW;
    }
    if (detected(chemicals[k].TOTFLAG)) {
      t.HI_SF_DETECTED += w.HI_SF;
      t.RI_SF_DETECTED += w.RI_SF;
    }
  }
  return t;
}

}  // namespace vorn
