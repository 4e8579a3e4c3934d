// Log-log interpolation of DAFs with end clamps, and the forward and backward lookups.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/run_error.hpp"
#include "daf_fixture.hpp"
#include "groundwater/daf_curve.hpp"
#include "groundwater/daf_interpolation.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// 10^2.5 and 10^-2.5.
constexpr double kTenToTwoPointFive = 316.22776601683796;
constexpr double kTenToMinusTwoPointFive = 0.0031622776601683794;

// One y column interpolated at v; false when the interpolation fails.
bool interpolate(const std::vector<double>& x, const std::vector<double>& y, double v,
                 double& out) {
  const double* ys[] = {y.data()};
  return interpolate_loglog(static_cast<int>(x.size()), x.data(), ys, 1, v, &out);
}

double at(const std::vector<double>& x, const std::vector<double>& y, double v) {
  double out = kNaN;
  EXPECT_TRUE(interpolate(x, y, v, out)) << "at " << v;
  return out;
}

TEST(LogLogInterpolation, InterpolatesInTheLogarithmsOfBothCoordinates) {
  EXPECT_DOUBLE_EQ(at({0.1, 10}, {100, 1000}, 1.0), kTenToTwoPointFive);
  // Decreasing DAFs interpolate the same way.
  EXPECT_DOUBLE_EQ(at({0.1, 10}, {1000, 100}, 1.0), kTenToTwoPointFive);
  // The query sits a quarter of the way in log10 x: 10^(2 + 0.25).
  EXPECT_DOUBLE_EQ(at({1, 10000}, {100, 1000}, 10.0), 177.82794100389228);
  // A curve value at a point is returned (to rounding) inside the curve.
  EXPECT_NEAR(at({0.1, 1, 10}, {3, 7, 11}, 1.0), 7.0, 1e-12);
}

TEST(LogLogInterpolation, ClampsToTheEndPointsWithoutExtrapolating) {
  const std::vector<double> x = {0.1, 10}, y = {100, 1000};
  EXPECT_EQ(at(x, y, 0.01), 100.0);
  EXPECT_EQ(at(x, y, 0.1), 100.0);
  EXPECT_EQ(at(x, y, 50), 1000.0);
  EXPECT_EQ(at(x, y, 10), 1000.0);
  EXPECT_EQ(at(x, y, 0.0), 100.0);
  EXPECT_EQ(at(x, y, -5.0), 100.0);
  EXPECT_EQ(at(x, y, std::numeric_limits<double>::infinity()), 1000.0);
}

TEST(LogLogInterpolation, TableOrderDoesNotMatter) {
  const std::vector<double> ascending_x = {0.01, 0.1, 10, 100}, ascending_y = {20, 100, 1000, 900};
  const std::vector<double> shuffled_x = {10, 100, 0.01, 0.1}, shuffled_y = {1000, 900, 20, 100};
  const std::vector<double> descending_x = {100, 10, 0.1, 0.01},
                            descending_y = {900, 1000, 100, 20};
  for (double v : {0.001, 0.01, 0.05, 1.0, 10.0, 33.0, 1000.0}) {
    const double expected = at(ascending_x, ascending_y, v);
    EXPECT_EQ(at(shuffled_x, shuffled_y, v), expected) << v;
    EXPECT_EQ(at(descending_x, descending_y, v), expected) << v;
  }
}

TEST(LogLogInterpolation, EqualConcentrationsKeepTableOrder) {
  // At the low end the query equals the first x.
  EXPECT_EQ(at({1, 1, 10}, {5, 7, 50}, 1.0), 5.0);
  EXPECT_EQ(at({1, 1, 10}, {7, 5, 50}, 1.0), 7.0);
  // Inside the curve the first bracket that holds the query ends at the first of the pair.
  EXPECT_NEAR(at({0.1, 1, 1, 10}, {1, 5, 7, 50}, 1.0), 5.0, 1e-12);
  // Sorting moves the pair as a block without swapping it.
  EXPECT_NEAR(at({10, 1, 1, 0.1}, {50, 5, 7, 1}, 1.0), 5.0, 1e-12);
  EXPECT_NEAR(at({10, 1, 0.1, 1}, {50, 7, 1, 5}, 1.0), 7.0, 1e-12);
  // At the high end the last of the pair is the clamp.
  EXPECT_EQ(at({0.1, 1, 1}, {1, 5, 7}, 1.0), 7.0);
  // Every point at one x: the first clamp applies.
  EXPECT_EQ(at({2, 2, 2}, {4, 5, 6}, 2.0), 4.0);
}

