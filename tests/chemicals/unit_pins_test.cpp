// The conversions to the run's units, pinned with values compared as doubles: the unit risk
// and reference concentration that both tables give, the unit risk as a slope factor, the
// drinking-water limit in mg/L, the skin permeability of the column aligned with its rows,
// and the dermal constants of benzene and of benzo(a)pyrene (the B > 0.6 branch).
#include <gtest/gtest.h>

#include <cmath>

#include "chemicals/decimal_text.hpp"
#include "chemicals/dermal_constants.hpp"
#include "chemicals/library_snapshot.hpp"
#include "core/csv_reader.hpp"
#include "support/test_support.hpp"

namespace vorn::chemicals {
namespace {

double value(const char* id, const char* field) {
  const LibraryValue* v = snapshot_library().find(id, "", field);
  if (v == nullptr) throw std::runtime_error(std::string("no ") + field + " for " + id);
  return *decimal_value(v->value);
}

double other(const char* id, const char* field) {
  return *decimal_value(snapshot_library().find(id, "", field)->other);
}

TEST(UnitPins, AcetaldehydesUnitRiskAndReferenceConcentrationAgreeAcrossTheTables) {
  EXPECT_EQ(value("75-07-0", "CSFI"), 2.2e-6 * 3500.0);
  EXPECT_EQ(other("75-07-0", "CSFI"), 2.2e-6 * 3500.0);
  EXPECT_EQ(value("75-07-0", "RFCI"), 9e-3);
  EXPECT_EQ(other("75-07-0", "RFCI"), 9e-3);
}

TEST(UnitPins, UnitRiskDrinkingWaterLimitAndSkinPermeability) {
  EXPECT_EQ(value("71-43-2", "CSFI"), 7.8e-6 * 3500.0);
  EXPECT_EQ(value("71-43-2", "CSFI"), 0.027299999999999998);
  EXPECT_EQ(value("7440-38-2", "CSFI"), 15.05);
  EXPECT_EQ(value("7440-38-2", "MCL"), 0.01);
  EXPECT_EQ(value("71-43-2", "KPW"), 0.0149);
  // Two columns are headed Kp: the first (column 16, counting from 0) is read; the second
  // is out of step with its rows and gives benzene another value.
  const auto records =
      read_csv(test::read_text(std::string(VORN_CHEMICAL_DATA) + "/ParametersSummary.csv"));
  std::size_t benzene = 0;
  for (const CsvRecord& r : records) {
    if (r.fields.size() < 19 || r.fields[1] != "71-43-2") continue;
    ++benzene;
    EXPECT_EQ(decimal_value(r.fields[16]), 0.0149);
    EXPECT_EQ(decimal_value(r.fields[18]), 2.44e-3);
  }
  EXPECT_EQ(benzene, 1u);
}

TEST(UnitPins, DrinkingWaterLimitsShiftTheDecimalsExponentInsteadOfDividing) {
  struct Case {
    const char* micrograms;
    const char* milligrams;
  };
  // 0.06 / 1000 is not the double nearest 6E-5; the shifted text reads as that double.
  const Case cases[] = {{"0.2", "2E-4"},       {"0.06", "6E-5"},      {"10", "1.0E-2"},
                        {"8.0E+01", "8.0E-2"}, {"1.5E+01", "1.5E-2"}, {"-0.5", "-5E-4"},
                        {"0", "0E0"},          {".125e2", "1.25E-2"}};
  for (const Case& c : cases) {
    EXPECT_EQ(shift_decimal(c.micrograms, -3), c.milligrams) << c.micrograms;
    EXPECT_EQ(*decimal_value(shift_decimal(c.micrograms, -3)), std::strtod(c.milligrams, nullptr));
  }
  EXPECT_NE(0.06 / 1000, 6e-5);
  // Perchlorate's limit keeps the table's note.
  const LibraryValue* perchlorate = snapshot_library().find("14797-73-0", "", "MCL");
  ASSERT_NE(perchlorate, nullptr);
  EXPECT_EQ(perchlorate->value, "1.5E-2");
  EXPECT_EQ(perchlorate->note, "(F)");
}

TEST(UnitPins, DermalConstantsOfBenzeneAndBenzoAPyreneFromTheTablesMwAndKp) {
  struct Case {
    const char* id;
    double tau, bunge, tstar;  // to the digits given
    double tau_step, bunge_step, tstar_step;
  };
  const Case cases[] = {{"71-43-2", 0.2875, 0.0507, 0.690, 1e-4, 1e-4, 1e-3},
                        {"50-32-8", 2.718, 4.356, 11.80, 1e-3, 1e-3, 1e-2}};
  for (const Case& c : cases) {
    const DermalConstants d = dermal_constants(value(c.id, "MW"), value(c.id, "KPW"));
    EXPECT_NEAR(d.TAU, c.tau, c.tau_step / 2) << c.id;
    EXPECT_NEAR(d.BUNGE, c.bunge, c.bunge_step / 2) << c.id;
    EXPECT_NEAR(d.TSTAR, c.tstar, c.tstar_step / 2) << c.id;
  }
  // Benzene is on the B <= 0.6 branch, where t* is 2.4 tau exactly.
  const DermalConstants benzene = dermal_constants(value("71-43-2", "MW"), 0.0149);
  EXPECT_EQ(benzene.TSTAR, 2.4 * benzene.TAU);
}

}  // namespace
}  // namespace vorn::chemicals
