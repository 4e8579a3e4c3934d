// The indoor air model runs once per distinct well concentration: when the
// carcinogenic and non-carcinogenic DAFs are equal the non-cancer half reuses the
// cancer half's averages. Reuse must not change a bit: each half of a chemical
// with both inhalation values matches a chemical that has only that half.
#include <gtest/gtest.h>

#include "pathways/pathway_store.hpp"

namespace vorn::test {
namespace {

void add_inhaled(PathwayStore& s, const char* cas, double csfi, double ordi) {
  Chemical& c = s.add(cas);
  c.CSFI = csfi;
  c.ORDI = ordi;
  c.HENRY = 5.55e-3;
  c.DIFFW = 9.8e-6;
  c.DIFFA = 0.088;
  c.ORGANIC = 1;
  c.TCLPCONC = 0.5;
}

TEST(IndoorAirReuse, BothHalvesMatchTheHalfComputedAlone) {
  PathwayStore s("LF");
  // Equal DAFs (one well concentration, the model is reused) and unequal ones.
  s.add_daf_row("31-31-1", 1.0, 20, 20);
  s.add_daf_row("31-31-2", 1.0, 20, 10);
  for (const char* cas : {"31-31-1", "31-31-2"}) {
    add_inhaled(s, cas, 0.0273, 0.008);  // both halves
    add_inhaled(s, cas, 0.0273, 0);      // cancer half only
    add_inhaled(s, cas, 0, 0.008);       // non-cancer half only
  }
  s.allocate();
  s.evaluate_all();
  for (int both : {1, 4}) {
    SCOPED_TRACE(both == 1 ? "equal DAFs" : "unequal DAFs");
    for (const char* name : {"R_GWINH", "WC_GWINH", "CC_GWINH"})
      EXPECT_SAME_DOUBLE(s(both + 1, name), s(both, name)) << name;
    for (const char* name : {"H_GWINH", "WN_GWINH", "CN_GWINH"})
      EXPECT_SAME_DOUBLE(s(both + 2, name), s(both, name)) << name;
    EXPECT_GT(s(both, "R_GWINH"), 0.0);
    EXPECT_GT(s(both, "H_GWINH"), 0.0);
  }
}

}  // namespace
}  // namespace vorn::test
