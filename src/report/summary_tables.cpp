#include "report/report_lines.hpp"
#include "report/report_writer.hpp"

namespace vorn {
namespace {

constexpr const char* kGwPathnames[kPathways] = {"GWINGESTION", "GWINHALATION", "GWDERMAL-ADT",
                                                 "GWDERMAL-CHD", "MCL"};
constexpr const char* kSfPathnames[kPathways] = {"SWINGESTION", "AIRPARTINHAL", "SWFISHINGEST",
                                                 "SOILINGESTION", "AIRVOLATINHAL"};
constexpr const char* kNotExceeded = "--";

bool detected(const std::string& flag) {
  return flag == "N" || flag == "n";
}

void table7(ReportLines& out, const RunState& rs, int N, const ReportWork& work) {
  out.title("TABLE 7 AGGREGATE RISK AND HAZARD QUOTIENT RESULTS");
  out.fixed(
      "        ChemicalName,     CAS-Number,     HI_GW,     HI_SF,    HI_TOT,     RI_GW,     "
      "RI_SF,    RI_TOT");
  out.separator();
  double all_hgw = 0, all_hsf = 0, all_rgw = 0, all_rsf = 0;
  double det_hgw = 0, det_hsf = 0, det_rgw = 0, det_rsf = 0;
  for (int i = 1; i <= N; ++i) {
    const Chemical& c = rs.chem(i);
    const ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    all_hgw += w.HI_GW;
    all_hsf += w.HI_SF;
    all_rgw += w.RI_GW;
    all_rsf += w.RI_SF;
    // Groundwater sums follow the leachate flag, surface sums the total-concentration flag.
    if (detected(c.TCLPFLAG)) {
      det_hgw += w.HI_GW;
      det_rgw += w.RI_GW;
    }
    if (detected(c.TOTFLAG)) {
      det_hsf += w.HI_SF;
      det_rsf += w.RI_SF;
    }
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(w.HI_GW), number(w.HI_SF),
             number(w.HI_SF + w.HI_GW), number(w.RI_GW), number(w.RI_SF),
             number(w.RI_SF + w.RI_GW)});
  }
  out.totals("Sum-Detected COCs Only   ",
             {filler(15), number(det_hgw), number(det_hsf), number(det_hgw + det_hsf),
              number(det_rgw), number(det_rsf), number(det_rgw + det_rsf)});
  out.totals("Sum-with Non-Detected COCs    ",
             {filler(15), number(all_hgw), number(all_hsf), number(all_hgw + all_hsf),
              number(all_rgw), number(all_rsf), number(all_rgw + all_rsf)});
  out.blank();
}

void table8(ReportLines& out, const RunState& rs, int N, const ReportWork& work) {
  out.title("TABLE 8 LIMITING PATHWAYS");
  out.fixed(
      "        ChemicalName,     CAS-Number,     MAX_GW,     GW_PATHWAY,     MAX_SF,    "
      "SF_PATHWAY");
  out.separator();
  for (int i = 1; i <= N; ++i) {
    const Chemical& c = rs.chem(i);
    const ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(w.TCLPMAX),
             pathway_field(gw_pathname(w.GW_LIMIT)),
             number(w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)]),
             pathway_field(sf_pathname(w.SF_LIMIT))});
  }
  out.blank();
}

void table9(ReportLines& out, const RunState& rs, int N, ReportWork& work) {
  const bool landfill = rs.wu.is_landfill();
  out.title("Table 9 Pathways Exceeding the Delisting Limits");
  out.fixed(landfill ? "        ChemicalName,     CAS-Number,     TCLP,     MAX_GW,     "
                       "GW_PATHWAY,     TOTC,     MAX_SF,    SF_PATHWAY"
                     : "        ChemicalName,     CAS-Number,     TCLP,     MAX_GW,     "
                       "GW_PATHWAY,     TCLP,     MAX_SF,    SF_PATHWAY");
  out.separator();
  for (int i = 1; i <= N; ++i) {
    const Chemical& c = rs.chem(i);
    ChemicalReport& w = work[static_cast<std::size_t>(i - 1)];
    w.GW_EXCEEDED = c.TCLPCONC > w.TCLPMAX;
    const double sf_allow = w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)];
    const double conc = landfill ? c.TOTC : c.TCLPCONC;
    w.SF_EXCEEDED = conc > sf_allow;
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(c.TCLPCONC),
             number(w.GW_EXCEEDED ? w.TCLPMAX : 0.0),
             pathway_field(w.GW_EXCEEDED ? gw_pathname(w.GW_LIMIT) : kNotExceeded), number(conc),
             number(w.SF_EXCEEDED ? sf_allow : 0.0),
             pathway_field(w.SF_EXCEEDED ? sf_pathname(w.SF_LIMIT) : kNotExceeded)});
  }
  out.blank();
}

// The report ends with the last row of this table: no blank line follows.
void table10(ReportLines& out, const RunState& rs, int N) {
  out.title("Table 10 Toxicity Characteristic; Soil Saturation;  and Ecological Values");
  out.fixed(
      "        ChemicalName,     CAS-Number,     TOX_C,      TCLP,     SOILST,      TOTC,      "
      "ECOC,     RO_AMB");
  out.separator();
  for (int i = 1; i <= N; ++i) {
    const Chemical& c = rs.chem(i);
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(c.TOX_C), number(c.TCLPCONC),
             number(c.SOILST), number(c.TOTC), number(c.ECOCHRON), number(rs.res(i).SWDISS)});
  }
}

}  // namespace

const char* gw_pathname(int k) {
  return kGwPathnames[k - 1];
}
const char* sf_pathname(int k) {
  return kSfPathnames[k - 1];
}

void write_summary_tables(RunState& rs, int reportUnit, int N, ReportWork& work) {
  ReportLines out(rs.units.unit(reportUnit));
  table7(out, rs, N, work);
  table8(out, rs, N, work);
  table9(out, rs, N, work);
  table10(out, rs, N);
}

}  // namespace vorn
