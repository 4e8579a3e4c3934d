// The gates of the pathways: exact zero against missing (negative or not a number)
// properties, the fish uptake choice, and the dermal dose forms. Where a rule says
// that two inputs behave alike, the test runs both and compares every slot.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pathways/landfill_sw.hpp"
#include "pathways/pathway_store.hpp"
#include "pathways/surface_paths.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A chemical for which every pathway applies.
Chemical& add_volatile(PathwayStore& s, const char* cas = "44-44-4") {
  return add_organic(s, cas, 0.055, 0.004, 0.0273, 0.008);
}

void expect_not_volatile(PathwayStore& s, int i) {
  EXPECT_SAME_DOUBLE(0.0, s(i, "R_AIRVOL"));
  EXPECT_SAME_DOUBLE(0.0, s(i, "H_AIRVOL"));
  EXPECT_SAME_DOUBLE(1e30, s(i, "CC_AIRVOL"));
  EXPECT_SAME_DOUBLE(1e30, s(i, "CN_AIRVOL"));
}

TEST(PathwayGates, LandfillVolatilisationTellsAZeroPropertyFromAMissingOne) {
  PathwayStore s("LF");
  add_volatile(s).VP = 0;
  add_volatile(s).VP = -1;
  add_volatile(s).VP = kNaN;
  Chemical& c4 = add_volatile(s);
  c4.VP = -1;
  c4.MW = 0;  // any exactly zero property writes the slots
  add_volatile(s).DIFFA = 0;
  add_volatile(s).DIFFA = -1;
  s.allocate();
  for (int i = 1; i <= s.rs.N; ++i) lfvolatilization(s.rs, i);
  for (int i : {1, 4, 5}) {
    SCOPED_TRACE(i);
    expect_not_volatile(s, i);
  }
  for (int i : {2, 3, 6}) {
    SCOPED_TRACE(i);
    for (const char* name : {"R_AIRVOL", "H_AIRVOL", "CC_AIRVOL", "CN_AIRVOL"})
      EXPECT_SAME_DOUBLE(kUntouched, s(i, name)) << name;
  }
}

TEST(PathwayGates, ImpoundmentVolatilisationNeedsPositiveHenryAndDiffusionCoefficients) {
  PathwayStore s("SI");
  add_volatile(s).HENRY = 0;
  add_volatile(s).HENRY = -1;
  add_volatile(s).HENRY = kNaN;
  add_volatile(s).DIFFW = 0;
  add_volatile(s).DIFFA = -1;
  add_volatile(s);
  s.allocate();
  for (int i = 1; i <= s.rs.N; ++i) sivolatilization(s.rs, i);
  for (int i = 1; i <= 5; ++i) {
    SCOPED_TRACE(i);
    expect_not_volatile(s, i);
  }
  EXPECT_GT(s(6, "R_AIRVOL"), 0.0);
}

TEST(PathwayGates, DermalContactNeedsAPositiveSkinPermeability) {
  PathwayStore s("LF");
  add_volatile(s).KPW = 0;
  add_volatile(s).KPW = -1;
  add_volatile(s).KPW = kNaN;
  s.allocate();
  s.evaluate_all();
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    for (const char* name : {"R_GWDERM_A", "H_GWDERM_A", "R_GWDERM_C", "H_GWDERM_C"})
      EXPECT_SAME_DOUBLE(0.0, s(i, name)) << name;
    for (const char* name : {"CC_GWDERM_A", "CN_GWDERM_A", "WC_GWDERM_A", "WN_GWDERM_A",
                             "CC_GWDERM_C", "CN_GWDERM_C", "WC_GWDERM_C", "WN_GWDERM_C"})
      EXPECT_SAME_DOUBLE(1e30, s(i, name)) << name;
    // The other groundwater pathways are computed.
    EXPECT_GT(s(i, "R_GWING"), 0.0);
    EXPECT_GT(s(i, "R_GWINH"), 0.0);
  }
}

