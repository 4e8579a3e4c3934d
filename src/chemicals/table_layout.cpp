#include "chemicals/table_layout.hpp"

namespace vorn::chemicals {
namespace {

constexpr const char* kRslDate = "May 2017";

TableLayout parameters_layout() {
  const auto property = [](const char* field, const char* header, const char* source,
                           const char* unit) {
    return MappedColumn{field, header, source, Conversion::none, unit, unit, Blank::absent};
  };
  return {"parameters",
          "RSL chemical-specific parameters",
          kRslDate,
          "Analyte",
          1,
          "Analyte",
          "CAS No.",
          "",
          {property("MW", "MW", "MW Ref", "g/mol"),
           property("HENRY", "HLC (atm-m3/mole)", "H` and HLC Ref", "atm-m3/mol"),
           property("DIFFA", "Dia (cm2/s)", "Dia and Diw Ref", "cm2/s"),
           property("DIFFW", "Diw (cm2/s)", "Dia and Diw Ref", "cm2/s"),
           property("KOC", "Koc (L/kg)", "Koc Ref", "L/kg"),
           property("SOL", "S (mg/L)", "S Ref", "mg/L"),
           // Two columns carry this header; the first is the one aligned with its rows
           // (the second shows each value one row too low), and it is the one read.
           property("KPW", "Kp (cm/hr)", "Kp Ref", "cm/hr")},
          {"", " "},
          {},
          {},
          false};
}

TableLayout toxicity_layout() {
  const auto toxicity = [](const char* field, const char* header, Conversion conversion,
                           const char* table_unit, const char* unit) {
    return MappedColumn{
        field, header, "k e y", conversion, table_unit, unit, Blank::none_published};
  };
  return {
      "toxicity",
      "RSL summary table",
      kRslDate,
      "Analyte",
      1,
      "Analyte",
      "CAS No.",
      "",
      {toxicity("CSFO", "SFO (mg/kg-day)-1", Conversion::none, "(mg/kg-day)-1", "(mg/kg-day)-1"),
       toxicity("CSFI", "IUR (ug/m3)-1", Conversion::unit_risk_to_slope, "(ug/m3)-1",
                "(mg/kg-day)-1"),
       toxicity("ORDO", "RfDo (mg/kg-day)", Conversion::none, "mg/kg-day", "mg/kg-day"),
       toxicity("RFCI", "RfCi (mg/m3)", Conversion::none, "mg/m3", "mg/m3"),
       {"MUTAGEN", "muta- gen", "", Conversion::none, "", "", Blank::absent, CellKind::flag, "M"},
       {"SOILST", "Csat (mg/kg)", "", Conversion::none, "mg/kg", "mg/kg", Blank::absent},
       {"MCL", "MCL (ug/L)", "", Conversion::micrograms_to_milligrams, "ug/L", "mg/L",
        Blank::absent}},
      {"", " "},
      {},
      {},
      true};
}

TableLayout volatile_layout() {
  const auto column = [](const char* field, const char* header, Conversion conversion,
                         const char* table_unit, const char* unit, Blank blank) {
    return MappedColumn{field, header, "source", conversion, table_unit, unit, blank};
  };
  const Blank absent = Blank::absent;
  return {
      "volatile",
      "J&E volatile chemical table",
      "J&E v6.0, change log to 2018-01-04",
      "Alphabetized List of Compounds",
      2,
      "Alphabetized List of Compounds",
      "CAS",
      "",
      {column("MW", "MW (g/mole)", Conversion::none, "g/mol", "g/mol", absent),
       column("VP", "VP (mm Hg)", Conversion::mm_hg_to_atm, "mm Hg", "atm", absent),
       column("SOL", "S (mg/L)", Conversion::none, "mg/L", "mg/L", absent),
       column("HENRY", "Hc25 (atm-m3/mol)", Conversion::none, "atm-m3/mol", "atm-m3/mol", absent),
       column("DIFFA", "Da (cm2/s)", Conversion::none, "cm2/s", "cm2/s", absent),
       column("DIFFW", "Dw (cm2/s)", Conversion::none, "cm2/s", "cm2/s", absent),
       column("KOC", "Koc (cm3/g)", Conversion::none, "L/kg", "L/kg", absent),
       // The header reads "(mg/m3)-1", drawn in a symbol font where µg is meant: the
       // table defines the unit risk per µg/m³, and its values equal the summary
       // table's (acetaldehyde 2.2E-6 in both).
       column("CSFI", "IUR (mg/m3)-1", Conversion::unit_risk_to_slope, "(ug/m3)-1", "(mg/kg-day)-1",
              Blank::none_published),
       column("RFCI", "RfC (mg/m3)", Conversion::none, "mg/m3", "mg/m3", Blank::none_published)},
      {"", " ", "Not Available", "No MW", "No S", "No Hc25", "No Da", "No Dw", "No KoC"},
      {{"see note", "points to the summary table's note on trichloroethylene: no value here"},
       {"#VALUE!", "a formula of the table that failed: no value"}},
      {},
      false};
}

TableLayout toxicity_characteristic_layout() {
  return {
      "tc",
      "40 CFR 261.24 Table 1",
      "40 CFR 261.24, 2015 edition",
      "waste_code",
      1,
      "contaminant",
      "cas",
      "waste_code",
      {{"TOX_C", "level_mg_per_L", "", Conversion::none, "mg/L", "mg/L", Blank::absent}},
      {""},
      {},
      {{"D020",
        "the regulation's chlordane CAS 57-74-9; the RSL lists chlordane as 12789-03-6, "
        "which this level is not attached to",
        true},
       {"D026", "total cresol: the regulation gives no CAS number, so no chemical takes it", true},
       {"D031",
        "covers heptachlor and its epoxide, but names heptachlor's CAS only: heptachlor "
        "epoxide (1024-57-3) does not take it",
        true},
       {"D023", "compare the total of the cresols with D026 when they are not told apart", false},
       {"D024", "compare the total of the cresols with D026 when they are not told apart", false},
       {"D025", "compare the total of the cresols with D026 when they are not told apart", false},
       {"D030", "the level is the quantitation limit: the calculated level is lower", false},
       {"D032", "the level is the quantitation limit: the calculated level is lower", false},
       {"D038", "the level is the quantitation limit: the calculated level is lower", false}},
      false};
}

}  // namespace

const std::vector<TableLayout>& table_layouts() {
  static const std::vector<TableLayout> layouts = {
      parameters_layout(), toxicity_layout(), volatile_layout(), toxicity_characteristic_layout()};
  return layouts;
}

std::string normalized_header(std::string_view cell) {
  std::string out;
  bool blank = false;
  for (char c : cell) {
    if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

const RowRemark* row_remark(const TableLayout& layout, std::string_view source) {
  for (const RowRemark& r : layout.remarks)
    if (source == r.source) return &r;
  return nullptr;
}

}  // namespace vorn::chemicals
