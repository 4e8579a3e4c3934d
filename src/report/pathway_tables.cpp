#include <cmath>
#include <limits>

#include "groundwater/daf_curve.hpp"
#include "groundwater/daf_interpolation.hpp"
#include "report/report_lines.hpp"
#include "report/report_writer.hpp"

namespace vorn {
namespace {

constexpr const char* kTotalsLabel = "All Constituents    ";

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
  for (int k = 1; k < n; ++k) m = std::fmin(m, values[k]);
  return m;
}

void table1(ReportLines& out, const RunState& rs, int N, ReportWork& work) {
  out.title("TABLE 1 SURFACE PATHWAY RISK");
  out.fixed(
      "        CHEMICALNAME, TC(MG/KG),   R_SWING,   R_AIRPT,  R_SWFISH, R_AIRSOIL,  R_AIRVOL,     "
      "R_SUM");
  out.separator();
  double s[6] = {0, 0, 0, 0, 0, 0};
  for (int i = 1; i <= N; ++i) {
    const ResultSlots& r = rs.res(i);
    ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    w.RI_SF = r.R_SWING + r.R_AIRPT + r.R_SWFISH + r.R_AIRSOIL + r.R_AIRVOL;
    out.row({name_field(rs.chem(i).CHEMNAME), number(rs.chem(i).TOTC), number(r.R_SWING),
             number(r.R_AIRPT), number(r.R_SWFISH), number(r.R_AIRSOIL), number(r.R_AIRVOL),
             number(w.RI_SF)});
    s[0] += r.R_SWING;
    s[1] += r.R_AIRPT;
    s[2] += r.R_SWFISH;
    s[3] += r.R_AIRSOIL;
    s[4] += r.R_AIRVOL;
    s[5] += w.RI_SF;
  }
  out.totals(kTotalsLabel, {filler(10), number(s[0]), number(s[1]), number(s[2]), number(s[3]),
                            number(s[4]), number(s[5])});
  out.blank();
}

void table2(ReportLines& out, const RunState& rs, int N, ReportWork& work) {
  out.title("Table 2 Groundwater Pathway Risks");
  out.fixed(
      "        CHEMICALNAME,       DAF,    DAF_WV,      TCLP,   R_GWING,   R_GWINH,R_GWDERM-A,"
      "R_GWDERM-C,     R_SUM");
  out.separator();
  double s[5] = {0, 0, 0, 0, 0};
  for (int i = 1; i <= N; ++i) {
    const ResultSlots& r = rs.res(i);
    ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    // Only the larger of the adult and child dermal risks counts.
    w.RI_GW = (r.R_GWING + r.R_GWINH) + std::fmax(r.R_GWDERM_A, r.R_GWDERM_C);
    out.row({name_field(rs.chem(i).CHEMNAME), number(r.DAFC), number(r.DAFC_WV),
             number(rs.chem(i).TCLPCONC), number(r.R_GWING), number(r.R_GWINH),
             number(r.R_GWDERM_A), number(r.R_GWDERM_C), number(w.RI_GW)});
    s[0] += r.R_GWING;
    s[1] += r.R_GWINH;
    s[2] += r.R_GWDERM_A;
    s[3] += r.R_GWDERM_C;
    s[4] += w.RI_GW;
  }
  out.totals(kTotalsLabel, {filler(10), filler(10), filler(10), number(s[0]), number(s[1]),
                            number(s[2]), number(s[3]), number(s[4])});
  out.blank();
}

void table3(ReportLines& out, const RunState& rs, int N, ReportWork& work) {
  out.title("Table 3 Surface Pathway Hazard Quotients");
  out.fixed(
      "        ChemicalName, TC(mg/kg),   H_SWIng,   H_AirPt,  H_SWFish, H_AirSoil,  H_AirVol,     "
      "H_Sum");
  out.separator();
  double s[6] = {0, 0, 0, 0, 0, 0};
  for (int i = 1; i <= N; ++i) {
    const ResultSlots& r = rs.res(i);
    ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    w.HI_SF = r.H_SWING + r.H_AIRPT + r.H_SWFISH + r.H_AIRSOIL + r.H_AIRVOL;
    out.row({name_field(rs.chem(i).CHEMNAME), number(rs.chem(i).TOTC), number(r.H_SWING),
             number(r.H_AIRPT), number(r.H_SWFISH), number(r.H_AIRSOIL), number(r.H_AIRVOL),
             number(w.HI_SF)});
    s[0] += r.H_SWING;
    s[1] += r.H_AIRPT;
    s[2] += r.H_SWFISH;
    s[3] += r.H_AIRSOIL;
    s[4] += r.H_AIRVOL;
    s[5] += w.HI_SF;
  }
  out.totals(kTotalsLabel, {filler(10), number(s[0]), number(s[1]), number(s[2]), number(s[3]),
                            number(s[4]), number(s[5])});
  out.blank();
}

void table4(ReportLines& out, const RunState& rs, int N, ReportWork& work) {
  out.title("Table 4 Groundwater Pathway Hazard Quotients");
  out.fixed(
      "        CHEMICALNAME,      TCLP,       DAF,    DAF_WV,   H_GWING,   H_GWINH,H_GWDERM-A,"
      "H_GWDERM-C,     H_SUM");
  out.separator();
  double s[5] = {0, 0, 0, 0, 0};
  for (int i = 1; i <= N; ++i) {
    const ResultSlots& r = rs.res(i);
    ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    w.HI_GW = (r.H_GWING + r.H_GWINH) + std::fmax(r.H_GWDERM_A, r.H_GWDERM_C);
    out.row({name_field(rs.chem(i).CHEMNAME), number(rs.chem(i).TCLPCONC), number(r.DAFN),
             number(r.DAFN_WV), number(r.H_GWING), number(r.H_GWINH), number(r.H_GWDERM_A),
             number(r.H_GWDERM_C), number(w.HI_GW)});
    s[0] += r.H_GWING;
    s[1] += r.H_GWINH;
    s[2] += r.H_GWDERM_A;
    s[3] += r.H_GWDERM_C;
    s[4] += w.HI_GW;
  }
  out.totals(kTotalsLabel, {filler(10), filler(10), filler(10), number(s[0]), number(s[1]),
                            number(s[2]), number(s[3]), number(s[4])});
  out.blank();
}

void factor_lines(ReportLines& out, const WasteUnit& wu) {
  out.factor("Risk Factor=", wu.WU_RISKFACT, 2);
  out.factor("HQ Factor=", wu.WU_HQFACT, 0);
}

void table5(ReportLines& out, const RunState& rs, int N, ReportWork& work) {
  out.title("Table 5 Maximum Allowable Concs-Surface Pathways");
  factor_lines(out, rs.wu);
  out.fixed(
      "        ChemicalName, TC(mg/kg),    TC_Max,   C_SWIng,   C_AirPt,  C_SWFish, C_AirSoil,  "
      "C_AirVol");
  out.separator();
  for (int i = 1; i <= N; ++i) {
    const ResultSlots& r = rs.res(i);
    ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    w.SF_ALLOW = {std::fmin(r.CC_SWING, r.CN_SWING), std::fmin(r.CC_AIRPT, r.CN_AIRPT),
                  std::fmin(r.CC_SWFISH, r.CN_SWFISH), std::fmin(r.CC_AIRSOIL, r.CN_AIRSOIL),
                  std::fmin(r.CC_AIRVOL, r.CN_AIRVOL)};
    w.SF_LIMIT = limiting_pathway(w.SF_ALLOW.data(), kPathways);
    w.TC_MAX = smallest(w.SF_ALLOW.data(), kPathways);
    const auto& a = w.SF_ALLOW;
    out.row({name_field(rs.chem(i).CHEMNAME), number(rs.chem(i).TOTC), number(w.TC_MAX),
             number(a[0]), number(a[1]), number(a[2]), number(a[3]), number(a[4])});
  }
  out.blank();
}

// Chooses the limiting groundwater pathway of chemical i, with the MCL check.
void groundwater_limit(RunState& rs, int reportUnit, int& i, ChemicalReport& w) {
  const ResultSlots& r = rs.res(i);
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

  const double mcl = rs.chem(i).MCL;
  if (mcl > 0) {
    getdafcurve(rs, reportUnit, i);
    double d1 = 0.0, d0 = 0.0;
    dafbackward(rs, reportUnit, i, 1, mcl, d1);
    dafbackward(rs, reportUnit, i, 0, mcl, d0);
    const double a = std::fmin(d1, d0) * mcl;
    if (w.TCLPMAX > a || (w.TCLPMAX == a && mcl < w.LIMITPOE)) {
      w.TCLPMAX = a;
      w.LIMITPOE = mcl;
      w.GW_LIMIT = kMclPathway;
    }
  }

  const double q = w.TCLPMAX / w.LIMITPOE;
  w.DAF_WV = q > 1 ? q : 1.0;
  const double q2 = w.DAF_WV / rs.DAF_SCALE;
  w.DAF = q2 > 1 ? q2 : 1.0;
  w.GW_WELL = {std::fmin(wc[0], wn[0]), std::fmin(wc[1], wn[1]), std::fmin(wc[2], wn[2]),
               std::fmin(wc[3], wn[3]), mcl};
}

void table6(ReportLines& out, RunState& rs, int reportUnit, int N, ReportWork& work) {
  out.title("Table 6 Maximum Allowable TCLP Concs-GW Pathways");
  factor_lines(out, rs.wu);
  out.fixed(
      "        CHEMICALNAME,  TCLPCONC, LIMITPOE,       DAF,    DAF_WV,   TCLPMAX,   C_GWING,   "
      "C_GWINH,C_GWDERM-A,C_GWDERM-C,     C_MCL");
  out.separator();
  for (int i = 1; i <= N; ++i) {
    ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    int index = i;
    groundwater_limit(rs, reportUnit, index, w);
    const auto& g = w.GW_WELL;
    out.row({name_field(rs.chem(i).CHEMNAME), number(rs.chem(i).TCLPCONC), number(w.LIMITPOE),
             number(w.DAF), number(w.DAF_WV), number(w.TCLPMAX), number(g[0]), number(g[1]),
             number(g[2]), number(g[3]), number(g[4])});
  }
  out.blank();
}

}  // namespace

void write_pathway_tables(RunState& rs, int reportUnit, int N, ReportWork& work) {
  ReportLines out(rs.units.unit(reportUnit));
  table1(out, rs, N, work);
  table2(out, rs, N, work);
  table3(out, rs, N, work);
  table4(out, rs, N, work);
  table5(out, rs, N, work);
  table6(out, rs, reportUnit, N, work);
}

ReportWork writereport(RunState& rs, int reportUnit, int N) {
  ReportWork work(static_cast<std::size_t>(N > 0 ? N : 0));
  write_pathway_tables(rs, reportUnit, N, work);
  write_summary_tables(rs, reportUnit, N, work);
  return work;
}

}  // namespace vorn
