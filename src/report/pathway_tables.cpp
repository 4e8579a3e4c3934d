#include "report/report_writer.hpp"

namespace vorn {
namespace {

constexpr const char* kTotalsLabel = "All Constituents    ";

void table1(ReportLines& out, const Results& rs) {
  out.title("TABLE 1 SURFACE PATHWAY RISK");
  out.fixed(
      "        CHEMICALNAME, TC(MG/KG),   R_SWING,   R_AIRPT,  R_SWFISH, R_AIRSOIL,  R_AIRVOL,     "
      "R_SUM");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const ResultSlots& r = rs.results[k];
    const Chemical& c = rs.chemicals[k];
    out.row({name_field(c.CHEMNAME), number(c.TOTC), number(r.R_SWING), number(r.R_AIRPT),
             number(r.R_SWFISH), number(r.R_AIRSOIL), number(r.R_AIRVOL),
             number(rs.report[k].RI_SF)});
  }
  const auto& s = rs.totals.surface_risk;
  out.totals(kTotalsLabel, {filler(10), number(s[0]), number(s[1]), number(s[2]), number(s[3]),
                            number(s[4]), number(s[5])});
  out.blank();
}

void table2(ReportLines& out, const Results& rs) {
  out.title("Table 2 Groundwater Pathway Risks");
  out.fixed(
      "        CHEMICALNAME,       DAF,    DAF_WV,      TCLP,   R_GWING,   R_GWINH,R_GWDERM-A,"
      "R_GWDERM-C,     R_SUM");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const ResultSlots& r = rs.results[k];
    out.row({name_field(rs.chemicals[k].CHEMNAME), number(r.DAFC), number(r.DAFC_WV),
             number(rs.chemicals[k].TCLPCONC), number(r.R_GWING), number(r.R_GWINH),
             number(r.R_GWDERM_A), number(r.R_GWDERM_C), number(rs.report[k].RI_GW)});
  }
  const auto& s = rs.totals.groundwater_risk;
  out.totals(kTotalsLabel, {filler(10), filler(10), filler(10), number(s[0]), number(s[1]),
                            number(s[2]), number(s[3]), number(s[4])});
  out.blank();
}

void table3(ReportLines& out, const Results& rs) {
  out.title("Table 3 Surface Pathway Hazard Quotients");
  out.fixed(
      "        ChemicalName, TC(mg/kg),   H_SWIng,   H_AirPt,  H_SWFish, H_AirSoil,  H_AirVol,     "
      "H_Sum");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const ResultSlots& r = rs.results[k];
    const Chemical& c = rs.chemicals[k];
    out.row({name_field(c.CHEMNAME), number(c.TOTC), number(r.H_SWING), number(r.H_AIRPT),
             number(r.H_SWFISH), number(r.H_AIRSOIL), number(r.H_AIRVOL),
             number(rs.report[k].HI_SF)});
  }
  const auto& s = rs.totals.surface_hazard;
  out.totals(kTotalsLabel, {filler(10), number(s[0]), number(s[1]), number(s[2]), number(s[3]),
                            number(s[4]), number(s[5])});
  out.blank();
}

void table4(ReportLines& out, const Results& rs) {
  out.title("Table 4 Groundwater Pathway Hazard Quotients");
  out.fixed(
      "        CHEMICALNAME,      TCLP,       DAF,    DAF_WV,   H_GWING,   H_GWINH,H_GWDERM-A,"
      "H_GWDERM-C,     H_SUM");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const ResultSlots& r = rs.results[k];
    out.row({name_field(rs.chemicals[k].CHEMNAME), number(rs.chemicals[k].TCLPCONC), number(r.DAFN),
             number(r.DAFN_WV), number(r.H_GWING), number(r.H_GWINH), number(r.H_GWDERM_A),
             number(r.H_GWDERM_C), number(rs.report[k].HI_GW)});
  }
  const auto& s = rs.totals.groundwater_hazard;
  out.totals(kTotalsLabel, {filler(10), filler(10), filler(10), number(s[0]), number(s[1]),
                            number(s[2]), number(s[3]), number(s[4])});
  out.blank();
}

void factor_lines(ReportLines& out, const WasteUnit& wu) {
  out.factor("Risk Factor=", wu.WU_RISKFACT, 2);
  out.factor("HQ Factor=", wu.WU_HQFACT, 0);
}

void table5(ReportLines& out, const Results& rs) {
  out.title("Table 5 Maximum Allowable Concs-Surface Pathways");
  factor_lines(out, rs.unit);
  out.fixed(
      "        ChemicalName, TC(mg/kg),    TC_Max,   C_SWIng,   C_AirPt,  C_SWFish, C_AirSoil,  "
      "C_AirVol");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    const ChemicalReport& w = rs.report[k];
    const auto& a = w.SF_ALLOW;
    out.row({name_field(rs.chemicals[k].CHEMNAME), number(rs.chemicals[k].TOTC), number(w.TC_MAX),
             number(a[0]), number(a[1]), number(a[2]), number(a[3]), number(a[4])});
  }
  out.blank();
}

bool table6(ReportLines& out, const Results& rs, int stop_before) {
  out.title("Table 6 Maximum Allowable TCLP Concs-GW Pathways");
  factor_lines(out, rs.unit);
  out.fixed(
      "        CHEMICALNAME,  TCLPCONC, LIMITPOE,       DAF,    DAF_WV,   TCLPMAX,   C_GWING,   "
      "C_GWINH,C_GWDERM-A,C_GWDERM-C,     C_MCL");
  out.separator();
  for (std::size_t k = 0; k < rs.chemicals.size(); ++k) {
    if (static_cast<int>(k) + 1 == stop_before) return false;
    const ChemicalReport& w = rs.report[k];
    const auto& g = w.GW_WELL;
    out.row({name_field(rs.chemicals[k].CHEMNAME), number(rs.chemicals[k].TCLPCONC),
             number(w.LIMITPOE), number(w.DAF), number(w.DAF_WV), number(w.TCLPMAX), number(g[0]),
             number(g[1]), number(g[2]), number(g[3]), number(g[4])});
  }
  out.blank();
  return true;
}

}  // namespace

bool write_pathway_tables(ReportLines& out, const Results& results, int stop_before) {
  table1(out, results);
  table2(out, results);
  table3(out, results);
  table4(out, results);
  table5(out, results);
  return table6(out, results, stop_before);
}

void writereport(Sink& sink, const Results& results, int stop_before) {
  ReportLines out(sink);
  if (write_pathway_tables(out, results, stop_before)) write_summary_tables(out, results);
}

}  // namespace vorn
