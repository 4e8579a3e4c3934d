// When the groundwater step asks the backward DAF lookup, and in which order. A
// target that is not a number makes a lookup on a curve of several points fail and
// stop the run, so the slots written before the stop show which lookups came first.
#include <gtest/gtest.h>

#include <limits>

#include "core/run_error.hpp"
#include "pathways/groundwater_paths.hpp"
#include "pathways/pathway_store.hpp"

namespace vorn::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr const char* kFailure = "FAILED DAF 1D INTERPOLATION IN BACKWARD CALC";

// An inorganic chemical with a two-point DAF curve around its leachate concentration.
Chemical& add_inorganic(PathwayStore& s, double csfo, double ordo, double csfi, double ordi) {
  Chemical& c = s.add("12-12-1");
  c.CSFO = csfo;
  c.ORDO = ordo;
  c.CSFI = csfi;
  c.ORDI = ordi;
  c.HENRY = 5.55e-3;
  c.DIFFW = 9.8e-6;
  c.DIFFA = 0.088;
  c.KPW = 1.0e-3;
  c.ORGANIC = 0;
  c.TCLPCONC = 0.1;
  s.add_daf_row("12-12-1", 0.01, 12.2, 11.5);
  s.add_daf_row("12-12-1", 1.0, 25.3, 24.1);
  return c;
}

// Runs the groundwater step of chemical 1; the message of the stop, or "" without one.
std::string groundwater_stop(PathwayStore& s) {
  int i = 1;
  try {
    groundwaterpaths(s.rs, kDebugUnit, i);
  } catch (const RunStop& stop) {
    return stop.lines().at(0);
  }
  return "";
}

TEST(GroundwaterLookups, IndoorInhalationWithoutHenryCoefficientMakesNoLookup) {
  for (double henry : {0.0, 5.55e-3}) {
    PathwayStore s("LF");
    add_inorganic(s, 0, 0, 0.0273, 0).HENRY = henry;
    s.rs.wu.WU_RISKFACT = kNaN;
    s.allocate();
    EXPECT_EQ(groundwater_stop(s), henry > 0 ? kFailure : "") << henry;
    if (henry == 0) {
      EXPECT_SAME_DOUBLE(0.0, s(1, "R_GWINH"));
      EXPECT_SAME_DOUBLE(0.0, s(1, "H_GWINH"));
      for (const char* name : {"CC_GWINH", "CN_GWINH", "WC_GWINH", "WN_GWINH"})
        EXPECT_SAME_DOUBLE(1e30, s(1, name)) << name;
    }
  }
}

TEST(GroundwaterLookups, IngestionCancerThenIngestionNonCancer) {
  PathwayStore s("LF");
  add_inorganic(s, 1.5, 3.0e-4, 0, 0);
  s.rs.wu.WU_HQFACT = kNaN;
  s.allocate();
  ASSERT_EQ(groundwater_stop(s), kFailure);
  EXPECT_GT(s(1, "CC_GWING"), 0.0);
  EXPECT_SAME_DOUBLE(kUntouched, s(1, "CN_GWING"));
  EXPECT_SAME_DOUBLE(kUntouched, s(1, "CC_GWDERM_A"));
}

TEST(GroundwaterLookups, DermalAdultThenChildBeforeIndoorInhalation) {
  PathwayStore s("LF");
  add_inorganic(s, 0, 3.0e-4, 0.0273, 1.0e-3);
  s.rs.wu.WU_RISKFACT = kNaN;  // only the indoor inhalation cancer lookup fails
  s.allocate();
  ASSERT_EQ(groundwater_stop(s), kFailure);
  for (const char* name : {"CN_GWING", "CN_GWDERM_A", "CN_GWDERM_C"}) {
    EXPECT_GT(s(1, name), 0.0) << name;
    EXPECT_LT(s(1, name), 1e30) << name;
  }
  EXPECT_SAME_DOUBLE(kUntouched, s(1, "CC_GWINH"));
  EXPECT_SAME_DOUBLE(kUntouched, s(1, "CN_GWINH"));
}

}  // namespace
}  // namespace vorn::test
