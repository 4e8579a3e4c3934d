#include "groundwater/daf_interpolation.hpp"

#include <array>
#include <cmath>

#include "engine/run_log.hpp"
#include "groundwater/daf_curve.hpp"

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
  std::array<Point, kCurveCapacity> p{};
  for (int k = 0; k < n; ++k) {
    p[k].x = x[k];
    for (int c = 0; c < ny; ++c) p[k].y[c] = ys[c][k];
  }
  // Stable insertion sort: a point moves left only past strictly greater x.
  for (int k = 1; k < n; ++k) {
    const Point moving = p[k];
    int j = k;
    while (j > 0 && p[j - 1].x > moving.x) {
      p[j] = p[j - 1];
      --j;
    }
    p[j] = moving;
  }

  if (v <= p[0].x) {
    for (int c = 0; c < ny; ++c) out[c] = p[0].y[c];
    return true;
  }
  if (v >= p[n - 1].x) {
    for (int c = 0; c < ny; ++c) out[c] = p[n - 1].y[c];
    return true;
  }
  for (int k = 1; k < n; ++k) {
    if (!(p[k - 1].x <= v && v <= p[k].x)) continue;
    const double d = std::log10(p[k].x) - std::log10(p[k - 1].x);
    for (int c = 0; c < ny; ++c) {
      const double s =
          d > kSlopeThreshold ? (std::log10(p[k].y[c]) - std::log10(p[k - 1].y[c])) / d : 0.0;
      out[c] =
          std::pow(10.0, std::log10(p[k - 1].y[c]) + s * (std::log10(v) - std::log10(p[k - 1].x)));
    }
    return true;
  }
  return false;
}

void dafforward(RunState& rs, int unit, int& i) {
  getdafcurve(rs, unit, i);
  const DafCurve& curve = rs.curve;
  const Chemical& c = rs.chem(i);
  double dc = curve.DC_CAR[0];
  double dn = curve.DC_NON[0];
  if (!(c.ORGANIC == 1 || curve.DC_NPT == 1)) {
    const double* ys[] = {curve.DC_CAR.data(), curve.DC_NON.data()};
    double out[2];
    if (!interpolate_loglog(curve.DC_NPT, curve.DC_CONC.data(), ys, 2, c.TCLPCONC, out)) {
      stop_run(rs, unit,
               {LogLine() << "FAILED DAF 2D INTERPOLATION IN FORWARD CALC",
                LogLine() << "DAF DID NOT FIND FOR CHEMICAL #" << static_cast<std::int32_t>(i)});
    }
    dc = out[0];
    dn = out[1];
  }
  ResultSlots& r = rs.res(i);
  r.DAFC = dc;
  r.DAFN = dn;
  rs.DAF_CAR = dc * rs.DAF_SCALE;
  rs.DAF_NON = dn * rs.DAF_SCALE;
  r.DAFC_WV = rs.DAF_CAR;
  r.DAFN_WV = rs.DAF_NON;
}

void dafbackward(RunState& rs, int unit, int& i, int selector, double W, double& result) {
  const DafCurve& curve = rs.curve;
  const bool car = selector == 1;
  const double* x = car ? curve.DC_WCAR.data() : curve.DC_WNON.data();
  const double* y = car ? curve.DC_CAR.data() : curve.DC_NON.data();
  double r = y[0];
  if (!(rs.chem(i).ORGANIC == 1 || curve.DC_NPT == 1)) {
    const double* ys[] = {y};
    if (!interpolate_loglog(curve.DC_NPT, x, ys, 1, W, &r))
      stop_run(rs, unit, {LogLine() << "FAILED DAF 1D INTERPOLATION IN BACKWARD CALC"});
  }
  result = r * rs.DAF_SCALE;
}

}  // namespace vorn
