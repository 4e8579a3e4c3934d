#include "groundwater/daf_interpolation.hpp"

#include <array>
#include <cmath>

namespace vorn {
namespace {

// 1.0E-10 held in single precision, widened.
constexpr double kSlopeThreshold = 1.000000013351432E-10;
constexpr int kMaxColumns = 2;

struct Point {
  double x;
  std::array<double, kMaxColumns> y;
};

}  // namespace

bool interpolate_loglog(int n, const double* x, const double* const* ys, int ny, double v,
                        double* out) {
  // The points in x order: the table's order, or a stable sort of it (a point moves left
  // only past strictly greater x). Curves mostly come in order already.
  const double* px = x;
  const double* py[kMaxColumns] = {ys[0], ny > 1 ? ys[1] : nullptr};
  bool in_order = true;
  for (int k = 1; k < n && in_order; ++k) in_order = !(x[k - 1] > x[k]);
  std::array<double, kCurveCapacity> sorted_x;
  std::array<std::array<double, kCurveCapacity>, kMaxColumns> sorted_y;
  if (!in_order) {
    std::array<Point, kCurveCapacity> p{};
    for (int k = 0; k < n; ++k) {
      p[k].x = x[k];
      for (int c = 0; c < ny; ++c) p[k].y[c] = ys[c][k];
    }
    for (int k = 1; k < n; ++k) {
      const Point moving = p[k];
      int j = k;
      while (j > 0 && p[j - 1].x > moving.x) {
        p[j] = p[j - 1];
        --j;
      }
      p[j] = moving;
    }
    for (int k = 0; k < n; ++k) {
      sorted_x[k] = p[k].x;
      for (int c = 0; c < ny; ++c) sorted_y[c][k] = p[k].y[c];
    }
    px = sorted_x.data();
    for (int c = 0; c < ny; ++c) py[c] = sorted_y[c].data();
  }

  if (v <= px[0]) {
    for (int c = 0; c < ny; ++c) out[c] = py[c][0];
    return true;
  }
  if (v >= px[n - 1]) {
    for (int c = 0; c < ny; ++c) out[c] = py[c][n - 1];
    return true;
  }
  for (int k = 1; k < n; ++k) {
    if (!(px[k - 1] <= v && v <= px[k])) continue;
    // Each logarithm once; the values are those of the formula written out in full.
    const double log_x0 = std::log10(px[k - 1]);
    const double d = std::log10(px[k]) - log_x0;
    const double log_v = std::log10(v) - log_x0;
    for (int c = 0; c < ny; ++c) {
      const double log_y0 = std::log10(py[c][k - 1]);
      const double s = d > kSlopeThreshold ? (std::log10(py[c][k]) - log_y0) / d : 0.0;
      out[c] = std::pow(10.0, log_y0 + s * log_v);
    }
    return true;
  }
  return false;
}

Failure dafforward(const DafCurve& curve, const Chemical& c, int i, double DAF_SCALE,
                   ResultSlots& r, WellDafs& dafs) {
  double dc = curve.DC_CAR[0];
  double dn = curve.DC_NON[0];
  if (!(c.ORGANIC == 1 || curve.DC_NPT == 1)) {
    const double* ys[] = {curve.DC_CAR.data(), curve.DC_NON.data()};
    double out[2];
    if (!interpolate_loglog(curve.DC_NPT, curve.DC_CONC.data(), ys, 2, c.TCLPCONC, out))
      return Failure::of(FailureKind::forward_interpolation, i);
    dc = out[0];
    dn = out[1];
  }
  r.DAFC = dc;
  r.DAFN = dn;
  dafs.DAF_CAR = dc * DAF_SCALE;
  dafs.DAF_NON = dn * DAF_SCALE;
  r.DAFC_WV = dafs.DAF_CAR;
  r.DAFN_WV = dafs.DAF_NON;
  return {};
}

DafLookup dafbackward(const DafCurve& curve, const Chemical& c, double DAF_SCALE, int selector,
                      double W) {
  const bool car = selector == 1;
  const double* x = car ? curve.DC_WCAR.data() : curve.DC_WNON.data();
  const double* y = car ? curve.DC_CAR.data() : curve.DC_NON.data();
  double r = y[0];
  if (!(c.ORGANIC == 1 || curve.DC_NPT == 1)) {
    const double* ys[] = {y};
    if (!interpolate_loglog(curve.DC_NPT, x, ys, 1, W, &r))
      return {Failure::of(FailureKind::backward_interpolation)};
  }
  return {Failure{}, r * DAF_SCALE};
}

}  // namespace vorn
