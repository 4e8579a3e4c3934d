// Lead (7439-92-1), mercury (7439-97-6) and methylmercury (22967-92-6) across the
// landfill surface-water, surface and groundwater steps. Every slot starts at a
// marker value, so a slot that a step must not write shows that it was left alone.
// Numbers marked "hand calculation" come from tests/pathways/hand_calculations.py.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "pathways/pathway_store.hpp"

namespace vorn::test {
namespace {

using Slots = std::initializer_list<const char*>;

const Slots kSwing = {"R_SWING", "H_SWING", "CC_SWING", "CN_SWING", "WC_SWING", "WN_SWING"};
const Slots kFish = {"R_SWFISH",  "H_SWFISH",  "CC_SWFISH", "CN_SWFISH", "WC_SWFISH",
                     "WN_SWFISH", "FC_SWFISH", "FN_SWFISH", "SWDISS"};
const Slots kAir = {"R_AIRPT",    "H_AIRPT",    "CC_AIRPT", "CN_AIRPT", "R_AIRSOIL", "H_AIRSOIL",
                    "CC_AIRSOIL", "CN_AIRSOIL", "R_AIRVOL", "H_AIRVOL", "CC_AIRVOL", "CN_AIRVOL"};
const Slots kGroundwater = {
    "DAFC",        "DAFN",        "DAFC_WV",     "DAFN_WV",     "R_GWING",    "H_GWING",
    "CC_GWING",    "CN_GWING",    "WC_GWING",    "WN_GWING",    "R_GWINH",    "H_GWINH",
    "CC_GWINH",    "CN_GWINH",    "WC_GWINH",    "WN_GWINH",    "R_GWDERM_A", "H_GWDERM_A",
    "CC_GWDERM_A", "CN_GWDERM_A", "WC_GWDERM_A", "WN_GWDERM_A", "R_GWDERM_C", "H_GWDERM_C",
    "CC_GWDERM_C", "CN_GWDERM_C", "WC_GWDERM_C", "WN_GWDERM_C"};

void expect_untouched(PathwayStore& s, int i, Slots names) {
  for (const char* name : names) EXPECT_SAME_DOUBLE(kUntouched, s(i, name)) << name;
}
void expect_written(PathwayStore& s, int i, Slots names) {
  for (const char* name : names) EXPECT_FALSE(same_double(kUntouched, s(i, name))) << name;
}
void expect_values(PathwayStore& s, int i,
                   std::initializer_list<std::pair<const char*, double>> values) {
  for (const auto& [name, value] : values) EXPECT_SAME_DOUBLE(value, s(i, name)) << name;
}
void expect_same_slots(PathwayStore& s, int i, int j, Slots names) {
  for (const char* name : names) EXPECT_SAME_DOUBLE(s(j, name), s(i, name)) << name;
}

// Lead as a landfill chemical usually comes: no positive toxicity value, a BAF, no
// vapour pressure, no Henry coefficient, no DAF rows (own landfill DAF 0).
Chemical& add_lead(PathwayStore& s, const char* cas = "7439-92-1") {
  Chemical& c = s.add(cas);
  c.CSFO = c.CSFI = c.ORDO = c.ORDI = -1;
  c.BCF = 5;
  c.BAF = 46;
  c.HENRY = c.DIFFW = c.DIFFA = -1;
  c.KPW = 1.0e-4;
  c.MW = 207.2;
  c.VP = 0;
  c.KDSW = 900;
  c.LOGKOW = -1000;
  c.TOTC = 300;
  c.TCLPCONC = 1.2;
  return c;
}

TEST(SpecialChemicals, LeadWithoutPositiveToxicityGetsItsFixedAllowables) {
  PathwayStore s("LF");
  add_lead(s);
  s.allocate();
  s.evaluate(1);
  // Surface water: only the fish hazard slots.
  expect_values(s, 1, {{"H_SWFISH", 0.0}, {"CN_SWFISH", 1e30}, {"WN_SWFISH", 1e30}});
  expect_untouched(s, 1, kSwing);
  expect_untouched(s, 1,
                   {"R_SWFISH", "CC_SWFISH", "WC_SWFISH", "FC_SWFISH", "FN_SWFISH", "SWDISS"});
  // Particulates and soil: the fixed allowables (hand calculation), no risk or HQ;
  // volatilisation evaluated from its own inputs (VP 0).
  expect_values(s, 1,
                {{"CC_AIRPT", 2773358.033063378},
                 {"CN_AIRPT", 2773358.033063378},
                 {"CC_AIRSOIL", 10062590.329403168},
                 {"CN_AIRSOIL", 10062590.329403168},
                 {"R_AIRVOL", 0.0},
                 {"H_AIRVOL", 0.0},
                 {"CC_AIRVOL", 1e30},
                 {"CN_AIRVOL", 1e30}});
  expect_untouched(s, 1, {"R_AIRPT", "H_AIRPT", "R_AIRSOIL", "H_AIRSOIL"});
  // Groundwater ingestion: the fixed well concentration 0.015 mg/L times the own
  // landfill DAF, 15.1 in single precision (hand calculation).
  expect_values(
      s, 1, {{"DAFC", 15.100000381469727}, {"WN_GWING", 0.015}, {"CN_GWING", 0.2265000057220459}});
  expect_untouched(s, 1, {"R_GWING", "H_GWING", "CC_GWING", "WC_GWING"});
  // Dermal contact has no positive oral value: zero risks, no limits; indoor
  // inhalation is gated by the missing Henry coefficient.
  for (const char* name :
       {"R_GWDERM_A", "H_GWDERM_A", "R_GWDERM_C", "H_GWDERM_C", "R_GWINH", "H_GWINH"})
    EXPECT_SAME_DOUBLE(0.0, s(1, name)) << name;
  for (const char* name :
       {"CC_GWDERM_A", "CN_GWDERM_A", "WC_GWDERM_A", "WN_GWDERM_A", "CC_GWDERM_C", "CN_GWDERM_C",
        "WC_GWDERM_C", "WN_GWDERM_C", "CC_GWINH", "CN_GWINH", "WC_GWINH", "WN_GWINH"})
    EXPECT_SAME_DOUBLE(1e30, s(1, name)) << name;
}

// With DAF rows the fixed well concentration is looked up on the non-carcinogenic
// curve (hand calculation).
TEST(SpecialChemicals, LeadFixedWellConcentrationUsesTheNonCarcinogenicCurve) {
  PathwayStore s("LF");
  add_lead(s);
  s.add_daf_row("7439-92-1", 0.01, 120, 100);
  s.add_daf_row("7439-92-1", 1.0, 60, 50);
  s.allocate();
  s.evaluate(1);
  expect_values(s, 1, {{"WN_GWING", 0.015}, {"CN_GWING", 0.7787646887770606}});
}

TEST(SpecialChemicals, LeadWithAPositiveOralSlopeFactorIsComputedWithItsBafAsFishUptake) {
  PathwayStore s("LF");
  add_lead(s).CSFO = 0.5;
  s.allocate();
  s.evaluate(1);
  EXPECT_EQ(fishuptake(s.rs, 1), 46.0);  // BAF, although BCF is positive
  // hand calculation
  expect_values(s, 1,
                {{"R_SWFISH", 2.0244048576645975e-07},
                 {"WC_SWFISH", 0.004118492745716551},
                 {"SWDISS", 8.261080692457395e-05},
                 {"R_AIRSOIL", 2.1536435616769955e-09},
                 {"CC_AIRSOIL", 1392988.1682296419},
                 {"CN_AIRSOIL", 1392988.1682296419}});
  // The inhalation values are still missing: particulates keep the fixed allowables.
  expect_values(s, 1, {{"CC_AIRPT", 2773358.033063378}, {"CN_AIRPT", 2773358.033063378}});
  // Groundwater ingestion as for any chemical: no fixed 0.015 mg/L.
  EXPECT_SAME_DOUBLE(s(1, "WC_GWING"), s(1, "WN_GWING"));
  EXPECT_FALSE(same_double(0.015, s(1, "WN_GWING")));
  expect_written(s, 1, {"R_GWING", "CC_GWING", "R_GWDERM_A", "R_GWDERM_C"});
}

TEST(SpecialChemicals, LeadCasNumberWithALeadingBlankIsAnOrdinaryChemical) {
  PathwayStore s("LF");
  add_lead(s, " 7439-92-1");
  s.allocate();
  s.evaluate(1);
  expect_untouched(s, 1, kSwing);
  expect_untouched(s, 1, kFish);
  expect_untouched(s, 1,
                   {"R_AIRPT", "H_AIRPT", "CC_AIRPT", "CN_AIRPT", "R_AIRSOIL", "H_AIRSOIL",
                    "CC_AIRSOIL", "CN_AIRSOIL"});
  expect_untouched(s, 1, {"R_GWING", "H_GWING", "CC_GWING", "CN_GWING", "WC_GWING", "WN_GWING"});
}

// Mercury against a twin with another CAS number: the same results everywhere
// except that mercury's nine fish slots are never written.
TEST(SpecialChemicals, MercuryKeepsItsFishSlotsAndIsOtherwiseAnyChemical) {
  PathwayStore s("LF");
  for (const char* cas : {"7439-97-6", "99-99-9"}) {
    Chemical& c = s.add(cas);
    c.CSFO = 0;
    c.CSFI = 0;
    c.ORDO = 3.0e-4;
    c.ORDI = 8.3e-5;
    c.BCF = 5000;
    c.BAF = -1;
    c.HENRY = 7.1e-3;
    c.DIFFW = 6.3e-6;
    c.DIFFA = 0.031;
    c.KPW = 1.0e-3;
    c.MW = 200.59;
    c.VP = 2.6e-6;
    c.KDSW = 1000;
    c.LOGKOW = 0.62;
    c.TOTC = 5;
    c.TCLPCONC = 0.001;
  }
  s.allocate();
  s.evaluate_all();
  expect_written(s, 1, kSwing);
  expect_same_slots(s, 1, 2, kSwing);
  expect_untouched(s, 1, kFish);
  expect_written(s, 2, kFish);
  expect_same_slots(s, 1, 2, kAir);
  expect_same_slots(s, 1, 2, kGroundwater);
}

Chemical& add_methylmercury(PathwayStore& s) {
  Chemical& c = s.add("22967-92-6");
  c.CSFO = c.CSFI = c.ORDI = -1;
  c.ORDO = 1.0e-4;
  c.BCF = -1;
  c.BAF = 1.68e6;
  c.HENRY = 4.7e-7;
  c.DIFFW = 1.3e-5;
  c.DIFFA = 0.05;
  c.KPW = 1.0e-3;
  c.MW = 215.6;
  c.VP = -1;
  c.KDSW = 1.0e5;
  c.LOGKOW = 2.5;
  c.TOTC = 0.1;
  c.TCLPCONC = 1.0e-4;
  return c;
}

TEST(SpecialChemicals, MethylmercuryOnlyReachesFishAndNoOtherPathway) {
  PathwayStore s("LF");
  add_methylmercury(s);
  s.allocate();
  s.evaluate(1);
  // Drinking water is not computed; fish with BIOF = BAF (hand calculation); the
  // slope factor is missing, so the cancer half keeps its defaults.
  expect_values(s, 1,
                {{"R_SWING", 0.0},
                 {"H_SWING", 0.0},
                 {"CC_SWING", 1e30},
                 {"CN_SWING", 1e30},
                 {"WC_SWING", 1e30},
                 {"WN_SWING", 1e30},
                 {"H_SWFISH", 0.0613300121349641},
                 {"CN_SWFISH", 1.6305230753898747},
                 {"WN_SWFISH", 4.5314935980214296e-07},
                 {"FN_SWFISH", 0.37542857142857144},
                 {"SWDISS", 1.3705380262813407e-08},
                 {"R_SWFISH", 0.0},
                 {"CC_SWFISH", 1e30},
                 {"WC_SWFISH", 1e30},
                 {"FC_SWFISH", 1e30}});
  // No air pathway and no groundwater pathway, not even the DAF lookup.
  expect_untouched(s, 1, kAir);
  expect_untouched(s, 1, kGroundwater);
}

TEST(SpecialChemicals, MethylmercuryWithoutPositiveOralToxicityOrInAnImpoundmentWritesNothing) {
  {
    PathwayStore s("LF");
    add_methylmercury(s).ORDO = 0;
    s.allocate();
    s.evaluate(1);
    expect_untouched(s, 1, kSwing);
    expect_untouched(s, 1, kFish);
    expect_untouched(s, 1, kAir);
    expect_untouched(s, 1, kGroundwater);
  }
  {
    PathwayStore s("SI");
    add_methylmercury(s).HENRY = 0;  // would write impoundment volatilisation
    s.allocate();
    s.evaluate(1);
    for (const auto& name : slot_names()) EXPECT_SAME_DOUBLE(kUntouched, s(1, name)) << name;
  }
}

TEST(SpecialChemicals, AnOrdinaryChemicalWithoutPositiveOralToxicityWritesNoSurfaceWaterSlot) {
  PathwayStore s("LF");
  for (double csfo : {0.0, -1.0}) {
    Chemical& c = s.add("55-55-5");
    c.CSFO = csfo;
    c.ORDO = -1;
    c.BAF = 46;
    c.KDSW = 1;
  }
  s.allocate();
  s.evaluate_all();
  for (int i : {1, 2}) {
    expect_untouched(s, i, kSwing);
    expect_untouched(s, i, kFish);
  }
}

}  // namespace
}  // namespace vorn::test
