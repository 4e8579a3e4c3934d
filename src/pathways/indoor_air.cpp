#include "pathways/indoor_air.hpp"

#include <cmath>

namespace vorn {
namespace {

inline double clamp01(double x) {
  return std::fmin(std::fmax(x, 0.0), 1.0);
}

}  // namespace

IndoorAverages indoorair(double hd, double diffw, double diffa, double cw) {
  const double cmax = hd * cw;
  const double p = 2.0 / 3.0;
  const double s1 =
      1 - std::exp(-(216 / (2.5 / std::pow(diffw, p) + 1 / (std::pow(diffa, p) * hd))) *
                   27.551020408163264);
  const double m =
      2.76e6 / (2.5 / std::pow(1e-4 * diffw, p) + 70 / (std::pow(1e-4 * diffa, p) * hd));
  const double s2 = 0.5 * m;
  const double s3 = 0.66 * m;

  double x1 = 0, x2 = 0, x3 = 0;
  double sum[3] = {0, 0, 0};
  int count[3] = {0, 0, 0};
  // t advances by 0.2 in double: 57, 243 and 4500 steps in the three phases.
  for (double t = 0.2; t < 960.0767999999999; t += 0.2) {
    const int phase = t <= 11.4048 ? 0 : (t <= 60.0768 ? 1 : 2);
    const double src1 = phase == 0 ? cw : 0.0;
    const double src2 = phase == 1 ? cw : 0.0;
    const double src3 = phase == 2 ? cw : 0.0;
    const double e1 = clamp01((1 - std::fmin(x1 / cmax, 1.0)) * s1) * 1.1 * src1 / 2300;
    x1 = x1 - (x1 - x2) * 20 / 2300 + std::fmin(e1, cmax);
    const double e2 = clamp01((1 - x2 / cmax) * s2) * 0.41600000000000004 * src2 / 13600;
    x2 = x2 - (x2 - x3) * 60 / 13600 + (x1 - x2) * 20 / 13600 + std::fmin(e2, cmax);
    const double e3 = clamp01((1 - x3 / cmax) * s3) * 0.042 * src3 / 310000;
    x3 = x3 - 465 * x3 / 310000 + (x2 - x3) * 60 / 310000 + std::fmin(e3, cmax);
    sum[phase] += phase == 0 ? x1 : (phase == 1 ? x2 : x3);
    ++count[phase];
  }
  return IndoorAverages{std::fmin(sum[0] / count[0], cmax), std::fmin(sum[1] / count[1], cmax),
                        std::fmin(sum[2] / count[2], cmax)};
}

}  // namespace vorn
