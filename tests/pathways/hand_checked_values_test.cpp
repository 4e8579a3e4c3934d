// Pathway values checked against an independent hand calculation.
//
// The expected values come from tests/pathways/hand_calculations.py, which
// evaluates the formulas of the unit geometry, the DAF lookups and the pathways
// from their written description, not from this code (run it with python3 to see
// them again). It keeps the order of every chain of products and quotients and
// the constants as written, so the values agree to the last bit.
#include <gtest/gtest.h>

#include <cmath>

#include "pathways/groundwater_paths.hpp"
#include "pathways/indoor_air.hpp"
#include "pathways/pathway_store.hpp"
#include "pathways/surface_paths.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr const char* kHand = "hand calculation";
constexpr const char* kGate = "gate not met";

struct Expected {
  const char* chemical;
  const char* slot;
  double value;
  const char* source;
};

// A landfill of 10000 cubic yards a year over 20 years (DAF scale factor 1) holding
// an organic chemical with one DAF row (carcinogenic DAF 20, non-carcinogenic 10)
// and an inorganic chemical with a two-row DAF curve. The organic one's steady-state
// time of 0.3 h lies between the adult (0.25 h) and child (0.33 h) event times, so the
// adult takes the short-event dermal dose and the child the long-event one. Its ORDI
// and ORDO are chosen so that the groundwater and the air or surface-water forms of
// the non-cancer factors differ in the last bit.
InputBuilder landfill_input() {
  InputBuilder in;
  in.properties = {
      property_line(
          "Hand organic", "11-11-1",
          {"0.005",  "0.055", "0.0273", "0.004", "0.07",  "5.2",   "1820",  "0.5",  "5.55e-3",
           "9.8e-6", "0.088", "1750",   "0",     "0",     "0.3",   "0.015", "0.29", "0.051",
           "1",      "-1",    "0.13",   "C",     "78.11", "0.125", "2.5",   "2.13"}),
      property_line("Hand inorganic", "22-22-2",
                    {"0.01", "1.5", "15.1", "3.0e-4", "1.5e-5", "44",  "-1",     "5.0",  "-1",
                     "-1",   "-1",  "-1",   "0",      "0",      "0.1", "1.0e-3", "5",    "2",
                     "0",    "-1",  "0.15", "C",      "74.92",  "0",   "29",     "-1000"}),
  };
  in.concentrations = {"0.5 N 100 N", "0.02 N 50 N"};
  in.daf_rows = {"11-11-1 1.0 20 10 1.0 4 2", "22-22-2 0.01 12.2 11.5 0.01 2.2 2.1",
                 "22-22-2 1.0 25.3 24.1 1.0 4.2 4.0"};
  return in;
}

