#include "report/report_writer.hpp"
#include "vorn/pathways.hpp"

namespace vorn {
namespace {

constexpr const char* kNotExceeded = "--";

void table7(ReportLines& out, const Results& rs) {
  out.title("TABLE 7 AGGREGATE RISK AND HAZARD QUOTIENT RESULTS");
  out.fixed(
      "        ChemicalName,     CAS-Number,     HI_GW,     HI_SF,    HI_TOT,     RI_GW,     "
      "RI_SF,    RI_TOT");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const Chemical& c = rs.chemicals[k];
    const ChemicalReport& w = rs.report[k];
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(w.HI_GW), number(w.HI_SF),
             number(w.HI_SF + w.HI_GW), number(w.RI_GW), number(w.RI_SF),
             number(w.RI_SF + w.RI_GW)});
  }
  const StreamTotals& t = rs.totals;
  out.totals("Sum-Detected COCs Only   ",
             {filler(15), number(t.HI_GW_DETECTED), number(t.HI_SF_DETECTED),
              number(t.HI_GW_DETECTED + t.HI_SF_DETECTED), number(t.RI_GW_DETECTED),
              number(t.RI_SF_DETECTED), number(t.RI_GW_DETECTED + t.RI_SF_DETECTED)});
  out.totals("Sum-with Non-Detected COCs    ",
             {filler(15), number(t.HI_GW), number(t.HI_SF), number(t.HI_TOT()), number(t.RI_GW),
              number(t.RI_SF), number(t.RI_TOT())});
  out.blank();
}

void table8(ReportLines& out, const Results& rs) {
  out.title("TABLE 8 LIMITING PATHWAYS");
  out.fixed(
      "        ChemicalName,     CAS-Number,     MAX_GW,     GW_PATHWAY,     MAX_SF,    "
      "SF_PATHWAY");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const Chemical& c = rs.chemicals[k];
    const ChemicalReport& w = rs.report[k];
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(w.TCLPMAX),
             pathway_field(gw_pathname(w.GW_LIMIT)),
             number(w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)]),
             pathway_field(sf_pathname(w.SF_LIMIT))});
  }
  out.blank();
}

void table9(ReportLines& out, const Results& rs) {
  const bool landfill = rs.unit.is_landfill();
  out.title("Table 9 Pathways Exceeding the Delisting Limits");
  out.fixed(landfill ? "        ChemicalName,     CAS-Number,     TCLP,     MAX_GW,     "
                       "GW_PATHWAY,     TOTC,     MAX_SF,    SF_PATHWAY"
                     : "        ChemicalName,     CAS-Number,     TCLP,     MAX_GW,     "
                       "GW_PATHWAY,     TCLP,     MAX_SF,    SF_PATHWAY");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const Chemical& c = rs.chemicals[k];
    const ChemicalReport& w = rs.report[k];
    const double sf_allow = w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)];
    const double conc = landfill ? c.TOTC : c.TCLPCONC;
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(c.TCLPCONC),
             number(w.GW_EXCEEDED ? w.TCLPMAX : 0.0),
             pathway_field(w.GW_EXCEEDED ? gw_pathname(w.GW_LIMIT) : kNotExceeded), number(conc),
             number(w.SF_EXCEEDED ? sf_allow : 0.0),
             pathway_field(w.SF_EXCEEDED ? sf_pathname(w.SF_LIMIT) : kNotExceeded)});
  }
  out.blank();
}

// The report ends with the last row of this table: no blank line follows.
void table10(ReportLines& out, const Results& rs) {
  out.title("Table 10 Toxicity Characteristic; Soil Saturation;  and Ecological Values");
  out.fixed(
      "        ChemicalName,     CAS-Number,     TOX_C,      TCLP,     SOILST,      TOTC,      "
      "ECOC,     RO_AMB");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const Chemical& c = rs.chemicals[k];
    out.row({name_field(c.CHEMNAME), cas_field(c.CHEMCAS), number(c.TOX_C), number(c.TCLPCONC),
             number(c.SOILST), number(c.TOTC), number(c.ECOCHRON), number(rs.results[k].SWDISS)});
  }
}

}  // namespace

void write_summary_tables(ReportLines& out, const Results& results) {
  table7(out, results);
  table8(out, results);
  table9(out, results);
  table10(out, results);
}

}  // namespace vorn
