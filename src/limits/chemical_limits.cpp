#include "limits/chemical_limits.hpp"

#include <cmath>
#include <limits>

#include "core/fmin_fmax.hpp"
#include "groundwater/daf_interpolation.hpp"

namespace vorn {
namespace {

// Running minimum: pathway 1 against +infinity, replaced only by a strictly smaller value.
int limiting_pathway(const double* values, int n) {
  int limit = 1;
  double m = std::numeric_limits<double>::infinity();
  for (int k = 1; k <= n; ++k) {
    if (values[k - 1] < m) {
      limit = k;
      m = values[k - 1];
    }
  }
  return limit;
}

// The smallest value, ignoring NaN.
double smallest(const double* values, int n) {
  double m = values[0];
  for (int k = 1; k < n; ++k) m = vorn::fmin(values[k], m);
  return m;
}

}  // namespace

// The operands of fmin and fmax stand in the order the results have always been computed
// with: only a zero's sign depends on it (fmin(+0, -0) is -0, fmin(-0, +0) is +0).
void pathway_sums(const ResultSlots& r, ChemicalReport& w) {
  w.RI_SF = r.R_SWING + r.R_AIRPT + r.R_SWFISH + r.R_AIRSOIL + r.R_AIRVOL;
  w.RI_GW = (r.R_GWING + r.R_GWINH) + vorn::fmax(r.R_GWDERM_C, r.R_GWDERM_A);
  w.HI_SF = r.H_SWING + r.H_AIRPT + r.H_SWFISH + r.H_AIRSOIL + r.H_AIRVOL;
  w.HI_GW = (r.H_GWING + r.H_GWINH) + vorn::fmax(r.H_GWDERM_C, r.H_GWDERM_A);
}

void surface_limit(const ResultSlots& r, ChemicalReport& w) {
  w.SF_ALLOW = {vorn::fmin(r.CN_SWING, r.CC_SWING), vorn::fmin(r.CN_AIRPT, r.CC_AIRPT),
                vorn::fmin(r.CN_SWFISH, r.CC_SWFISH), vorn::fmin(r.CN_AIRSOIL, r.CC_AIRSOIL),
                vorn::fmin(r.CN_AIRVOL, r.CC_AIRVOL)};
  w.SF_LIMIT = limiting_pathway(w.SF_ALLOW.data(), kPathways);
  w.TC_MAX = smallest(w.SF_ALLOW.data(), kPathways);
}

Failure groundwater_limit(const WasteUnit& wu, const DafTable& table, const DafRowMatch& rows,
                          double DAF_SCALE, int i, Chemical& c, const ResultSlots& r,
                          ChemicalReport& w, double daf_factor) {
  const double cc[4] = {r.CC_GWING, r.CC_GWINH, r.CC_GWDERM_A, r.CC_GWDERM_C};
  const double cn[4] = {r.CN_GWING, r.CN_GWINH, r.CN_GWDERM_A, r.CN_GWDERM_C};
  const double wc[4] = {r.WC_GWING, r.WC_GWINH, r.WC_GWDERM_A, r.WC_GWDERM_C};
  const double wn[4] = {r.WN_GWING, r.WN_GWINH, r.WN_GWDERM_A, r.WN_GWDERM_C};
  const int kc = limiting_pathway(cc, 4);
  const int kn = limiting_pathway(cn, 4);
  const double mc = smallest(cc, 4);
  const double mn = smallest(cn, 4);
  if (mc <= mn) {
    w.TCLPMAX = mc;
    w.LIMITPOE = wc[kc - 1];
    w.GW_LIMIT = kc;
  } else {
    w.TCLPMAX = mn;
    w.LIMITPOE = wn[kn - 1];
    w.GW_LIMIT = kn;
  }

  const double mcl = c.MCL;
  if (mcl > 0) {
    DafCurve curve;
    if (Failure f = getdafcurve(wu, table, rows, i, c, curve, daf_factor)) return f;
    const DafLookup d1 = dafbackward(curve, c, DAF_SCALE, 1, mcl);
    if (d1.failure) return d1.failure;
    const DafLookup d0 = dafbackward(curve, c, DAF_SCALE, 0, mcl);
    if (d0.failure) return d0.failure;
    const double a = vorn::fmin(d0.daf, d1.daf) * mcl;
    if (w.TCLPMAX > a || (w.TCLPMAX == a && mcl < w.LIMITPOE)) {
      w.TCLPMAX = a;
      w.LIMITPOE = mcl;
      w.GW_LIMIT = kMclPathway;
    }
  }

  const double q = w.TCLPMAX / w.LIMITPOE;
  w.DAF_WV = q > 1 ? q : 1.0;
  const double q2 = w.DAF_WV / DAF_SCALE;
  w.DAF = q2 > 1 ? q2 : 1.0;
  w.GW_WELL = {vorn::fmin(wc[0], wn[0]), vorn::fmin(wc[1], wn[1]), vorn::fmin(wc[2], wn[2]),
               vorn::fmin(wc[3], wn[3]), mcl};
  return {};
}

void exceedances(const WasteUnit& wu, const Chemical& c, ChemicalReport& w) {
  w.GW_EXCEEDED = c.TCLPCONC > w.TCLPMAX;
  const double sf_allow = w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)];
  w.SF_EXCEEDED = (wu.is_landfill() ? c.TOTC : c.TCLPCONC) > sf_allow;
}

}  // namespace vorn
