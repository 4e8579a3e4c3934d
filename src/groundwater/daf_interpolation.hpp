// Log-log interpolation of DAFs, forward from a leachate concentration and
// backward from a receptor-well concentration.
#pragma once

#include <cstddef>

#include "engine/run_state.hpp"

namespace vorn {

// Interpolates `ny` y columns at v on the points (x, y) sorted by x; the ends are
// clamped. False when no bracket holds v (a NaN query or curve value).
bool interpolate_loglog(int n, const double* x, const double* const* ys, int ny, double v,
                        double* out);

// Gathers the curve of chemical i and stores its DAFs at TCLPCONC (DAFC, DAFN,
// DAFC_WV, DAFN_WV, DAF_CAR, DAF_NON); stops on a failed interpolation.
void dafforward(RunState& rs, int unit, int& i);

// The scaled DAF at well concentration W on the last gathered curve; selector 1
// carcinogenic, any other non-carcinogenic.
void dafbackward(RunState& rs, int unit, int& i, int selector, double W, double& result);

}  // namespace vorn
