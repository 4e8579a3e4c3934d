#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "indoor/indoor_lanes.hpp"
#include "indoor/indoor_model.hpp"

namespace {

using vorn::IndoorAverages;
using vorn::IndoorInputs;

// The model as the engine has always computed it, with libm's fmin and fmax.
double clamp01(double x) {
  return std::fmin(std::fmax(x, 0.0), 1.0);
}

IndoorAverages libm_indoorair(double Hd, double DIFFW, double DIFFA, double Cw) {
  const double Cmax = Hd * Cw;
  const double p = 2.0 / 3.0;
  const double S1 =
      1 - std::exp(-(216 / (2.5 / std::pow(DIFFW, p) + 1 / (std::pow(DIFFA, p) * Hd))) *
                   27.551020408163264);
  const double m =
      2.76e6 / (2.5 / std::pow(1e-4 * DIFFW, p) + 70 / (std::pow(1e-4 * DIFFA, p) * Hd));
  const double S2 = 0.5 * m;
  const double S3 = 0.66 * m;

  double X1 = 0, X2 = 0, X3 = 0;
  double sum[3] = {0, 0, 0};
  int count[3] = {0, 0, 0};
  for (double t = 0.2; t < 960.0767999999999; t += 0.2) {
    const int phase = t <= 11.4048 ? 0 : (t <= 60.0768 ? 1 : 2);
    const double src1 = phase == 0 ? Cw : 0.0;
    const double src2 = phase == 1 ? Cw : 0.0;
    const double src3 = phase == 2 ? Cw : 0.0;
    const double E1 = clamp01((1 - std::fmin(X1 / Cmax, 1.0)) * S1) * 1.1 * src1 / 2300;
    X1 = X1 - (X1 - X2) * 20 / 2300 + std::fmin(E1, Cmax);
    const double E2 = clamp01((1 - X2 / Cmax) * S2) * 0.41600000000000004 * src2 / 13600;
    X2 = X2 - (X2 - X3) * 60 / 13600 + (X1 - X2) * 20 / 13600 + std::fmin(E2, Cmax);
    const double E3 = clamp01((1 - X3 / Cmax) * S3) * 0.042 * src3 / 310000;
    X3 = X3 - 465 * X3 / 310000 + (X2 - X3) * 60 / 310000 + std::fmin(E3, Cmax);
    sum[phase] += phase == 0 ? X1 : (phase == 1 ? X2 : X3);
    ++count[phase];
  }
  return IndoorAverages{std::fmin(sum[0] / count[0], Cmax), std::fmin(sum[1] / count[1], Cmax),
                        std::fmin(sum[2] / count[2], Cmax)};
}

std::string bits(const IndoorAverages& a) {
  std::string s;
  for (double v : {a.A1, a.A2, a.A3}) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    s += std::to_string(u) + " ";
  }
  return s;
}

// The NaN that invalid operations produce. Where two NaNs of different bits meet in an
// addition or a product, which one comes out depends on the order the compiler gives
// the operands, in the libm model as here: inputs take this NaN alone.
double invalid_nan() {
  volatile double inf = std::numeric_limits<double>::infinity();
  return inf - inf;
}

class InputMaker {
 public:
  explicit InputMaker(std::uint64_t seed) : rng_(seed) {}

  IndoorInputs next() {
    return IndoorInputs{value(0.01, 1), value(1e-6, 1e-5), value(0.01, 0.1), value(1e-6, 10)};
  }

 private:
  // Mostly plausible magnitudes; often a special value or any double's magnitude.
  double value(double lo, double hi) {
    const int kind = static_cast<int>(rng_() % 10);
    if (kind < 6) {
      return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng_));
    }
    if (kind < 8) return kSpecial[rng_() % std::size(kSpecial)];
    const double e = std::uniform_real_distribution<double>(-323, 308)(rng_);
    return (rng_() % 2 ? -1 : 1) * std::pow(10.0, e);
  }

  static constexpr double kInf = std::numeric_limits<double>::infinity();
  inline static const double kSpecial[] = {0.0,
                                           -0.0,
                                           invalid_nan(),
                                           kInf,
                                           -kInf,
                                           std::numeric_limits<double>::denorm_min(),
                                           -4e-320,
                                           std::numeric_limits<double>::min(),
                                           std::numeric_limits<double>::max(),
                                           -std::numeric_limits<double>::max(),
                                           1e-300,
                                           -1e300,
                                           1.0,
                                           -0.5};
  std::mt19937_64 rng_;
};

// Every code path this processor runs gives, bit for bit, what the libm model gives,
// whatever the inputs and however many evaluations a batch holds.
TEST(IndoorModel, EveryPathMatchesTheLibmModelBitForBit) {
  constexpr std::size_t kInputs = 20000;
  InputMaker maker(20261208);
  std::vector<IndoorInputs> in(kInputs);
  for (IndoorInputs& i : in) i = maker.next();

  std::vector<IndoorAverages> want(kInputs);
  for (std::size_t i = 0; i < kInputs; ++i) {
    want[i] = libm_indoorair(in[i].Hd, in[i].DIFFW, in[i].DIFFA, in[i].Cw);
    const IndoorAverages got = vorn::indoor_model(in[i]);
    ASSERT_EQ(bits(got), bits(want[i])) << "scalar, input " << i << ": " << in[i].Hd << " "
                                        << in[i].DIFFW << " " << in[i].DIFFA << " " << in[i].Cw;
  }

  using vorn::indoor::Path;
  for (Path p : {Path::scalar, Path::sse2, Path::avx2}) {
    if (!vorn::indoor::path_runs(p)) continue;
    // Batches of lengths that fill no lane block, one block, and several chunks.
    std::vector<IndoorAverages> got(kInputs);
    const std::size_t lengths[] = {1, 3, 4, 5, 7, 8, 9, 13, 63, 64, 65, 130, 1001};
    std::size_t start = 0;
    for (std::size_t k = 0; start < kInputs; ++k) {
      const std::size_t n = std::min(lengths[k % std::size(lengths)], kInputs - start);
      vorn::indoor::batch_on(p, in.data() + start, got.data() + start, n);
      start += n;
    }
    for (std::size_t i = 0; i < kInputs; ++i) {
      ASSERT_EQ(bits(got[i]), bits(want[i])) << "path " << static_cast<int>(p) << ", input " << i;
    }
  }

  std::vector<IndoorAverages> got(kInputs);
  vorn::indoor_model_batch(in.data(), got.data(), kInputs);
  for (std::size_t i = 0; i < kInputs; ++i) ASSERT_EQ(bits(got[i]), bits(want[i])) << i;
}

}  // namespace