TEST(LogLogInterpolation, NearlyEqualConcentrationsGiveAFlatSegment) {
  const double one = 1.0;
  const double four_ulps =
      std::nextafter(std::nextafter(std::nextafter(std::nextafter(one, 2.0), 2.0), 2.0), 2.0);
  const double two_ulps = std::nextafter(std::nextafter(one, 2.0), 2.0);
  EXPECT_EQ(at({one, four_ulps}, {10, 1000}, two_ulps), 10.0);
  // A log10 spacing just below 1.0E-10 is still flat; just above it, not.
  EXPECT_EQ(at({1, std::pow(10.0, 0.99e-10)}, {10, 1000}, std::pow(10.0, 0.495e-10)), 10.0);
  EXPECT_NEAR(at({1, std::pow(10.0, 1.02e-10)}, {10, 1000}, std::pow(10.0, 0.51e-10)), 100.0, 0.01);
}

TEST(LogLogInterpolation, TwoColumnsShareTheBracketButNotTheSlope) {
  const std::vector<double> x = {0.1, 10}, car = {100, 1000}, non = {50, 5000};
  const double* ys[] = {car.data(), non.data()};
  double out[2];
  ASSERT_TRUE(interpolate_loglog(2, x.data(), ys, 2, 1.0, out));
  EXPECT_DOUBLE_EQ(out[0], kTenToTwoPointFive);
  EXPECT_DOUBLE_EQ(out[1], 500.0);
}

TEST(LogLogInterpolation, FailsOnlyWhenAQueryOrConcentrationIsNotANumber) {
  double out = 0.0;
  EXPECT_FALSE(interpolate({0.1, 10}, {100, 1000}, kNaN, out));
  EXPECT_FALSE(interpolate({0.1, kNaN, 10}, {100, 1, 1000}, 5.0, out));
  // A NaN concentration never moves in the sort; a bracket after it can still hold the query.
  EXPECT_TRUE(interpolate({kNaN, 0.1, 10}, {1, 100, 1000}, 1.0, out));
  EXPECT_DOUBLE_EQ(out, kTenToTwoPointFive);
  EXPECT_FALSE(interpolate({kNaN, 0.1, 10}, {1, 100, 1000}, 0.05, out));
  // A NaN DAF is interpolated by IEEE arithmetic, not a failure.
  EXPECT_TRUE(interpolate({0.1, 10}, {kNaN, 1000}, 1.0, out));
  EXPECT_TRUE(std::isnan(out));
}

// The example curve: (0.1, 100) and (10, 1000) for cancer, (0.1, 20) and (10, 500)
// otherwise, given in the table in the order asked for. Its well concentrations are
// 0.001 and 0.01 for cancer, 0.005 and 0.02 otherwise.
void add_example_rows(DafFixture& f, bool descending) {
  if (descending) {
    f.add_row("7440-38-2", 10, 1000, 500);
    f.add_row("7440-38-2", 0.1, 100, 20);
  } else {
    f.add_row("7440-38-2", 0.1, 100, 20);
    f.add_row("7440-38-2", 10, 1000, 500);
  }
}

TEST(DafForward, InterpolatesAtTheLeachateConcentrationAndScales) {
  for (bool descending : {false, true}) {
    SCOPED_TRACE(descending ? "descending table order" : "ascending table order");
    DafFixture f("LF", 2.0);
    add_example_rows(f, descending);
    const int untouched = f.add_chemical("7440-38-2", 0, 1.0);
    const int i = f.add_chemical("7440-38-2", 0, 1.0);
    int index = i;
    dafforward(f.rs, kDebugUnit, index);
    const ResultSlots& r = f.rs.res(i);
    EXPECT_DOUBLE_EQ(r.DAFC, kTenToTwoPointFive);
    EXPECT_NEAR(r.DAFN, 100.0, 1e-12);
    EXPECT_EQ(r.DAFC_WV, 2 * r.DAFC);
    EXPECT_EQ(r.DAFN_WV, 2 * r.DAFN);
    EXPECT_EQ(f.rs.DAF_CAR, r.DAFC_WV);
    EXPECT_EQ(f.rs.DAF_NON, r.DAFN_WV);
    // Another chemical keeps its initial DAFs of 1.
    const ResultSlots& other = f.rs.res(untouched);
    EXPECT_EQ(other.DAFC, 1.0);
    EXPECT_EQ(other.DAFN, 1.0);
    EXPECT_EQ(other.DAFC_WV, 1.0);
    EXPECT_EQ(other.DAFN_WV, 1.0);
    // The curve stays in table order.
    EXPECT_EQ(f.rs.curve.DC_CONC[0], descending ? 10.0 : 0.1);
    EXPECT_TRUE(f.debug.text.empty());
  }
}

