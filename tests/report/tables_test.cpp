// The report writer on a store filled by hand: the choice of the limiting pathways,
// the detected-only sums and the DAF columns, with values no input produces exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "report_reading.hpp"
#include "support/test_run.hpp"

namespace vorn::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string padded(const std::string& text, std::size_t width) {
  std::string s = text;
  s.resize(width, ' ');
  return s;
}

// A landfill store with n chemicals named "Chemical 1".., no MCL, DAF scale 1.
struct Store {
  TestRun rs;
  StringSink report;
  ReportWork work;

  explicit Store(int n) {
    rs.wu.WU_WMUTYPE = "LF";
    rs.wu.WU_RISKFACT = 1.0e-5;
    rs.wu.WU_HQFACT = 1.0;
    rs.DAF_SCALE = 1.0;
    rs.units.report = &report;
    for (int i = 1; i <= n; ++i) {
      Chemical& c = rs.chem.append();
      c.CHEMNAME = padded("Chemical " + std::to_string(i), kNameWidth);
      c.CHEMCAS = padded("100-0" + std::to_string(i), kCasWidth);
      c.MCL = -1.0;
      c.TCLPFLAG = c.TOTFLAG = "N";
    }
    rs.N = n;
    rs.res.allocateResults(n);
  }
  ResultSlots& res(int i) { return rs.res(i); }
  const std::string& write() {
    work = writereport(rs, kReportUnit, rs.N);
    return report.text;
  }
  std::string row(int table, int i) { return data_rows(report.text, table, i).at(i - 1); }
};

TEST(LimitingPathway, EqualRiskAndHazardMinimaTakeTheRiskBasedPathway) {
  Store s(2);
  for (int i : {1, 2}) {
    ResultSlots& r = s.res(i);
    r.CC_GWINH = 5.0;  // risk-based minimum, inhalation
    r.WC_GWINH = 0.5;
    r.CN_GWDERM_A = i == 1 ? 5.0 : 4.99;  // hazard-based minimum, adult dermal
    r.WN_GWDERM_A = 0.25;
  }
  s.write();
  EXPECT_EQ(s.work[0].GW_LIMIT, 2);
  EXPECT_EQ(field(s.row(6, 1), 2), " 0.500E+00");  // LIMITPOE: the inhalation well concentration
  EXPECT_EQ(field(s.row(6, 1), 5), " 0.500E+01");
  EXPECT_EQ(field(s.row(8, 1), 3), "GWINHALATION   ");
  EXPECT_EQ(s.work[1].GW_LIMIT, 3);
  EXPECT_EQ(field(s.row(6, 2), 2), " 0.250E+00");
  EXPECT_EQ(field(s.row(8, 2), 3), "GWDERMAL-ADT   ");
}

TEST(LimitingPathway, RunningMinimumKeepsTheLowerNumberAndNeverTakesNaN) {
  Store s(3);
  // Surface: NaN first, then a tie between fish (3) and soil (4).
  ResultSlots& a = s.res(1);
  a.CC_SWING = a.CN_SWING = kNaN;
  a.CC_AIRPT = 7.0;
  a.CN_SWFISH = 3.0;
  a.CC_AIRSOIL = 3.0;
  a.CN_AIRVOL = 9.0;
  // Groundwater: a NaN candidate in first place and a tie between the dermal receptors.
  a.CC_GWING = kNaN;
  a.CC_GWDERM_A = a.CC_GWDERM_C = 2.0;
  a.WC_GWDERM_A = 0.125;
  a.WC_GWDERM_C = 0.0625;
  // Every candidate NaN: pathway 1 stays, the minimum is NaN.
  ResultSlots& b = s.res(2);
  b.CC_SWING = b.CN_SWING = b.CC_AIRPT = b.CN_AIRPT = b.CC_SWFISH = b.CN_SWFISH = kNaN;
  b.CC_AIRSOIL = b.CN_AIRSOIL = b.CC_AIRVOL = b.CN_AIRVOL = kNaN;
  // The smaller of a pathway's two allowables ignores a NaN.
  s.res(3).CC_AIRVOL = kNaN;
  s.res(3).CN_AIRVOL = 8.0;
  s.write();

  EXPECT_EQ(s.work[0].SF_LIMIT, 3);
  EXPECT_EQ(field(s.row(5, 1), 2), " 0.300E+01");  // TC_Max
  EXPECT_EQ(field(s.row(5, 1), 3), "       NaN");
  EXPECT_EQ(field(s.row(8, 1), 5), "SWFISHINGEST   ");
  EXPECT_EQ(s.work[0].GW_LIMIT, 3);
  EXPECT_EQ(field(s.row(6, 1), 2), " 0.125E+00");
  EXPECT_EQ(field(s.row(6, 1), 5), " 0.200E+01");

  EXPECT_EQ(s.work[1].SF_LIMIT, 1);
  EXPECT_EQ(field(s.row(5, 2), 2), "       NaN");
  EXPECT_EQ(field(s.row(8, 2), 5), "SWINGESTION    ");

  EXPECT_EQ(s.work[2].SF_LIMIT, 5);
  EXPECT_EQ(field(s.row(5, 3), 7), " 0.800E+01");
}

