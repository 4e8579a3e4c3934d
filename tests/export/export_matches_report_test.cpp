// The JSON export and the report can never disagree: every number cell of every
// data row and totals line of VORN.OUT is the JSON value rendered as a number field,
// and every name, CAS and pathway field is the JSON text in its field.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/number_field.hpp"
#include "export/export_checks.hpp"
#include "support/test_support.hpp"
#include "vorn/results_json.hpp"

namespace vorn::test {
namespace {

enum class Kind { Number, Cas, Pathway };

// One column of a data row after the name field, made from the chemical's JSON entry:
// a number column renders `value`, a text column pads `text` to its width.
struct Column {
  Kind kind;
  std::function<double(const OrderedJson&)> value;
  std::function<std::string(const OrderedJson&)> text;
};

struct Table {
  const char* title;
  int factor_lines;
  std::vector<Column> columns;
  // A totals line whose non-filler fields are the running sums of their columns.
  bool column_sums;
};

std::size_t width(Kind kind) {
  return kind == Kind::Number ? kNumberWidth : 15;
}

std::string padded(std::string text, std::size_t n) {
  text.resize(n, ' ');
  return text;
}

std::string leading_trimmed(const std::string& s) {
  const auto start = s.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : s.substr(start);
}

std::string expected_field(const Column& column, const OrderedJson& e) {
  return column.kind == Kind::Number ? number_field(column.value(e))
                                     : padded(column.text(e), width(column.kind));
}

double chem(const OrderedJson& e, const char* k) {
  return number_of(e["chemical"][k]);
}
double slot(const OrderedJson& e, const char* k) {
  return number_of(e["results"][k]);
}
double rep(const OrderedJson& e, const char* k) {
  return number_of(e["report"][k]);
}
double rep_at(const OrderedJson& e, const char* k, std::size_t p) {
  return number_of(e["report"][k][p]);
}
double sf_limit_allow(const OrderedJson& e) {
  return rep_at(e, "SF_ALLOW", e["report"]["SF_LIMIT"].get<std::size_t>() - 1);
}

Column num(std::function<double(const OrderedJson&)> value) {
  return {Kind::Number, std::move(value), nullptr};
}
Column chem_col(const char* k) {
  return num([k](const OrderedJson& e) { return chem(e, k); });
}
Column slot_col(const char* k) {
  return num([k](const OrderedJson& e) { return slot(e, k); });
}
Column rep_col(const char* k) {
  return num([k](const OrderedJson& e) { return rep(e, k); });
}
Column rep_at_col(const char* k, std::size_t p) {
  return num([k, p](const OrderedJson& e) { return rep_at(e, k, p); });
}
Column cas_col() {
  return {Kind::Cas, nullptr, [](const OrderedJson& e) {
            return leading_trimmed(e["chemical"]["CHEMCAS"].get<std::string>()).substr(0, 15);
          }};
}
Column pathway_col(std::function<std::string(const OrderedJson&)> text) {
  return {Kind::Pathway, nullptr, std::move(text)};
}

std::vector<Table> report_tables(bool landfill) {
  return {
      {"TABLE 1 SURFACE PATHWAY RISK",
       0,
       {chem_col("TOTC"), slot_col("R_SWING"), slot_col("R_AIRPT"), slot_col("R_SWFISH"),
        slot_col("R_AIRSOIL"), slot_col("R_AIRVOL"), rep_col("RI_SF")},
       true},
      {"Table 2 Groundwater Pathway Risks",
       0,
       {slot_col("DAFC"), slot_col("DAFC_WV"), chem_col("TCLPCONC"), slot_col("R_GWING"),
        slot_col("R_GWINH"), slot_col("R_GWDERM_A"), slot_col("R_GWDERM_C"), rep_col("RI_GW")},
       true},
      {"Table 3 Surface Pathway Hazard Quotients",
       0,
       {chem_col("TOTC"), slot_col("H_SWING"), slot_col("H_AIRPT"), slot_col("H_SWFISH"),
        slot_col("H_AIRSOIL"), slot_col("H_AIRVOL"), rep_col("HI_SF")},
       true},
      {"Table 4 Groundwater Pathway Hazard Quotients",
       0,
       {chem_col("TCLPCONC"), slot_col("DAFN"), slot_col("DAFN_WV"), slot_col("H_GWING"),
        slot_col("H_GWINH"), slot_col("H_GWDERM_A"), slot_col("H_GWDERM_C"), rep_col("HI_GW")},
       true},
      {"Table 5 Maximum Allowable Concs-Surface Pathways",
       2,
       {chem_col("TOTC"), rep_col("TC_MAX"), rep_at_col("SF_ALLOW", 0), rep_at_col("SF_ALLOW", 1),
        rep_at_col("SF_ALLOW", 2), rep_at_col("SF_ALLOW", 3), rep_at_col("SF_ALLOW", 4)},
       false},
      {"Table 6 Maximum Allowable TCLP Concs-GW Pathways",
       2,
       {chem_col("TCLPCONC"), rep_col("LIMITPOE"), rep_col("DAF"), rep_col("DAF_WV"),
        rep_col("TCLPMAX"), rep_at_col("GW_WELL", 0), rep_at_col("GW_WELL", 1),
        rep_at_col("GW_WELL", 2), rep_at_col("GW_WELL", 3), rep_at_col("GW_WELL", 4)},
       false},
      {"TABLE 7 AGGREGATE RISK AND HAZARD QUOTIENT RESULTS",
       0,
       {cas_col(), rep_col("HI_GW"), rep_col("HI_SF"),
        num([](const OrderedJson& e) { return rep(e, "HI_SF") + rep(e, "HI_GW"); }),
        rep_col("RI_GW"), rep_col("RI_SF"),
        num([](const OrderedJson& e) { return rep(e, "RI_SF") + rep(e, "RI_GW"); })},
       false},
      {"TABLE 8 LIMITING PATHWAYS",
       0,
       {cas_col(), rep_col("TCLPMAX"), pathway_col([](const OrderedJson& e) {
          return e["report"]["GW_PATHWAY"].get<std::string>();
        }),
        num(sf_limit_allow), pathway_col([](const OrderedJson& e) {
          return e["report"]["SF_PATHWAY"].get<std::string>();
        })},
       false},
      {"Table 9 Pathways Exceeding the Delisting Limits",
       0,
       {cas_col(), chem_col("TCLPCONC"), num([](const OrderedJson& e) {
          return e["report"]["GW_EXCEEDED"].get<bool>() ? rep(e, "TCLPMAX") : 0.0;
        }),
        pathway_col([](const OrderedJson& e) {
          return e["report"]["GW_EXCEEDED"].get<bool>()
                     ? e["report"]["GW_PATHWAY"].get<std::string>()
                     : std::string("--");
        }),
        num([landfill](const OrderedJson& e) {
          return landfill ? chem(e, "TOTC") : chem(e, "TCLPCONC");
        }),
        num([](const OrderedJson& e) {
          return e["report"]["SF_EXCEEDED"].get<bool>() ? sf_limit_allow(e) : 0.0;
        }),
        pathway_col([](const OrderedJson& e) {
          return e["report"]["SF_EXCEEDED"].get<bool>()
                     ? e["report"]["SF_PATHWAY"].get<std::string>()
                     : std::string("--");
        })},
       false},
      {"Table 10 Toxicity Characteristic; Soil Saturation;  and Ecological Values",
       0,
       {cas_col(), chem_col("TOX_C"), chem_col("TCLPCONC"), chem_col("SOILST"), chem_col("TOTC"),
        chem_col("ECOCHRON"), slot_col("SWDISS")},
       false},
  };
}

// The fields of a totals line after its label, split at the commas.
std::vector<std::string> totals_fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = line.find(',');
  while (start != std::string::npos) {
    const std::size_t end = line.find(',', start + 1);
    fields.push_back(line.substr(start + 1, end == std::string::npos ? end : end - start - 1));
    start = end;
  }
  return fields;
}

bool detected(const OrderedJson& flag) {
  return flag == "N" || flag == "n";
}

// Table 7's two totals lines: the detected chemicals' sums (groundwater by the TCLP
// flag, surface by the total-concentration flag), then the sums over all chemicals.
void expect_table7_totals(const OrderedJson& chems, const std::string& detected_line,
                          const std::string& all_line) {
  double det[4] = {0, 0, 0, 0}, all[4] = {0, 0, 0, 0};
  for (const OrderedJson& e : chems) {
    const double v[4] = {rep(e, "HI_GW"), rep(e, "HI_SF"), rep(e, "RI_GW"), rep(e, "RI_SF")};
    const bool gw = detected(e["chemical"]["TCLPFLAG"]);
    const bool sf = detected(e["chemical"]["TOTFLAG"]);
    for (int k = 0; k < 4; ++k) {
      all[k] += v[k];
      if (k % 2 == 0 ? gw : sf) det[k] += v[k];
    }
  }
  for (const auto& [line, s] : {std::pair{&detected_line, det}, std::pair{&all_line, all}}) {
    const std::vector<std::string> expected = {std::string(15, ' '),     number_field(s[0]),
                                               number_field(s[1]),       number_field(s[0] + s[1]),
                                               number_field(s[2]),       number_field(s[3]),
                                               number_field(s[2] + s[3])};
    EXPECT_EQ(totals_fields(*line), expected) << *line;
  }
}

void expect_report_matches(const std::filesystem::path& input) {
  ScratchDir dir;
  std::filesystem::copy_file(input, dir / "VORN.IN");
  const Outcome outcome = run(dir.path());
  ASSERT_EQ(outcome.status, Status::completed);
  const OrderedJson doc = OrderedJson::parse(results_json(outcome));
  const std::vector<std::string> lines = lines_of(read_text(dir / "VORN.OUT"));
  const OrderedJson& chems = doc["chemicals"];
  const bool landfill = doc["unit"]["WU_WMUTYPE"] == "LF";
  ASSERT_GT(chems.size(), 0u);

  int cells = 0;
  for (const Table& table : report_tables(landfill)) {
    SCOPED_TRACE(table.title);
    const auto title = std::find(lines.begin(), lines.end(), std::string(" ") + table.title);
    ASSERT_NE(title, lines.end());
    std::size_t at = static_cast<std::size_t>(title - lines.begin()) + 1;
    if (table.factor_lines > 0) {
      EXPECT_EQ(lines[at], "  Risk Factor=" + number_field(number_of(doc["unit"]["WU_RISKFACT"])));
      EXPECT_EQ(lines[at + 1], "  HQ Factor=" + number_field(number_of(doc["unit"]["WU_HQFACT"])));
    }
    at += static_cast<std::size_t>(table.factor_lines) + 2;  // header and separator
    for (std::size_t k = 0; k < chems.size(); ++k, ++at) {
      SCOPED_TRACE("chemical " + std::to_string(k + 1));
      const OrderedJson& e = chems[k];
      ASSERT_LT(at, lines.size());
      const std::string& row = lines[at];
      const std::string name = leading_trimmed(e["chemical"]["CHEMNAME"].get<std::string>());
      EXPECT_EQ(row.substr(0, 50), padded(name.substr(0, 50), 50));
      std::size_t pos = 50;
      for (const Column& column : table.columns) {
        ASSERT_LT(pos, row.size());
        EXPECT_EQ(row[pos], ',');
        EXPECT_EQ(row.substr(pos + 1, width(column.kind)), expected_field(column, e));
        pos += 1 + width(column.kind);
        ++cells;
      }
      EXPECT_EQ(pos, row.size());
    }
    if (table.column_sums) {
      ASSERT_LT(at, lines.size());
      const std::vector<std::string> fields = totals_fields(lines[at]);
      ASSERT_EQ(fields.size(), table.columns.size()) << lines[at];
      int sums = 0;
      for (std::size_t c = 0; c < fields.size(); ++c) {
        if (fields[c].find_first_not_of(' ') == std::string::npos) continue;  // filler
        double sum = 0.0;
        for (const OrderedJson& e : chems) sum += table.columns[c].value(e);
        EXPECT_EQ(fields[c], number_field(sum)) << "column " << c + 1;
        ++sums;
      }
      EXPECT_GE(sums, 5);
    }
    if (std::string(table.title).rfind("TABLE 7", 0) == 0) {
      ASSERT_LT(at + 1, lines.size());
      expect_table7_totals(chems, lines[at], lines[at + 1]);
    }
  }
  EXPECT_GT(cells, 0);
}

TEST(ExportMatchesReport, LandfillReference) {
  expect_report_matches(data_dir() / "reference" / "landfill" / "VORN.IN");
}

TEST(ExportMatchesReport, ImpoundmentReference) {
  expect_report_matches(data_dir() / "reference" / "impoundment" / "VORN.IN");
}

TEST(ExportMatchesReport, ShippedLandfillExample) {
  expect_report_matches(std::filesystem::path(VORN_TEST_DATA) / ".." / ".." / "examples" /
                        "landfill" / "VORN.IN");
}

}  // namespace
}  // namespace vorn::test
