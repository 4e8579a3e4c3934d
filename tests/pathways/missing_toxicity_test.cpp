// What the allowable slots hold when a toxicity value is missing (negative):
// - surface pathways and surface-water drinking, missing reference dose: the
//   hazard-based allowable takes the risk-based allowable of the same pathway;
// - groundwater, missing slope factor: risk 0, allowable TCLP 0 and allowable well
//   concentration 0 for every pathway and both dermal receptors;
// - groundwater, missing reference dose: HQ 0, and the hazard-based well and TCLP
//   allowables take the risk-based ones just set for the same pathway and receptor.
// Every slot starts at a marker value, so nothing can pass by being left over.
#include <gtest/gtest.h>

#include "pathways/pathway_store.hpp"

namespace vorn::test {
namespace {

Chemical& add_chemical(PathwayStore& s, double csfo, double ordo, double csfi, double ordi) {
  return add_organic(s, "77-77-7", csfo, ordo, csfi, ordi);
}

TEST(MissingToxicity, SurfaceHazardLimitTakesTheRiskLimitOfTheSamePathway) {
  PathwayStore s("LF");
  add_chemical(s, 0.055, -1, 0.0273, -1);
  s.allocate();
  s.evaluate(1);
  for (const char* p : {"AIRPT", "AIRSOIL", "AIRVOL", "SWING"}) {
    SCOPED_TRACE(p);
    const std::string path(p);
    EXPECT_SAME_DOUBLE(0.0, s(1, "H_" + path));
    EXPECT_GT(s(1, "CC_" + path), 0.0);
    EXPECT_LT(s(1, "CC_" + path), 1e30);
    EXPECT_SAME_DOUBLE(s(1, "CC_" + path), s(1, "CN_" + path));
  }
  EXPECT_SAME_DOUBLE(s(1, "WC_SWING"), s(1, "WN_SWING"));
  // Fish has its own defaults.
  EXPECT_SAME_DOUBLE(1e30, s(1, "CN_SWFISH"));
}

// Volatilisation is evaluated with any slope factor: a missing reference dose then
// copies 1.0E30 (slope factor 0) or 0 (slope factor missing).
TEST(MissingToxicity, VolatilisationHazardLimitFollowsAZeroOrMissingSlopeFactor) {
  for (const char* type : {"LF", "SI"}) {
    SCOPED_TRACE(type);
    PathwayStore s(type);
    add_chemical(s, 0.055, 0.004, 0, -1);
    add_chemical(s, 0.055, 0.004, -1, -1);
    s.allocate();
    s.evaluate_all();
    EXPECT_SAME_DOUBLE(1e30, s(1, "CC_AIRVOL"));
    EXPECT_SAME_DOUBLE(1e30, s(1, "CN_AIRVOL"));
    EXPECT_SAME_DOUBLE(0.0, s(2, "CC_AIRVOL"));
    EXPECT_SAME_DOUBLE(0.0, s(2, "CN_AIRVOL"));
    for (int i : {1, 2}) {
      EXPECT_SAME_DOUBLE(0.0, s(i, "R_AIRVOL"));
      EXPECT_SAME_DOUBLE(0.0, s(i, "H_AIRVOL"));
    }
  }
}

// The particulate pathway with a zero slope factor and a positive reference dose
// has no risk limit (1.0E30); with a missing slope factor the limit is 0.
TEST(MissingToxicity, ParticulateRiskLimitIsNotComputedForZeroAndZeroForMissing) {
  PathwayStore s("LF");
  add_chemical(s, 0.055, 0.004, 0, 0.008);
  add_chemical(s, 0.055, 0.004, -1, 0.008);
  s.allocate();
  s.evaluate_all();
  EXPECT_SAME_DOUBLE(0.0, s(1, "R_AIRPT"));
  EXPECT_SAME_DOUBLE(1e30, s(1, "CC_AIRPT"));
  EXPECT_SAME_DOUBLE(0.0, s(2, "R_AIRPT"));
  EXPECT_SAME_DOUBLE(0.0, s(2, "CC_AIRPT"));
  EXPECT_SAME_DOUBLE(s(1, "CN_AIRPT"), s(2, "CN_AIRPT"));
  EXPECT_GT(s(1, "H_AIRPT"), 0.0);
}

TEST(MissingToxicity, GroundwaterMissingSlopeFactorGivesZeroRiskAndZeroLimitsForEveryReceptor) {
  PathwayStore s("LF");
  add_chemical(s, -1, 0.004, -1, 0.008);
  s.allocate();
  s.evaluate(1);
  for (const char* p : {"GWING", "GWINH", "GWDERM_A", "GWDERM_C"}) {
    SCOPED_TRACE(p);
    const std::string path(p);
    EXPECT_SAME_DOUBLE(0.0, s(1, "R_" + path));
    EXPECT_SAME_DOUBLE(0.0, s(1, "CC_" + path));
    EXPECT_SAME_DOUBLE(0.0, s(1, "WC_" + path));
    // The non-cancer half is computed from its own reference dose.
    EXPECT_GT(s(1, "H_" + path), 0.0);
    EXPECT_GT(s(1, "WN_" + path), 0.0);
    EXPECT_GT(s(1, "CN_" + path), 0.0);
    EXPECT_LT(s(1, "CN_" + path), 1e30);
  }
  // The child's hazard limits are its own, not the adult's.
  EXPECT_FALSE(same_double(s(1, "WN_GWDERM_A"), s(1, "WN_GWDERM_C")));
}

TEST(MissingToxicity, GroundwaterMissingReferenceDoseTakesTheRiskLimitsOfTheSameReceptor) {
  PathwayStore s("LF");
  add_chemical(s, 0.055, -1, 0.0273, -1);
  s.allocate();
  s.evaluate(1);
  for (const char* p : {"GWING", "GWINH", "GWDERM_A", "GWDERM_C"}) {
    SCOPED_TRACE(p);
    const std::string path(p);
    EXPECT_SAME_DOUBLE(0.0, s(1, "H_" + path));
    EXPECT_GT(s(1, "R_" + path), 0.0);
    EXPECT_GT(s(1, "WC_" + path), 0.0);
    EXPECT_SAME_DOUBLE(s(1, "WC_" + path), s(1, "WN_" + path));
    EXPECT_SAME_DOUBLE(s(1, "CC_" + path), s(1, "CN_" + path));
  }
  // Adult and child limits differ, so "same receptor" is visible.
  EXPECT_FALSE(same_double(s(1, "WC_GWDERM_A"), s(1, "WC_GWDERM_C")));
}

// Indoor inhalation runs for any slope factor: with both inhalation values missing
// all four limits are 0, with a zero slope factor they are 1.0E30.
TEST(MissingToxicity, IndoorInhalationHazardLimitsFollowAZeroOrMissingSlopeFactor) {
  PathwayStore s("LF");
  add_chemical(s, 0.055, 0.004, -1, -1);
  add_chemical(s, 0.055, 0.004, 0, -1);
  s.allocate();
  s.evaluate_all();
  for (const char* name : {"CC_GWINH", "WC_GWINH", "CN_GWINH", "WN_GWINH"}) {
    EXPECT_SAME_DOUBLE(0.0, s(1, name)) << name;
    EXPECT_SAME_DOUBLE(1e30, s(2, name)) << name;
  }
  for (int i : {1, 2}) {
    EXPECT_SAME_DOUBLE(0.0, s(i, "R_GWINH"));
    EXPECT_SAME_DOUBLE(0.0, s(i, "H_GWINH"));
  }
}

}  // namespace
}  // namespace vorn::test
