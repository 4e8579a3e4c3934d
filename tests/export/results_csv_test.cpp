// The CSV table of a completed run: its columns, quoting, line ends and numbers.
#include <gtest/gtest.h>

#include <cstdlib>

#include "export/export_checks.hpp"
#include "support/test_support.hpp"
#include "vorn/results_csv.hpp"

namespace vorn::test {
namespace {

const char* const kHeader =
    "index,CHEMNAME,CHEMCAS,"
    "DAFC,DAFN,DAFC_WV,DAFN_WV,R_GWING,H_GWING,R_GWINH,H_GWINH,R_GWDERM_A,H_GWDERM_A,R_GWDERM_C,"
    "H_GWDERM_C,CC_GWING,CN_GWING,WC_GWING,WN_GWING,CC_GWINH,CN_GWINH,WC_GWINH,WN_GWINH,"
    "CC_GWDERM_A,CN_GWDERM_A,WC_GWDERM_A,WN_GWDERM_A,CC_GWDERM_C,CN_GWDERM_C,WC_GWDERM_C,"
    "WN_GWDERM_C,R_AIRVOL,H_AIRVOL,R_AIRPT,H_AIRPT,R_AIRSOIL,H_AIRSOIL,CC_AIRVOL,CN_AIRVOL,"
    "CC_AIRPT,CN_AIRPT,CC_AIRSOIL,CN_AIRSOIL,R_SWING,H_SWING,R_SWFISH,H_SWFISH,SWDISS,CC_SWING,"
    "CN_SWING,WC_SWING,WN_SWING,CC_SWFISH,CN_SWFISH,WC_SWFISH,WN_SWFISH,FC_SWFISH,FN_SWFISH,"
    "RI_SF,RI_GW,HI_SF,HI_GW,SF_ALLOW_1,SF_ALLOW_2,SF_ALLOW_3,SF_ALLOW_4,SF_ALLOW_5,SF_LIMIT,"
    "TC_MAX,TCLPMAX,LIMITPOE,GW_LIMIT,GW_WELL_1,GW_WELL_2,GW_WELL_3,GW_WELL_4,GW_WELL_5,DAF,"
    "DAF_WV,GW_PATHWAY,SF_PATHWAY,GW_EXCEEDED,SF_EXCEEDED";
constexpr std::size_t kColumns = 3 + 55 + 25;

// Reads a cell back as C's strtod does, with the three names of non-finite values.
double cell_number(const std::string& cell) {
  if (cell == "NaN") return std::nan("");
  if (cell == "Infinity") return INFINITY;
  if (cell == "-Infinity") return -INFINITY;
  char* end = nullptr;
  const double v = std::strtod(cell.c_str(), &end);
  EXPECT_EQ(*end, '\0') << "not a whole number: " << cell;
  return v;
}

class ReferenceRunCsv : public ::testing::TestWithParam<const char*> {};

// Every cell against the reference's results.json: the same chemicals, numbers, texts.
TEST_P(ReferenceRunCsv, EveryCellHoldsTheReferenceValue) {
  const auto ref = data_dir() / "reference" / GetParam();
  const auto r = run_text(read_text(ref / "VORN.IN"));
  ASSERT_EQ(r.outcome.status, Status::completed);
  const OrderedJson expected = OrderedJson::parse(read_text(ref / "results.json"));
  const auto records = parse_csv(results_csv(*r.outcome.results));
  const OrderedJson& chems = expected["chemicals"];
  ASSERT_EQ(records.size(), chems.size() + 1);

  std::string header;
  for (const auto& name : records[0]) header += (header.empty() ? "" : ",") + name;
  EXPECT_EQ(header, kHeader);
  for (std::size_t k = 0; k < chems.size(); ++k) {
    SCOPED_TRACE("chemical " + std::to_string(k + 1));
    const auto& row = records[k + 1];
    ASSERT_EQ(row.size(), kColumns);
    const OrderedJson& e = chems[k];
    EXPECT_EQ(row[0], std::to_string(k + 1));
    EXPECT_EQ(row[1], e["chemical"]["CHEMNAME"]);
    EXPECT_EQ(row[2], e["chemical"]["CHEMCAS"]);
    for (std::size_t c = 3; c < kColumns; ++c) {
      const std::string& name = records[0][c];
      SCOPED_TRACE(name);
      const bool slot = c < 3 + 55;
      const OrderedJson& group = e[slot ? "results" : "report"];
      // SF_ALLOW_3 is element 3 of SF_ALLOW.
      const auto under = name.rfind('_');
      const bool spread =
          !slot && (name.rfind("SF_ALLOW_", 0) == 0 || name.rfind("GW_WELL_", 0) == 0);
      const OrderedJson& v =
          spread ? group.at(name.substr(0, under)).at(std::stoul(name.substr(under + 1)) - 1)
                 : group.at(name);
      if (v.is_boolean()) {
        EXPECT_EQ(row[c], v.get<bool>() ? "true" : "false");
      } else if (v.is_string() && name.find("PATHWAY") != std::string::npos) {
        EXPECT_EQ(row[c], v.get<std::string>());
      } else if (v.is_number_integer()) {
        EXPECT_EQ(row[c], std::to_string(v.get<long>()));
      } else {
        EXPECT_TRUE(same_double(cell_number(row[c]), number_of(v))) << row[c] << " vs " << v;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Both, ReferenceRunCsv, ::testing::Values("landfill", "impoundment"));

Results one_chemical(const std::string& name) {
  Results res;
  res.unit.WU_WMUTYPE = "LF";
  Chemical c;
  c.CHEMNAME = name;
  c.CHEMNAME.resize(kNameWidth, ' ');
  c.CHEMCAS = "71-43-2";
  c.CHEMCAS.resize(kCasWidth, ' ');
  res.chemicals = {c};
  res.results = {ResultSlots{}};
  res.report = {ChemicalReport{}};
  return res;
}

TEST(ResultsCsv, NamesWithCommasAndQuotesAreQuotedAndReadBack) {
  const std::string text = results_csv(one_chemical("Ab, \"x\" y"));
  EXPECT_NE(text.find("\r\n1,\"Ab, \"\"x\"\" y\",71-43-2,"), std::string::npos) << text;
  const auto records = parse_csv(text);
  ASSERT_EQ(records.size(), 2u);
  ASSERT_EQ(records[1].size(), kColumns);
  EXPECT_EQ(records[1][1], "Ab, \"x\" y");
  EXPECT_EQ(records[1][2], "71-43-2");
  // Lines end in CRLF, and there is no other line break.
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  std::size_t breaks = 0;
  for (char ch : text) breaks += ch == '\n';
  EXPECT_EQ(breaks, 2u);

  // A quote alone, a CR and leading blanks: quoted where needed, blanks kept.
  EXPECT_EQ(parse_csv(results_csv(one_chemical("5\" pipe")))[1][1], "5\" pipe");
  EXPECT_EQ(parse_csv(results_csv(one_chemical("a\rb")))[1][1], "a\rb");
  const std::string leading = results_csv(one_chemical("  Lead"));
  EXPECT_NE(leading.find("\r\n1,  Lead,71-43-2,"), std::string::npos);
}

TEST(ResultsCsv, TextsAreUtf8WithoutTrailingBlanks) {
  const auto records = parse_csv(results_csv(one_chemical("Chlorure d'\xE9thyle")));
  EXPECT_EQ(records[1][1], "Chlorure d'\xC3\xA9thyle");
  EXPECT_EQ(records[1][2], "71-43-2");
}

TEST(ResultsCsv, NumbersAreShortestAndNonFiniteValuesNamed) {
  Results res = one_chemical("x");
  ResultSlots& s = res.results[0];
  s.DAFC = std::nan("");
  s.DAFN = INFINITY;
  s.DAFC_WV = -INFINITY;
  s.DAFN_WV = 0.1 + 0.2;
  s.R_GWING = -0.0;
  s.H_GWING = 5e-324;
  s.R_GWINH = 1e-5;
  s.H_GWINH = 1e16;
  res.report[0].GW_WELL[4] = 1e15;
  res.report[0].GW_EXCEEDED = true;
  const auto records = parse_csv(results_csv(res));
  const auto& row = records[1];
  EXPECT_EQ(row[3], "NaN");
  EXPECT_EQ(row[4], "Infinity");
  EXPECT_EQ(row[5], "-Infinity");
  // Shortest forms, each read back by strtod as the identical double.
  EXPECT_EQ(row[6], "0.30000000000000004");
  EXPECT_EQ(row[7], "-0.0");
  EXPECT_TRUE(same_double(cell_number(row[7]), -0.0));
  EXPECT_EQ(row[8], "5e-324");
  EXPECT_EQ(row[9], "1e-05");
  EXPECT_EQ(row[10], "1e+16");
  EXPECT_EQ(row[kColumns - 7], "1000000000000000.0");  // GW_WELL_5
  EXPECT_EQ(row[kColumns - 2], "true");                // GW_EXCEEDED
  EXPECT_EQ(row[kColumns - 1], "false");
  EXPECT_EQ(row[kColumns - 4], "GWINGESTION");
}

TEST(ResultsCsv, NoChemicalsGiveTheHeaderAlone) {
  Results res;
  res.unit.WU_WMUTYPE = "SI";
  EXPECT_EQ(results_csv(res), std::string(kHeader) + "\r\n");
}

}  // namespace
}  // namespace vorn::test