TEST(DetectedOnlySums, GroundwaterFollowsTheLeachateFlagAndSurfaceTheTotalFlag) {
  Store s(4);
  const char* const tclp_flags[] = {"N", "n", "D", " "};
  const char* const tot_flags[] = {"D", "n", "N", "x"};
  for (int i = 1; i <= 4; ++i) {
    const double p = std::ldexp(1.0, i - 1);  // 1, 2, 4, 8
    s.rs.chem(i).TCLPFLAG = tclp_flags[i - 1];
    s.rs.chem(i).TOTFLAG = tot_flags[i - 1];
    s.res(i).H_GWING = p;         // HI_GW
    s.res(i).H_SWING = 16 * p;    // HI_SF
    s.res(i).R_GWINH = p / 1024;  // RI_GW
    s.res(i).R_AIRPT = p / 64;    // RI_SF
  }
  const std::string& report = s.write();
  const auto t7 = table_lines(report, 7);
  // Detected: groundwater 1 + 2, surface 32 + 64.
  EXPECT_EQ(t7.at(7),
            "Sum-Detected COCs Only   ,               , 0.300E+01, 0.960E+02, 0.990E+02,"
            " 0.293E-02, 0.938E-01, 0.967E-01");
  EXPECT_EQ(t7.at(8),
            "Sum-with Non-Detected COCs    ,               , 0.150E+02, 0.240E+03, 0.255E+03,"
            " 0.146E-01, 0.234E+00, 0.249E+00");
  EXPECT_EQ(t7.at(9), "");
}

TEST(Table6DafColumns, QuotientsBelowOneOrBelowTheScalePrintOne) {
  Store s(4);
  s.rs.DAF_SCALE = 4.0;
  const double tclpmax[] = {0.5, 3.0, 12.0, 2.0};
  const double well[] = {1.0, 1.0, 1.0, 0.0};
  for (int i = 1; i <= 4; ++i) {
    s.res(i).CC_GWING = tclpmax[i - 1];
    s.res(i).WC_GWING = well[i - 1];
  }
  s.write();
  // Fields of Table 6: DAF, DAF_WV.
  EXPECT_EQ(field(s.row(6, 1), 3), " 0.100E+01");  // 0.5 / 1 is below 1
  EXPECT_EQ(field(s.row(6, 1), 4), " 0.100E+01");
  EXPECT_EQ(field(s.row(6, 2), 3), " 0.100E+01");  // 3 is above 1 but below the scale
  EXPECT_EQ(field(s.row(6, 2), 4), " 0.300E+01");
  EXPECT_EQ(field(s.row(6, 3), 3), " 0.300E+01");
  EXPECT_EQ(field(s.row(6, 3), 4), " 0.120E+02");
  EXPECT_EQ(field(s.row(6, 4), 3), "  Infinity");  // a well concentration of zero
  EXPECT_EQ(field(s.row(6, 4), 4), "  Infinity");
}

TEST(MclCheck, LowerMclLimitReplacesThePathwayAndUsesTheSmallerDaf) {
  Store s(2);
  for (int i : {1, 2}) {
    Chemical& c = s.rs.chem(i);
    c.ORGANIC = 1;
    c.DAFLF = 8.0;  // no DAF rows: the chemical's own DAF, 8 for both classes
    s.res(i).CN_GWING = 2.0;
    s.res(i).WN_GWING = 0.25;
  }
  s.rs.chem(1).MCL = 0.125;  // 8 x 0.125 = 1 < 2
  s.rs.chem(2).MCL = 0.5;    // 8 x 0.5 = 4 > 2
  s.write();
  EXPECT_EQ(s.work[0].GW_LIMIT, 5);
  EXPECT_EQ(field(s.row(6, 1), 2), " 0.125E+00");
  EXPECT_EQ(field(s.row(6, 1), 5), " 0.100E+01");
  EXPECT_EQ(field(s.row(8, 1), 3), "MCL            ");
  EXPECT_EQ(field(s.row(6, 1), 10), " 0.125E+00");
  EXPECT_EQ(s.work[1].GW_LIMIT, 1);
  EXPECT_EQ(field(s.row(6, 2), 5), " 0.200E+01");
  EXPECT_EQ(field(s.row(8, 2), 3), "GWINGESTION    ");
}

TEST(RowLengths, StayFixedForEveryKindOfValue) {
  Store s(5);
  const double values[] = {-2.5, 1.0e-101, 1.0e100, kNaN, -kInf};
  for (int i = 1; i <= 5; ++i) {
    const double v = values[i - 1];
    s.rs.chem(i).TCLPCONC = s.rs.chem(i).TOTC = s.rs.chem(i).SOILST = v;
    ResultSlots& r = s.res(i);
    r.R_SWING = r.H_AIRVOL = r.R_GWDERM_C = r.H_GWINH = r.CC_AIRPT = r.CN_GWDERM_C = v;
    r.WC_GWING = r.SWDISS = r.DAFC = v;
  }
  s.rs.chem(1).CHEMNAME = std::string(kNameWidth, ' ');  // an all-blank name
  const std::string& report = s.write();
  for (int t = 1; t <= 10; ++t) {
    const auto rows = data_rows(report, t, 5);
    ASSERT_EQ(rows.size(), 5u);
    for (const std::string& row : rows) EXPECT_EQ(row.size(), row_length(t)) << "table " << t;
  }
  EXPECT_EQ(s.row(1, 1).substr(0, 51), std::string(50, ' ') + ",");
  EXPECT_EQ(field(s.row(10, 2), 3), " 0.100-100");
  EXPECT_EQ(field(s.row(10, 3), 3), " 0.100+101");
  EXPECT_EQ(field(s.row(10, 5), 3), " -Infinity");
}

}  // namespace
}  // namespace vorn::test