TEST(PathwayGates, FishUptakeChoice) {
  PathwayStore s("LF");
  struct Case {
    double logkow, bcf, baf;
    int organic;
    double biof;
  };
  const Case cases[] = {
      {4.0, 5.2, 46, 1, 5.2},              // 4 itself: the BCF
      {4.01, 5.2, 46, 1, 46},              // above 4: the BAF
      {4.01, 5.2, -1, 1, 0},               // floored at 0
      {4.01, 5.2, kNaN, 1, 0},             // a NaN BAF is ignored by the floor
      {2.0, -1, 46, 0, 46},                // no BCF: the BAF
      {2.0, 0, 0, 0, 0},                   // inorganic without either
      {2.5, -1, 0, 1, 5.312167797181167},  // exp(0.76 × 2.5 − 0.23), hand calculation
  };
  for (const Case& k : cases) {
    Chemical& c = s.add("66-66-6");
    c.LOGKOW = k.logkow;
    c.BCF = k.bcf;
    c.BAF = k.baf;
    c.ORGANIC = k.organic;
  }
  s.allocate();
  for (int i = 1; i <= s.rs.N; ++i) EXPECT_SAME_DOUBLE(cases[i - 1].biof, fishuptake(s.rs, i)) << i;
}

// Without a positive uptake factor both fish halves write their defaults, while the
// dissolved concentration is still written.
TEST(PathwayGates, NoPositiveFishUptakeGivesTheFishDefaults) {
  PathwayStore s("LF");
  Chemical& inorganic = add_volatile(s);
  inorganic.ORGANIC = 0;
  inorganic.BCF = -1;
  inorganic.BAF = -1;
  Chemical& methylmercury = add_volatile(s, "22967-92-6");
  methylmercury.LOGKOW = 5;
  methylmercury.BAF = -5;
  s.allocate();
  EXPECT_EQ(fishuptake(s.rs, 2), -5.0);  // as read, not floored
  for (int i : {1, 2}) {
    SCOPED_TRACE(i);
    landfillsw(s.rs, kDebugUnit, i);
    EXPECT_SAME_DOUBLE(0.0, s(i, "R_SWFISH"));
    EXPECT_SAME_DOUBLE(0.0, s(i, "H_SWFISH"));
    for (const char* name :
         {"CC_SWFISH", "CN_SWFISH", "WC_SWFISH", "WN_SWFISH", "FC_SWFISH", "FN_SWFISH"})
      EXPECT_SAME_DOUBLE(1e30, s(i, name)) << name;
    EXPECT_GT(s(i, "SWDISS"), 0.0);
  }
}

// A value that is not a number fails the tests for positive and for exact zero, so
// every pathway treats it as missing: the run gives the same slots as with -1.
TEST(PathwayGates, NotANumberBehavesAsAMissingValueInEveryPathway) {
  double Chemical::*fields[] = {&Chemical::CSFO,  &Chemical::CSFI,  &Chemical::ORDO,
                                &Chemical::ORDI,  &Chemical::VP,    &Chemical::MW,
                                &Chemical::DIFFA, &Chemical::DIFFW, &Chemical::HENRY,
                                &Chemical::KPW,   &Chemical::BCF,   &Chemical::BAF};
  for (const char* type : {"LF", "SI"}) {
    PathwayStore s(type);
    for (auto field : fields) {
      add_volatile(s).*field = kNaN;
      add_volatile(s).*field = -1;
    }
    // Both oral values missing, once with the lead exception.
    for (const char* cas : {"44-44-4", "7439-92-1"}) {
      for (double v : {kNaN, -1.0}) {
        Chemical& c = add_volatile(s, cas);
        c.CSFO = c.ORDO = c.CSFI = c.ORDI = v;
      }
    }
    s.allocate();
    s.evaluate_all();
    for (int i = 1; i <= s.rs.N; i += 2) {
      SCOPED_TRACE(::testing::Message() << type << " pair " << i);
      for (const auto& name : slot_names()) EXPECT_SAME_DOUBLE(s(i + 1, name), s(i, name)) << name;
    }
  }
}

