// Log-log interpolation of DAFs, forward from a leachate concentration and backward from
// a receptor-well concentration.
#pragma once

#include "core/failure.hpp"
#include "groundwater/daf_curve.hpp"
#include "vorn/records.hpp"

namespace vorn {

// Interpolates `ny` y columns at v on the points (x, y) sorted by x; the ends are
// clamped. False when no bracket holds v (a NaN query or curve value).
bool interpolate_loglog(int n, const double* x, const double* const* ys, int ny, double v,
                        double* out);

// The scaled DAFs between the waste and the well at the chemical's leachate
// concentration, carcinogenic and non-carcinogenic.
struct WellDafs {
  double DAF_CAR = 0.0;
  double DAF_NON = 0.0;
};

// The DAFs of chemical i at TCLPCONC on its gathered curve: DAFC, DAFN, DAFC_WV and
// DAFN_WV in its slots, the scaled pair in `dafs`. Fails when no bracket holds TCLPCONC.
Failure dafforward(const DafCurve& curve, const Chemical& c, int i, double DAF_SCALE,
                   ResultSlots& r, WellDafs& dafs);

// A backward lookup: the scaled DAF, or the failure that left it 0.
struct DafLookup {
  Failure failure;
  double daf = 0.0;
};

// The scaled DAF at well concentration W on the chemical's gathered curve; selector 1
// carcinogenic, any other non-carcinogenic. Fails when no bracket holds W.
DafLookup dafbackward(const DafCurve& curve, const Chemical& c, double DAF_SCALE, int selector,
                      double W);

}  // namespace vorn