TEST(HandCheckedValues, LandfillChemicalsThroughEverySurfaceAndGroundwaterPathway) {
  // clang-format off
  const Expected table[] = {
      // Organic chemical: every slot of every landfill pathway.
      {"organic", "CC_AIRPT", 37245218.028800085, kHand},
      {"organic", "CC_AIRSOIL", 12663528.802087655, kHand},
      {"organic", "CC_AIRVOL", 150366.23059923592, kHand},
      {"organic", "CC_GWDERM_A", 3.0573396256481193, kHand},
      {"organic", "CC_GWDERM_C", 19.110138039942413, kHand},
      {"organic", "CC_GWING", 0.26580895739774246, kHand},
      {"organic", "CC_GWINH", 0.28568553109349026, kHand},
      {"organic", "CC_SWFISH", 1180858.9729251433, kHand},
      {"organic", "CC_SWING", 4927086.332924214, kHand},
      {"organic", "CN_AIRPT", 1012275682.0681335, kHand},
      {"organic", "CN_AIRSOIL", 31481532.601989914, kHand},
      {"organic", "CN_AIRVOL", 4086754.936490286, kHand},
      {"organic", "CN_GWDERM_A", 13.452294352851727, kHand},
      {"organic", "CN_GWDERM_C", 16.81692147514932, kHand},
      {"organic", "CN_GWING", 1.5017142857142858, kHand},
      {"organic", "CN_GWINH", 3.8822771237510265, kHand},
      {"organic", "CN_SWFISH", 10391558.96174126, kHand},
      {"organic", "CN_SWING", 55672133.892977275, kHand},
      {"organic", "DAFC", 20.0, kHand},
      {"organic", "DAFN", 10.0, kHand},
      {"organic", "FC_SWFISH", 1.7064935064935067, kHand},
      {"organic", "FN_SWFISH", 15.017142857142858, kHand},
      {"organic", "H_AIRPT", 9.878731828832896e-08, kHand},
      {"organic", "H_AIRSOIL", 3.1764654302020578e-06, kHand},
      {"organic", "H_AIRVOL", 2.4469292030972676e-05, kHand},
      {"organic", "H_GWDERM_A", 0.03716838086389375, kHand},
      {"organic", "H_GWDERM_C", 0.029731957822295794, kHand},
      {"organic", "H_GWING", 0.3329528158295282, kHand},
      {"organic", "H_GWINH", 0.12879039390081043, kHand},
      {"organic", "H_SWFISH", 9.623195169095545e-06, kHand},
      {"organic", "H_SWING", 1.796230771255104e-06, kHand},
      {"organic", "R_AIRPT", 2.6849084336860213e-11, kHand},
      {"organic", "R_AIRSOIL", 7.896693059482316e-11, kHand},
      {"organic", "R_AIRVOL", 6.650429395049833e-09, kHand},
      {"organic", "R_GWDERM_A", 1.6354087580113249e-06, kHand},
      {"organic", "R_GWDERM_C", 2.61641228836203e-07, kHand},
      {"organic", "R_GWING", 1.8810502283105022e-05, kHand},
      {"organic", "R_GWINH", 1.7501761397792865e-05, kHand},
      {"organic", "R_SWFISH", 8.46841174880408e-10, kHand},
      {"organic", "R_SWING", 2.0295970730565674e-10, kHand},
      {"organic", "SWDISS", 2.779094165316823e-05, kHand},
      {"organic", "WC_GWDERM_A", 0.15286698128240597, kHand},
      {"organic", "WC_GWDERM_C", 0.9555069019971206, kHand},
      {"organic", "WC_GWING", 0.013290447869887125, kHand},
      {"organic", "WC_GWINH", 0.014284276554674513, kHand},
      {"organic", "WC_SWFISH", 0.3281802604784943, kHand},
      {"organic", "WC_SWING", 0.013290447869887125, kHand},
      {"organic", "WN_GWDERM_A", 1.3452294352851726, kHand},
      {"organic", "WN_GWDERM_C", 1.6816921475149322, kHand},
      {"organic", "WN_GWING", 0.15017142857142857, kHand},
      {"organic", "WN_GWINH", 0.3882277123751027, kHand},
      {"organic", "WN_SWFISH", 2.8879862922107495, kHand},
      {"organic", "WN_SWING", 0.1501714285714286, kHand},
      // Inorganic chemical: no volatilisation (VP 0) and no indoor inhalation (HENRY missing).
      {"inorganic", "CC_AIRPT", 67337.38093948626, kHand},
      {"inorganic", "CC_AIRSOIL", 464329.38940988074, kHand},
      {"inorganic", "CC_AIRVOL", 1e+30, kGate},
      {"inorganic", "CC_GWDERM_A", 6.332228571428573, kHand},
      {"inorganic", "CC_GWDERM_C", 12.650693188667873, kHand},
      {"inorganic", "CC_GWING", 0.0059452603471295065, kHand},
      {"inorganic", "CC_GWINH", 1e+30, kGate},
      {"inorganic", "CC_SWFISH", 5118.44921928605, kHand},
      {"inorganic", "CC_SWING", 180659.83220722116, kHand},
      {"inorganic", "CN_AIRPT", 216916.21758602856, kHand},
      {"inorganic", "CN_AIRSOIL", 2361114.945149243, kHand},
      {"inorganic", "CN_AIRVOL", 1e+30, kGate},
      {"inorganic", "CN_GWDERM_A", 108.57394285714285, kHand},
      {"inorganic", "CN_GWDERM_C", 43.38237711655432, kHand},
      {"inorganic", "CN_GWING", 0.21147672305326212, kHand},
      {"inorganic", "CN_GWINH", 1e+30, kGate},
      {"inorganic", "CN_SWFISH", 92132.08594714887, kHand},
      {"inorganic", "CN_SWING", 4175410.041973294, kHand},
      {"inorganic", "DAFC", 13.615608813510356, kHand},
      {"inorganic", "DAFN", 12.854677911611304, kHand},
      {"inorganic", "FC_SWFISH", 0.06257142857142858, kHand},
      {"inorganic", "FN_SWFISH", 1.1262857142857141, kHand},
      {"inorganic", "H_AIRPT", 0.00023050374267276762, kHand},
      {"inorganic", "H_AIRSOIL", 2.1176436201347058e-05, kHand},
      {"inorganic", "H_AIRVOL", 0.0, kGate},
      {"inorganic", "H_GWDERM_A", 0.00034535061152462414, kHand},
      {"inorganic", "H_GWDERM_C", 0.0008643158824749074, kHand},
      {"inorganic", "H_GWING", 0.13814024460984967, kHand},
      {"inorganic", "H_GWINH", 0.0, kGate},
      {"inorganic", "H_SWFISH", 0.0005426990986471561, kHand},
      {"inorganic", "H_SWING", 1.1974871808367366e-05, kHand},
      {"inorganic", "R_AIRPT", 7.425296217703098e-09, kHand},
      {"inorganic", "R_AIRSOIL", 1.0768217808384978e-09, kHand},
      {"inorganic", "R_AIRVOL", 0.0, kGate},
      {"inorganic", "R_GWDERM_A", 5.8689021470560896e-08, kHand},
      {"inorganic", "R_GWDERM_C", 2.9376437562960435e-08, kHand},
      {"inorganic", "R_GWING", 3.014268142728008e-05, kHand},
      {"inorganic", "R_GWINH", 0.0, kGate},
      {"inorganic", "R_SWFISH", 9.768583775648807e-08, kHand},
      {"inorganic", "R_SWING", 2.767632372349865e-09, kHand},
      {"inorganic", "SWDISS", 1.3891687317318758e-05, kHand},
      {"inorganic", "WC_GWDERM_A", 0.25028571428571433, kHand},
      {"inorganic", "WC_GWDERM_C", 0.500027398761576, kHand},
      {"inorganic", "WC_GWING", 0.0004873164218958612, kHand},
      {"inorganic", "WC_GWINH", 1e+30, kGate},
      {"inorganic", "WC_SWFISH", 0.0014225017860263365, kHand},
      {"inorganic", "WC_SWING", 0.0004873164218958612, kHand},
      {"inorganic", "WN_GWDERM_A", 4.5051428571428564, kHand},
      {"inorganic", "WN_GWDERM_C", 1.800098635541673, kHand},
      {"inorganic", "WN_GWING", 0.011262857142857142, kHand},
      {"inorganic", "WN_GWINH", 1e+30, kGate},
      {"inorganic", "WN_SWFISH", 0.02560503214847405, kHand},
      {"inorganic", "WN_SWING", 0.01126285714285714, kHand},
  };
  // clang-format on
  const auto run = run_text(landfill_input().text());
  ASSERT_EQ(run.outcome.status, Status::completed) << run.files.debug;
  const Results& res = *run.outcome.results;
  ASSERT_EQ(res.results.size(), 2u);
  EXPECT_EQ(res.DAF_SCALE, 1.0);
  for (const Expected& e : table) {
    SCOPED_TRACE(std::string(e.chemical) + " " + e.slot + " (" + e.source + ")");
    ResultSlots r = res.results[std::string_view(e.chemical) == "organic" ? 0 : 1];
    EXPECT_SAME_DOUBLE(e.value, slot(r, e.slot));
  }
}