// Dermal dose forms of an organic chemical: short event while the event time is
// below the steady-state time, long event from it on (0.25 h equal to TSTAR is
// long), and the inorganic form when TSTAR is not a number. An inorganic chemical
// ignores TSTAR, TAU and BUNGE.
TEST(PathwayGates, DermalDoseFormFollowsTheSteadyStateTime) {
  PathwayStore s("LF");
  add_volatile(s).TSTAR = 0.25;  // 1: adult long, child long
  add_volatile(s).TSTAR = 0.1;   // 2: both long
  add_volatile(s).TSTAR = 0.26;  // 3: adult short, child long
  add_volatile(s).TSTAR = kNaN;  // 4: inorganic form
  Chemical& inorganic = add_volatile(s);
  inorganic.ORGANIC = 0;  // 5
  Chemical& other = add_volatile(s);
  other.ORGANIC = 0;  // 6: the same with other dermal constants
  other.TSTAR = 5;
  other.TAU = 7;
  other.BUNGE = 9;
  s.allocate();
  s.evaluate_all();
  const char* adult[] = {"R_GWDERM_A",  "H_GWDERM_A",  "CC_GWDERM_A",
                         "CN_GWDERM_A", "WC_GWDERM_A", "WN_GWDERM_A"};
  const char* child[] = {"R_GWDERM_C",  "H_GWDERM_C",  "CC_GWDERM_C",
                         "CN_GWDERM_C", "WC_GWDERM_C", "WN_GWDERM_C"};
  for (const char* name : adult) {
    EXPECT_SAME_DOUBLE(s(2, name), s(1, name)) << name;
    EXPECT_FALSE(same_double(s(2, name), s(3, name))) << name;
  }
  for (const char* name : child) EXPECT_SAME_DOUBLE(s(2, name), s(3, name)) << name;
  for (const auto& name : slot_names()) {
    EXPECT_SAME_DOUBLE(s(5, name), s(4, name)) << name;
    EXPECT_SAME_DOUBLE(s(5, name), s(6, name)) << name;
  }
}

// An impoundment run writes neither particulate nor soil slots nor any
// surface-water slot: they keep their initial values.
TEST(PathwayGates, ImpoundmentRunLeavesLandfillOnlySlotsAtTheirInitialValues) {
  InputBuilder in;
  in.site = "1\nSI\n1.0E-5\n1.0\n10000\n2\n20\n0\n";
  in.properties = {property_line(
      "Volatile", "44-44-4",
      {"0.005",  "0.055", "0.0273", "0.004", "0.03",  "5.2",   "1820",  "0.5",  "5.55e-3",
       "9.8e-6", "0.088", "1750",   "0",     "0",     "0.3",   "0.015", "0.29", "0.051",
       "1",      "12",    "0.13",   "C",     "78.11", "0.125", "2.5",   "2.13"})};
  in.concentrations = {"0.5 N 100 N"};
  const auto run = run_text(in.text());
  ASSERT_EQ(run.outcome.status, Status::completed) << run.files.debug;
  ResultSlots r = run.outcome.results->results.at(0);
  const ResultSlots initial{};
  for (const char* name :
       {"R_AIRPT",    "H_AIRPT",    "CC_AIRPT",  "CN_AIRPT",  "R_AIRSOIL", "H_AIRSOIL",
        "CC_AIRSOIL", "CN_AIRSOIL", "R_SWING",   "H_SWING",   "CC_SWING",  "CN_SWING",
        "WC_SWING",   "WN_SWING",   "R_SWFISH",  "H_SWFISH",  "CC_SWFISH", "CN_SWFISH",
        "WC_SWFISH",  "WN_SWFISH",  "FC_SWFISH", "FN_SWFISH", "SWDISS"}) {
    ResultSlots expected = initial;
    EXPECT_SAME_DOUBLE(slot(expected, name), slot(r, name)) << name;
  }
  EXPECT_GT(r.R_AIRVOL, 0.0);
  EXPECT_GT(r.R_GWINH, 0.0);
}

}  // namespace
}  // namespace vorn::test
