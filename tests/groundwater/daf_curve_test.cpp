// Gathering a chemical's DAF curve from the table rows, and the own-DAF fallback.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/run_error.hpp"
#include "daf_fixture.hpp"
#include "groundwater/daf_curve.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

std::vector<double> points(const std::array<double, kCurveCapacity>& column, int n) {
  return std::vector<double>(column.begin(), column.begin() + n);
}

// The curve gathered for chemical i.
const DafCurve& gather(DafFixture& f, int i, int unit = kDebugUnit) {
  getdafcurve(f.rs, unit, i);
  return f.rs.curve;
}

TEST(DafCurve, InorganicChemicalTakesAllItsRowsInTableOrder) {
  DafFixture f("LF");
  f.add_row("7440-38-2", 10, 5, 2);
  f.add_row("71-43-2", 0.5, 9, 9);
  f.add_row("7440-38-2", 0.1, 0.4, 0.8);
  f.add_row("7440-38-2", 1, 8, 16);
  const int i = f.add_chemical("7440-38-2", 0, 1.0);
  const DafCurve& c = gather(f, i);
  ASSERT_EQ(c.DC_NPT, 3);
  EXPECT_EQ(points(c.DC_CONC, 3), (std::vector<double>{10, 0.1, 1}));
  EXPECT_EQ(points(c.DC_CAR, 3), (std::vector<double>{5, 0.4, 8}));
  EXPECT_EQ(points(c.DC_NON, 3), (std::vector<double>{2, 0.8, 16}));
  EXPECT_EQ(points(c.DC_WCAR, 3), (std::vector<double>{2, 0.25, 0.125}));
  EXPECT_EQ(points(c.DC_WNON, 3), (std::vector<double>{5, 0.125, 0.0625}));
  // Nothing beyond the points is left from an earlier gathering.
  EXPECT_EQ(c.DC_CONC[3], 0.0);
  EXPECT_TRUE(f.debug.text.empty());
}

TEST(DafCurve, UnitTypeChoosesItsThreeColumns) {
  for (const char* type : {"LF", "SI"}) {
    DafFixture f(type);
    f.add_row("7439-97-6", 0.5, 10, 20, 0.25, 4, 8);
    const int i = f.add_chemical("7439-97-6", 0, 1.0);
    const DafCurve& c = gather(f, i);
    ASSERT_EQ(c.DC_NPT, 1);
    const bool landfill = std::string(type) == "LF";
    EXPECT_EQ(c.DC_CONC[0], landfill ? 0.5 : 0.25) << type;
    EXPECT_EQ(c.DC_CAR[0], landfill ? 10 : 4) << type;
    EXPECT_EQ(c.DC_NON[0], landfill ? 20 : 8) << type;
    EXPECT_EQ(c.DC_WCAR[0], landfill ? 0.05 : 0.0625) << type;
    EXPECT_EQ(c.DC_WNON[0], landfill ? 0.025 : 0.03125) << type;
  }
}

TEST(DafCurve, OrganicChemicalTakesItsFirstRowOnly) {
  DafFixture f("LF");
  f.add_row("71-43-2", 0.001, 10.5, 10.4);
  f.add_row("71-43-2", 0.1, 12, 12);
  f.add_row("71-43-2", 10, 14.1, 14.1);
  const int i = f.add_chemical("71-43-2", 1, 5.0);
  const DafCurve& c = gather(f, i);
  ASSERT_EQ(c.DC_NPT, 1);
  EXPECT_EQ(c.DC_CONC[0], 0.001);
  EXPECT_EQ(c.DC_CAR[0], 10.5);
  EXPECT_EQ(c.DC_NON[0], 10.4);
}

TEST(DafCurve, KeysMatchWithoutLeadingBlanksOnTheirFirstTwentyCharacters) {
  DafFixture f("LF");
  f.add_row("71-43-2", 1, 2, 2);
  f.add_row("   7440-38-2", 1, 3, 3);
  f.add_row("12345678901234567890", 1, 4, 4);
  const int leading_blanks = f.add_chemical("   71-43-2", 0, 1.0);
  const int row_with_blanks = f.add_chemical("7440-38-2", 0, 1.0);
  const int long_cas = f.add_chemical("1234567890123456789012345", 0, 1.0);
  const int long_after_blanks = f.add_chemical("      12345678901234567890XYZ", 0, 1.0);
  EXPECT_EQ(gather(f, leading_blanks).DC_CAR[0], 2.0);
  EXPECT_EQ(gather(f, row_with_blanks).DC_CAR[0], 3.0);
  EXPECT_EQ(gather(f, long_cas).DC_CAR[0], 4.0);
  EXPECT_EQ(gather(f, long_after_blanks).DC_CAR[0], 4.0);
}

TEST(DafCurve, KeysAreCaseSensitiveAndOnlyBlanksAreTrimmed) {
  DafFixture f("LF");
  f.add_row("abc-12", 1, 2, 2);
  f.add_row("71-43-2", 1, 3, 3);
  const int upper = f.add_chemical("ABC-12", 0, 1.0, 20.0);
  const int tabbed = f.add_chemical("\t71-43-2", 0, 1.0, 20.0);
  const int blank_inside = f.add_chemical("71 -43-2", 0, 1.0, 20.0);
  for (int i : {upper, tabbed, blank_inside}) {
    const DafCurve& c = gather(f, i);
    ASSERT_EQ(c.DC_NPT, 1) << i;
    EXPECT_EQ(c.DC_CONC[0], 1.0E6) << i << " found a row it does not own";
    EXPECT_EQ(c.DC_CAR[0], 20.0) << i;
  }
}