// Impoundment volatilisation on either side of the fetch-to-depth test (51.2 takes
// the linear liquid-side form, 51.3 the constant) and of the residence-time test
// (15400.4 days is longer than t99 ≈ 23.36 days, so t99 is used and 1 % remains;
// 5 days is shorter and is used itself). The unit's size is given directly: the
// 10000 m³ a year over 20 years impoundment, rounded.
TEST(HandCheckedValues, ImpoundmentVolatilisationAroundFetchAndResidenceTimeTests) {
  struct Case {
    double fetchd, restime, risk, cc, hq, cn;
  };
  // clang-format off
  const Case cases[] = {  // hand calculation
    {51.2, 15400.4, 4.1999304278883e-07, 11.904959107891628, 0.003755946224146537, 133.12224674186194},
    {51.2, 5.0, 1.2424612021355956e-06, 4.0242705296598285, 0.011111178008622644, 44.99972906670952},
    {51.3, 15400.4, 4.2003142898161227e-07, 11.903871127269586, 0.003756289507156376, 133.110080851706},
    {51.3, 5.0, 1.2425278452330252e-06, 4.0240546875328125, 0.011111773989661983, 44.99731550202362},
  };
  // clang-format on
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "WU_FETCHD " << k.fetchd << " WU_RESTIME " << k.restime);
    PathwayStore s("SI");
    WasteUnit& wu = s.rs.wu;
    wu.WU_AREAM2 = wu.WU_AREAV = 48766.8;
    wu.WU_VOLM3 = 200000;
    wu.WU_DIAM = 249.182;
    wu.WU_DISP1 = 2102.84;
    wu.WU_DISP2 = 15.7384;
    wu.WU_FETCHD = k.fetchd;
    wu.WU_RESTIME = k.restime;
    Chemical& c = s.add("33-33-3");
    c.HENRY = 5.55e-3;
    c.DIFFW = 9.8e-6;
    c.DIFFA = 0.088;
    c.CSFI = 0.0273;
    c.ORDI = 0.008;
    c.TCLPCONC = 0.5;
    s.allocate();
    sivolatilization(s.rs, 1);
    const ResultSlots& r = s.slots(1);
    EXPECT_SAME_DOUBLE(k.risk, r.R_AIRVOL);
    EXPECT_SAME_DOUBLE(k.cc, r.CC_AIRVOL);
    EXPECT_SAME_DOUBLE(k.hq, r.H_AIRVOL);
    EXPECT_SAME_DOUBLE(k.cn, r.CN_AIRVOL);
  }
}

// The model's averages are sums over 57, 243 and 4500 steps of its three phases (t
// advanced by adding 0.2); the hand calculation counts the same steps.
TEST(HandCheckedValues, IndoorAirAveragesOverTheThreePhases) {
  const double Hd = 5.55e-3 / 0.0244658;
  const IndoorAverages a = indoorair(Hd, 9.8e-6, 0.088, 0.025);
  EXPECT_SAME_DOUBLE(0.00019240497720647242, a.A1);
  EXPECT_SAME_DOUBLE(5.715251978633199e-05, a.A2);
  EXPECT_SAME_DOUBLE(1.9923948626020778e-06, a.A3);
}

}  // namespace
}  // namespace vorn::test
