// The DAF scale factor from the unit's total volume in cubic yards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/run_error.hpp"
#include "daf_fixture.hpp"
#include "groundwater/daf_scale.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

double scale_for(const std::string& type, double cubic_yards) {
  DafFixture f(type, 0.0);
  f.rs.wu.WU_VOLYD3 = cubic_yards;
  calcdafscale(f.rs, kDebugUnit);
  EXPECT_EQ(lines_of(f.debug.text).size(), 1u);
  return f.rs.DAF_SCALE;
}

TEST(DafScale, OneCubicYardGivesTheLeadingCoefficient) {
  EXPECT_EQ(scale_for("SI", 1.0), 108687.0);
  EXPECT_EQ(scale_for("LF", 1.0), 120379.0);
}

TEST(DafScale, LargeUnitsGetTheFloorOfOne) {
  EXPECT_EQ(scale_for("SI", 1.0E6), 1.0);
  EXPECT_EQ(scale_for("LF", 1.0E6), 1.0);
  // The thresholds lie near 14 942 ("SI") and 153 736 ("LF") cubic yards.
  EXPECT_DOUBLE_EQ(scale_for("SI", 14000.0), 1.0817400123586232);
  EXPECT_EQ(scale_for("SI", 16000.0), 1.0);
  EXPECT_DOUBLE_EQ(scale_for("LF", 150000.0), 1.0243911579854235);
  EXPECT_EQ(scale_for("LF", 160000.0), 1.0);
  EXPECT_DOUBLE_EQ(scale_for("SI", 1000.0), 26.113050067777035);
  EXPECT_DOUBLE_EQ(scale_for("LF", 1000.0), 138.67262330138612);
}

TEST(DafScale, FloorIgnoresANotANumberVolume) {
  EXPECT_EQ(scale_for("LF", std::numeric_limits<double>::quiet_NaN()), 1.0);
  EXPECT_EQ(scale_for("SI", std::numeric_limits<double>::infinity()), 1.0);
}

TEST(DafScale, UnknownUnitTypeStopsTheRun) {
  DafFixture f("XY");
  f.rs.wu.WU_VOLYD3 = 1.0;
  EXPECT_THROW(calcdafscale(f.rs, kDebugUnit), RunStop);
  EXPECT_EQ(lines_of(f.debug.text), std::vector<std::string>{" Error in WMUTYPE: XY"});
}

// A whole run with no chemicals on a unit of the given type and size.
MemoryRun run_unit(const std::string& type, const std::string& volume_per_year,
                   const std::string& years) {
  InputBuilder b;
  b.site = "1\n" + type + "\n1.0E-5\n1.0\n" + volume_per_year + "\n0\n" + years + "\n0\n";
  return run_text(b.text());
}

TEST(DafScale, WholeRunsLogTheFactorForOneAndAMillionCubicYards) {
  struct Case {
    const char* type;
    const char* volume;
    const char* years;
    double scale;
    const char* logged;
  };
  const Case cases[] = {
      {"LF", "1", "1", 120379.0, " Calculated DAF scale factor= 120379.0"},
      {"SI", "1", "1", 108687.0, " Calculated DAF scale factor= 108687.0"},
      {"LF", "50000", "20", 1.0, " Calculated DAF scale factor= 1.0"},
      {"SI", "50000", "20", 1.0, " Calculated DAF scale factor= 1.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.volume + " x " + c.years);
    const MemoryRun r = run_unit(c.type, c.volume, c.years);
    ASSERT_EQ(r.outcome.status, Status::completed);
    EXPECT_EQ(r.outcome.results->DAF_SCALE, c.scale);
    const auto log = lines_of(r.files.debug);
    EXPECT_EQ(std::count(log.begin(), log.end(), std::string(c.logged)), 1);
  }
}

}  // namespace
}  // namespace vorn::test
