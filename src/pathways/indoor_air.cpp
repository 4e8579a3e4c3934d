#include "pathways/indoor_air.hpp"

#include <cmath>

namespace vorn {
namespace {

inline double clamp01(double x) {
  return std::fmin(std::fmax(x, 0.0), 1.0);
}

}  // namespace

IndoorAverages indoorair(double Hd, double DIFFW, double DIFFA, double Cw) {
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
  // t advances by 0.2 in double: 57, 243 and 4500 steps in the three phases.
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

}  // namespace vorn