TEST(DafForward, ClampsAtBothEndsOfTheCurve) {
  DafFixture f("LF", 2.0);
  add_example_rows(f, false);
  const int low = f.add_chemical("7440-38-2", 0, 0.01);
  const int high = f.add_chemical("7440-38-2", 0, 50.0);
  for (int i : {low, high}) {
    int index = i;
    dafforward(f.rs, kDebugUnit, index);
  }
  EXPECT_EQ(f.rs.res(low).DAFC, 100.0);
  EXPECT_EQ(f.rs.res(low).DAFN, 20.0);
  EXPECT_EQ(f.rs.res(high).DAFC, 1000.0);
  EXPECT_EQ(f.rs.res(high).DAFN, 500.0);
  EXPECT_EQ(f.rs.res(high).DAFC_WV, 2000.0);
  EXPECT_EQ(f.rs.DAF_NON, 1000.0);
}

TEST(DafBackward, AgreesWithTheForwardLookupOnOneCurve) {
  for (bool descending : {false, true}) {
    DafFixture f("LF", 2.0);
    add_example_rows(f, descending);
    int i = f.add_chemical("7440-38-2", 0, 1.0);
    dafforward(f.rs, kDebugUnit, i);
    // The well concentration at TCLP 1 is 1 / 10^2.5; backward gives back the scaled DAF.
    double result = 0.0;
    dafbackward(f.rs, kDebugUnit, i, 1, kTenToMinusTwoPointFive, result);
    EXPECT_NEAR(result, 2 * kTenToTwoPointFive, 1e-9);
    EXPECT_NEAR(result, f.rs.DAF_CAR, 1e-9);
    // Non-cancer: the DAF at TCLP 1 is 100, the well concentration 0.01.
    dafbackward(f.rs, kDebugUnit, i, 0, 0.01, result);
    EXPECT_NEAR(result, 200.0, 1e-9);
    EXPECT_NEAR(result, f.rs.DAF_NON, 1e-9);
  }
}

TEST(DafBackward, PointsAreOrderedByWellConcentration) {
  // Rising concentrations with falling well concentrations (0.5 and 0.1).
  DafFixture f("SI", 3.0);
  f.add_row("7439-92-1", 1, 1, 1, 1, 2, 2);
  f.add_row("7439-92-1", 10, 1, 1, 10, 100, 100);
  int i = f.add_chemical("7439-92-1", 0, 1.0);
  getdafcurve(f.rs, kDebugUnit, i);
  double result = 0.0;
  dafbackward(f.rs, kDebugUnit, i, 1, 0.01, result);
  EXPECT_EQ(result, 300.0);
  dafbackward(f.rs, kDebugUnit, i, 1, 1.0, result);
  EXPECT_EQ(result, 6.0);
}

TEST(DafBackward, SelectorOneIsCancerAndAnyOtherValueNonCancer) {
  DafFixture f("LF");
  add_example_rows(f, false);
  int i = f.add_chemical("7440-38-2", 0, 1.0);
  getdafcurve(f.rs, kDebugUnit, i);
  double result = 0.0;
  dafbackward(f.rs, kDebugUnit, i, 1, 0.003, result);
  EXPECT_DOUBLE_EQ(result, 300.0);
  dafbackward(f.rs, kDebugUnit, i, 1, 0.01, result);
  EXPECT_EQ(result, 1000.0);
  for (int selector : {0, 2, -1}) {
    SCOPED_TRACE(selector);
    dafbackward(f.rs, kDebugUnit, i, selector, 0.003, result);
    EXPECT_EQ(result, 20.0);
    dafbackward(f.rs, kDebugUnit, i, selector, 0.01, result);
    EXPECT_NEAR(result, 100.0, 1e-12);
    dafbackward(f.rs, kDebugUnit, i, selector, 1.0, result);
    EXPECT_EQ(result, 500.0);
  }
}