TEST(DafCurve, ChemicalWithoutRowsUsesItsOwnDafReplacingValuesNotAboveZero) {
  for (const char* type : {"LF", "SI"}) {
    SCOPED_TRACE(type);
    DafFixture f(type);
    f.add_row("71-43-2", 1, 2, 2);
    const int i = f.add_chemical("7440-38-2", 0, 1.0, 0.0, -1.0);
    const DafCurve& c = gather(f, i);
    const Chemical& chem = f.rs.chem(i);
    EXPECT_EQ(chem.DAFLF, 15.100000381469727);
    EXPECT_EQ(chem.DAFSI, 3.180000066757202);
    const bool landfill = std::string(type) == "LF";
    const double own = landfill ? 15.100000381469727 : 3.180000066757202;
    ASSERT_EQ(c.DC_NPT, 1);
    EXPECT_EQ(c.DC_CONC[0], 1.0E6);
    EXPECT_EQ(c.DC_CAR[0], own);
    EXPECT_EQ(c.DC_NON[0], own);
    const double well = landfill ? 66225.16388987449 : 314465.40220351244;
    EXPECT_EQ(c.DC_WCAR[0], well);
    EXPECT_EQ(c.DC_WNON[0], well);

    // A second gathering finds the replaced values and builds the same curve.
    const DafCurve first = c;
    const DafCurve& again = gather(f, i);
    EXPECT_EQ(again.DC_CAR[0], first.DC_CAR[0]);
    EXPECT_EQ(again.DC_WNON[0], first.DC_WNON[0]);
  }
}

TEST(DafCurve, OwnDafsAboveZeroOrNotANumberAreKept) {
  DafFixture f("SI");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const int positive = f.add_chemical("1-1-1", 0, 1.0, 20.0, 4.0);
  const int not_a_number = f.add_chemical("2-2-2", 0, 1.0, nan, nan);
  EXPECT_EQ(gather(f, positive).DC_CAR[0], 4.0);
  EXPECT_EQ(f.rs.chem(positive).DAFLF, 20.0);
  EXPECT_EQ(f.rs.curve.DC_WCAR[0], 250000.0);
  EXPECT_TRUE(std::isnan(gather(f, not_a_number).DC_CAR[0]));
  EXPECT_TRUE(std::isnan(f.rs.chem(not_a_number).DAFLF));
}

TEST(DafCurve, FiftyRowsFitAndTheFiftyFirstStopsTheRunOnTheGivenUnit) {
  DafFixture f("LF");
  for (int r = 1; r <= 50; ++r) f.add_row("7440-38-2", r, 10, 10);
  for (int r = 1; r <= 60; ++r) f.add_row("71-43-2", r, 10, 10);
  const int fifty = f.add_chemical("7440-38-2", 0, 1.0);
  const int organic = f.add_chemical("71-43-2", 1, 1.0);
  const int inorganic = f.add_chemical("71-43-2", 0, 1.0);
  EXPECT_EQ(gather(f, fifty).DC_NPT, 50);
  EXPECT_EQ(f.rs.curve.DC_CONC[49], 50.0);
  EXPECT_EQ(gather(f, organic).DC_NPT, 1);

  try {
    gather(f, inorganic, kReportUnit);
    FAIL() << "60 rows for one inorganic chemical were accepted";
  } catch (const RunStop& stop) {
    EXPECT_EQ(stop.unit(), kReportUnit);
    EXPECT_EQ(stop.lines(),
              std::vector<std::string>{"Stop, Error: more than 50 DAF rows for chemical # 3"});
  }
  EXPECT_EQ(lines_of(f.report.text),
            std::vector<std::string>{" Stop, Error: more than 50 DAF rows for chemical # 3"});
  EXPECT_TRUE(f.debug.text.empty());
}

TEST(DafCurve, FiftyFirstRowStopsAWholeRunWithItsLine) {
  InputBuilder b;
  b.properties = {chemical_line("Benzene", "71-43-2", 1), chemical_line("Arsenic", "7440-38-2", 0)};
  b.concentrations = {"0.5 N 100 N", "0.02 N 50 N"};
  for (int r = 1; r <= 51; ++r)
    b.daf_rows.push_back("7440-38-2 " + std::to_string(r) + " 25 24 1 4 4");
  const MemoryRun r = run_text(b.text());
  EXPECT_EQ(r.outcome.status, Status::stopped);
  EXPECT_EQ(r.outcome.message,
            std::vector<std::string>{"Stop, Error: more than 50 DAF rows for chemical # 2"});
  EXPECT_EQ(r.outcome.message_file, "VORN.DBG");
  EXPECT_FALSE(r.files.report.has_value());
  EXPECT_EQ(lines_of(r.files.debug).back(), " Stop, Error: more than 50 DAF rows for chemical # 2");

  // With fifty rows the same run completes.
  b.daf_rows.pop_back();
  EXPECT_EQ(run_text(b.text()).outcome.status, Status::completed);
}

}  // namespace
}  // namespace vorn::test
