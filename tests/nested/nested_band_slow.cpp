// The uncertainty band against closed forms. One chemical's particulate inhalation risk is
// proportional to its total concentration X (variability, lognormal) times a factor F on its
// inhalation slope factor (uncertainty, lognormal): R = K X F. Common random numbers give
// every outer draw the same inner values of X, and LHS puts the k-th smallest of V in
// stratum k, so the q-th percentile of outer draw u lies within K F_u [Q_X((k-1)/V),
// Q_X(k/V)], k = ceil(qV/100), and the band's j-th level within the same bounds over the
// strata of F; the sketch adds its 0.1 %. The band must hold the analytic percentile at the
// median F between its 5th and 95th levels. P(R > target) is bounded likewise, +-1/V.
#include <gtest/gtest.h>

#include <boost/math/distributions/lognormal.hpp>
#include <cmath>

#include "mc_run/mc_run.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

// Arsenic alone in the landfill example, the target risk lowered to 1e-9 so that P(risk >
// target) is neither 0 nor 1.
constexpr const char* kInput =
    "1021\nLF\n1.0E-9\n1.0\n6000\n0\n15\n0\n1\n"
    "ChemicalName @ CAS MCL CSFO CSFI ORDO RFCI BCF SOILST TOXC HENRY DIFFW DIFFA SOL DAFLF "
    "DAFSI TSTAR KPW TAU BUNGE ORGANIC BAF ECOCHRON CARC MW VP KDSW LOGKOW\n"
    "Arsenic, inorganic @ 7440-38-2 0.01 1.5 15.1 3.0E-4 1.5E-5 44 -1 5.0 -1 -1 -1 -1 0 0 -1 "
    "1.0E-3 -1 -1 0 -1 0.15 C 74.92 0 29 -1000\n"
    "TCLP  FLAG  TOTC  FLAG\n0.02 N 12 N\n"
    "CHEMCAS  LFCONC  LFCAR  LFNON  SICONC  SICAR  SINON\n"
    "7440-38-2 0.001 11.8 11.2 0.001 2.1 2.0\n7440-38-2 0.01 12.2 11.5 0.01 2.2 2.1\n"
    "7440-38-2 0.1 17.6 16.9 0.1 3.1 3.0\n7440-38-2 1.0 25.3 24.1 1.0 4.2 4.0\n"
    "7440-38-2 10 60.2 58.0 10 9.1 8.8\n";

constexpr double kU = 100, kV = 1000, kTarget = 1e-9;
constexpr double kSketch = 1.0011;  // the sketch's relative accuracy, with rounding

TEST(NestedBand, TheBandHoldsTheAnalyticPercentilesOfAVariableTimesAnUncertainFactor) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", kInput);
  write_text(dir / "s.toml",
             "input = \"VORN.IN\"\nouter = 100\ninner = 1000\nseed = 31\n"
             "percentiles = [5, 50, 90, 99]\n"
             "[[vary]]\nchemical = 1\nfield = \"TOTC\"\n"
             "dist = { type = \"lognormal\", gm = 12, gsd = 2 }\n"
             "[[vary]]\nchemical = 1\nfield = \"CSFI\"\nmode = \"factor\"\n"
             "kind = \"uncertainty\"\ndist = { type = \"lognormal\", gm = 1, gsd = 1.6 }\n");
  mc_run::McRequest request;
  request.scenario = dir / "s.toml";
  request.threads = 1;
  const mc_run::McResult result = mc_run::run_monte_carlo(request);
  ASSERT_EQ(result.baseline.status, Status::completed);
  ASSERT_TRUE(result.nested);
  const nested::NestedSummary m = mc_run::report_of(*result.nested).summary;
  ASSERT_EQ(m.chemicals.size(), 1u);
  const nested::QuantityBands& risk = m.chemicals[0].quantities[2];
  ASSERT_STREQ(risk.name, "R_AIRPT");
  // The baseline is the risk at X = 12, F = 1.
  const double k = risk.baseline / 12;
  const boost::math::lognormal x(std::log(12.0), std::log(2.0)), f(0.0, std::log(1.6));
  auto qx = [&](double p) { return boost::math::quantile(x, p); };
  auto qf = [&](double p) { return boost::math::quantile(f, p); };

  for (std::size_t p = 0; p < m.percentiles.size(); ++p) {
    const double q = m.percentiles[p];
    const double kq = std::ceil(q * kV / 100);
    const nested::Band& band = risk.percentiles[p];
    EXPECT_EQ(band.missing, 0u);
    for (std::size_t level = 0; level < nested::kBandLevels.size(); ++level) {
      const double j = std::ceil(nested::kBandLevels[level] * kU / 100);
      const double low = k * qx((kq - 1) / kV) * qf((j - 1) / kU) / kSketch;
      const double high = k * qx(kq / kV) * qf(j / kU) * kSketch;
      EXPECT_GE(band.at[level], low) << "p" << q << " band " << nested::kBandLevels[level];
      EXPECT_LE(band.at[level], high) << "p" << q << " band " << nested::kBandLevels[level];
    }
    const double analytic = k * qx(q / 100) * qf(0.5);
    EXPECT_LT(band.at[0], analytic) << "p" << q;
    EXPECT_GT(band.at[2], analytic) << "p" << q;
  }
  // P(R > t | F) = P(X > t / (K F)), increasing in F.
  for (std::size_t level = 0; level < nested::kBandLevels.size(); ++level) {
    const double j = std::ceil(nested::kBandLevels[level] * kU / 100);
    const double low = boost::math::cdf(complement(x, kTarget / (k * qf((j - 1) / kU)))) - 1 / kV;
    const double high = boost::math::cdf(complement(x, kTarget / (k * qf(j / kU)))) + 1 / kV;
    EXPECT_GE(risk.p_above.at[level], low) << "band " << nested::kBandLevels[level];
    EXPECT_LE(risk.p_above.at[level], high) << "band " << nested::kBandLevels[level];
  }
  EXPECT_GT(risk.p_above.at[0], 0.05);
  EXPECT_LT(risk.p_above.at[2], 0.95);
}

}  // namespace
}  // namespace vorn::test
