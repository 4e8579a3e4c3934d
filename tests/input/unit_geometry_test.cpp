// Waste-unit geometry and release terms: the worked examples, the three volume
// units, and the impoundment flow rate that the geometry replaces.
#include "input/unit_geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "support/test_run.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

// `value` rounds to `given` at the last digit written there.
::testing::AssertionResult rounds_to(double value, const char* given) {
  const std::string text = given;
  const auto e = text.find_first_of("eE");
  const std::string mantissa = text.substr(0, e);
  const int exponent = e == std::string::npos ? 0 : std::atoi(text.c_str() + e + 1);
  const auto point = mantissa.find('.');
  const int decimals =
      point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  const double half_unit = 0.5 * std::pow(10.0, exponent - decimals);
  const double target = std::strtod(given, nullptr);
  if (std::fabs(value - target) <= half_unit * (1 + 1e-9)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << value << " does not round to " << given;
}

struct Geometry {
  std::unique_ptr<TestRun> rs = std::make_unique<TestRun>();
  StringSink debug;
  const WasteUnit& wu() const { return rs->wu; }
};

std::unique_ptr<Geometry> derive(const char* type, double volume, int unit, double life,
                                 double flow = 0) {
  auto g = std::make_unique<Geometry>();
  g->rs->units.debug = &g->debug;
  WasteUnit& wu = g->rs->wu;
  wu.WU_WMUTYPE = type;
  wu.WU_WASTEVOL = volume;
  wu.WU_VOLUNIT = static_cast<std::int16_t>(unit);
  wu.WU_ACTLIFE = life;
  wu.WU_SIFLOW = flow;
  unitgeometry(*g->rs, kDebugUnit);
  return g;
}

TEST(UnitGeometry, LandfillOf10000CubicYardsAYearOver20Years) {
  const auto g = derive("LF", 10000, 0, 20, 777);
  const WasteUnit& wu = g->wu();
  EXPECT_EQ(wu.WU_VOLYD3, 200000.0);
  EXPECT_TRUE(rounds_to(wu.WU_VOLM3, "152911"));
  EXPECT_TRUE(rounds_to(wu.WU_AREAAC, "10.0481"));
  EXPECT_TRUE(rounds_to(wu.WU_AREAM2, "40663.5"));
  EXPECT_TRUE(rounds_to(wu.WU_AREAV, "167.11"));
  EXPECT_TRUE(rounds_to(wu.WU_LSFAC, "0.973007"));
  EXPECT_TRUE(rounds_to(wu.WU_DISP1, "388.19"));
  EXPECT_TRUE(rounds_to(wu.WU_DISP2, "12.4598"));
  EXPECT_TRUE(rounds_to(wu.WU_EMITP, "16.4951"));
  EXPECT_TRUE(rounds_to(wu.WU_EMITD, "34.8385"));
  EXPECT_TRUE(rounds_to(wu.WU_SWFAC, "2.77917E-7"));
  EXPECT_TRUE(rounds_to(wu.WU_SWDFAC, "2.69743E-9"));
  EXPECT_TRUE(rounds_to(wu.WU_SUSP, "10.2779"));
  EXPECT_EQ(wu.WU_SIFLOW, 0.0);
  // The impoundment fields are not touched for a landfill.
  EXPECT_EQ(wu.WU_DIAM, 0.0);
  EXPECT_EQ(wu.WU_FETCHD, 0.0);
  EXPECT_EQ(wu.WU_RESTIME, 0.0);

  // To the last digits, from a separate calculation of the same formulas in Python.
  EXPECT_DOUBLE_EQ(wu.WU_VOLM3, 152910.97151664642);
  EXPECT_DOUBLE_EQ(wu.WU_ANNVOL, 10000.0);
  EXPECT_DOUBLE_EQ(wu.WU_AREAAC, 10.048127582621529);
  EXPECT_DOUBLE_EQ(wu.WU_AREAM2, 40663.49621466634);
  EXPECT_DOUBLE_EQ(wu.WU_LSFAC, 0.9730068409574848);
  EXPECT_DOUBLE_EQ(wu.WU_AREAV, 167.11025674533442);
  EXPECT_DOUBLE_EQ(wu.WU_DISP1, 388.19033688610926);
  EXPECT_DOUBLE_EQ(wu.WU_DISP2, 12.45976019982306);
  EXPECT_DOUBLE_EQ(wu.WU_EMITP, 16.495050737654744);
  EXPECT_DOUBLE_EQ(wu.WU_EMITD, 34.838540135212874);
  EXPECT_DOUBLE_EQ(wu.WU_SWDFAC, 2.6974254096333798e-09);
  EXPECT_DOUBLE_EQ(wu.WU_SWFAC, 2.779165573561664e-07);
  EXPECT_DOUBLE_EQ(wu.WU_SUSP, 10.277916557356166);
}

TEST(UnitGeometry, ImpoundmentOf10000CubicMetresAYearOver20Years) {
  const auto g = derive("SI", 10000, 2, 20, 777);
  const WasteUnit& wu = g->wu();
  EXPECT_EQ(wu.WU_VOLM3, 200000.0);
  EXPECT_TRUE(rounds_to(wu.WU_VOLYD3, "261590"));
  EXPECT_TRUE(rounds_to(wu.WU_AREAAC, "12.0505"));
  EXPECT_TRUE(rounds_to(wu.WU_AREAM2, "48766.8"));
  EXPECT_TRUE(rounds_to(wu.WU_SIFLOW, "4740.13"));
  EXPECT_TRUE(rounds_to(wu.WU_DIAM, "249.182"));
  EXPECT_TRUE(rounds_to(wu.WU_FETCHD, "53.8463"));
  EXPECT_TRUE(rounds_to(wu.WU_RESTIME, "15400.4"));
  EXPECT_EQ(wu.WU_AREAV, wu.WU_AREAM2);
  EXPECT_TRUE(rounds_to(wu.WU_DISP1, "2102.84"));
  EXPECT_TRUE(rounds_to(wu.WU_DISP2, "15.7384"));
  // The landfill fields are not touched for an impoundment.
  EXPECT_EQ(wu.WU_LSFAC, 0.0);
  EXPECT_EQ(wu.WU_EMITP, 0.0);
  EXPECT_EQ(wu.WU_SUSP, 0.0);

  EXPECT_DOUBLE_EQ(wu.WU_VOLYD3, 261590.12399999998);
  EXPECT_DOUBLE_EQ(wu.WU_ANNVOL, 13079.5062);
  EXPECT_DOUBLE_EQ(wu.WU_AREAAC, 12.050485423742195);
  EXPECT_DOUBLE_EQ(wu.WU_AREAM2, 48766.78409823585);
  EXPECT_DOUBLE_EQ(wu.WU_SIFLOW, 4740.131355632642);
  EXPECT_DOUBLE_EQ(wu.WU_DIAM, 249.18226069005732);
  EXPECT_DOUBLE_EQ(wu.WU_FETCHD, 53.846338885437405);
  EXPECT_DOUBLE_EQ(wu.WU_RESTIME, 15400.417103052421);
  EXPECT_DOUBLE_EQ(wu.WU_DISP1, 2102.8375490812346);
  EXPECT_DOUBLE_EQ(wu.WU_DISP2, 15.738393278895886);
}

TEST(UnitGeometry, TheSameVolumeInEachUnitGivesTheSameGeometry) {
  constexpr double kYd3PerM3 = 1.30795062, kFt3PerM3 = 35.31466657;
  for (const char* type : {"LF", "SI"}) {
    SCOPED_TRACE(type);
    const auto yards = derive(type, 10000, 0, 20);
    const auto metres = derive(type, 10000 / kYd3PerM3, 2, 20);
    const auto feet = derive(type, 10000 / kYd3PerM3 * kFt3PerM3, 1, 20);
    const double WasteUnit::*fields[] = {
        &WasteUnit::WU_VOLYD3, &WasteUnit::WU_VOLM3,  &WasteUnit::WU_ANNVOL,  &WasteUnit::WU_AREAAC,
        &WasteUnit::WU_AREAM2, &WasteUnit::WU_AREAV,  &WasteUnit::WU_DISP1,   &WasteUnit::WU_DISP2,
        &WasteUnit::WU_DIAM,   &WasteUnit::WU_FETCHD, &WasteUnit::WU_RESTIME, &WasteUnit::WU_SIFLOW,
        &WasteUnit::WU_LSFAC,  &WasteUnit::WU_EMITP,  &WasteUnit::WU_EMITD,   &WasteUnit::WU_SWFAC,
        &WasteUnit::WU_SWDFAC, &WasteUnit::WU_SUSP};
    for (const auto field : fields) {
      const double y = yards->wu().*field;
      EXPECT_NEAR(metres->wu().*field, y, std::fabs(y) * 1e-14);
      EXPECT_NEAR(feet->wu().*field, y, std::fabs(y) * 1e-14);
    }
    EXPECT_NEAR(feet->rs->DAF_SCALE, yards->rs->DAF_SCALE, yards->rs->DAF_SCALE * 1e-14);
  }
}

TEST(UnitGeometry, ImpoundmentFlowRateReadFromTheInputHasNoEffect) {
  for (const char* name : {"impoundment", "landfill"}) {
    SCOPED_TRACE(name);
    const std::string input = read_text(data_dir() / "reference" / name / "VORN.IN");
    // The eighth line holds the flow rate.
    std::size_t pos = 0;
    for (int k = 0; k < 7; ++k) pos = input.find('\n', pos) + 1;
    const std::size_t end = input.find('\n', pos);
    const std::string other = input.substr(0, pos) + "-123.25" + input.substr(end);

    const auto a = run_text(input);
    const auto b = run_text(other);
    ASSERT_EQ(a.outcome.status, Status::completed);
    ASSERT_EQ(b.outcome.status, Status::completed);
    EXPECT_EQ(a.files.report, b.files.report);
    const auto la = lines_of(a.files.debug), lb = lines_of(b.files.debug);
    ASSERT_EQ(la.size(), lb.size());
    for (std::size_t k = 0; k < la.size(); ++k) {
      if (k == 7)
        EXPECT_EQ(lb[k], " SI Flowrate(cbm/yr)=  -123.25");
      else
        EXPECT_EQ(la[k], lb[k]);
    }
    EXPECT_EQ(a.outcome.results->unit.WU_SIFLOW, b.outcome.results->unit.WU_SIFLOW);
  }
}

}  // namespace
}  // namespace vorn::test