TEST(DafLookups, OrganicChemicalUsesItsFirstRowForEveryQuery) {
  for (double tclp : {0.0001, 1.0, 50.0, 1.0E6}) {
    DafFixture g("LF", 4.0);
    g.add_row("71-43-2", 1, 10.5, 10.25);
    g.add_row("71-43-2", 0.001, 20, 30);
    g.add_row("71-43-2", 100, 40, 50);
    int i = g.add_chemical("71-43-2", 1, tclp);
    dafforward(g.rs, kDebugUnit, i);
    EXPECT_EQ(g.rs.res(i).DAFC, 10.5) << tclp;
    EXPECT_EQ(g.rs.res(i).DAFN, 10.25) << tclp;
    EXPECT_EQ(g.rs.DAF_CAR, 42.0) << tclp;
    for (double w : {1.0E-9, 0.1, 1.0E9}) {
      double result = 0.0;
      dafbackward(g.rs, kDebugUnit, i, 1, w, result);
      EXPECT_EQ(result, 42.0);
      dafbackward(g.rs, kDebugUnit, i, 0, w, result);
      EXPECT_EQ(result, 41.0);
    }
  }
}

TEST(DafLookups, ChemicalWithoutRowsUsesItsOwnDaf) {
  struct Case {
    const char* type;
    double own;
  };
  for (const Case& c : {Case{"LF", 15.100000381469727}, Case{"SI", 3.180000066757202}}) {
    SCOPED_TRACE(c.type);
    DafFixture f(c.type, 2.0);
    f.add_row("71-43-2", 1, 10, 10);
    int i = f.add_chemical("7440-38-2", 0, 0.5, 0.0, -1.0);
    dafforward(f.rs, kDebugUnit, i);
    const ResultSlots& r = f.rs.res(i);
    EXPECT_EQ(r.DAFC, c.own);
    EXPECT_EQ(r.DAFN, c.own);
    EXPECT_EQ(r.DAFC_WV, 2 * c.own);
    EXPECT_EQ(f.rs.DAF_NON, 2 * c.own);
    for (int selector : {1, 0}) {
      for (double w : {1.0E-6, 1.0, 1.0E6}) {
        double result = 0.0;
        dafbackward(f.rs, kDebugUnit, i, selector, w, result);
        EXPECT_EQ(result, 2 * c.own);
      }
    }
  }
}

TEST(DafLookups, NotANumberQueryStopsWithTheMessagesOnTheCallersUnit) {
  DafFixture f("LF");
  add_example_rows(f, false);
  int i = f.add_chemical("7440-38-2", 0, kNaN);
  try {
    dafforward(f.rs, kDebugUnit, i);
    FAIL() << "a NaN leachate concentration was interpolated";
  } catch (const RunStop& stop) {
    EXPECT_EQ(stop.unit(), kDebugUnit);
  }
  EXPECT_EQ(lines_of(f.debug.text),
            (std::vector<std::string>{" FAILED DAF 2D INTERPOLATION IN FORWARD CALC",
                                      " DAF DID NOT FIND FOR CHEMICAL # 1"}));

  double result = -1.0;
  EXPECT_THROW(dafbackward(f.rs, kReportUnit, i, 1, kNaN, result), RunStop);
  EXPECT_EQ(lines_of(f.report.text),
            std::vector<std::string>{" FAILED DAF 1D INTERPOLATION IN BACKWARD CALC"});
  EXPECT_EQ(result, -1.0);
}

TEST(DafLookups, NotANumberLeachateConcentrationStopsAWholeRun) {
  InputBuilder b;
  b.properties = {chemical_line("Arsenic", "7440-38-2", 0)};
  b.concentrations = {"NaN N 50 N"};
  b.daf_rows = {"7440-38-2 0.1 100 50 0.1 10 5", "7440-38-2 10 1000 5000 10 100 500"};
  const MemoryRun r = run_text(b.text());
  EXPECT_EQ(r.outcome.status, Status::stopped);
  const std::vector<std::string> lines = {"FAILED DAF 2D INTERPOLATION IN FORWARD CALC",
                                          "DAF DID NOT FIND FOR CHEMICAL # 1"};
  EXPECT_EQ(r.outcome.message, lines);
  EXPECT_EQ(r.outcome.message_file, "VORN.DBG");
  EXPECT_FALSE(r.files.report.has_value());
  const auto log = lines_of(r.files.debug);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], " " + lines[0]);
  EXPECT_EQ(log.back(), " " + lines[1]);
}

}  // namespace
}  // namespace vorn::test
