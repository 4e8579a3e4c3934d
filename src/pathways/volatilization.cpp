#include <cmath>

#include "pathways/air_factors.hpp"
#include "pathways/surface_paths.hpp"

namespace vorn {
namespace {

// Both halves of volatilisation: E is the exposure per unit slope factor or
// reference dose, `release` the term an allowable concentration is divided by.
void volatilization_halves(const RunState& rs, const Chemical& c, ResultSlots& r, double E,
                           double AIRFAC, double release) {
  const WasteUnit& wu = rs.wu;
  if (c.CSFI > 0) {
    const double FCI = air_fci(c.CSFI);
    r.R_AIRVOL = E * FCI;
    r.CC_AIRVOL = wu.WU_RISKFACT / FCI / AIRFAC / release;
  } else if (c.CSFI == 0) {
    r.R_AIRVOL = 0;
    r.CC_AIRVOL = NOT_COMPUTED;
  } else {
    r.R_AIRVOL = 0;
    r.CC_AIRVOL = 0;
  }
  if (c.ORDI > 0) {
    const double FNI = air_fni(c.ORDI);
    r.H_AIRVOL = E * FNI;
    r.CN_AIRVOL = wu.WU_HQFACT / FNI / AIRFAC / release;
  } else if (c.ORDI == 0) {
    r.H_AIRVOL = 0;
    r.CN_AIRVOL = NOT_COMPUTED;
  } else {
    r.H_AIRVOL = 0;
    r.CN_AIRVOL = r.CC_AIRVOL;
  }
}

void not_volatile(ResultSlots& r) {
  r.R_AIRVOL = 0;
  r.H_AIRVOL = 0;
  r.CC_AIRVOL = r.CN_AIRVOL = NOT_COMPUTED;
}

}  // namespace

void lfvolatilization(RunState& rs, int i) {
  const Chemical& c = rs.chem(i);
  const WasteUnit& wu = rs.wu;
  ResultSlots& r = rs.res(i);
  if (c.VP > 0 && c.MW > 0 && c.DIFFA > 0) {
    const double AIRFAC = air_dispersion(wu);
    const double V = 1e3 * c.DIFFA * wu.WU_AREAV * (c.VP * c.MW / 0.0244658) * 0.04715560318259695 /
                     0.024384000000000006 / 1e10;
    const double E = c.TOTC * V * AIRFAC;
    volatilization_halves(rs, c, r, E, AIRFAC, V);
  } else if (c.VP == 0 || c.MW == 0 || c.DIFFA == 0) {
    not_volatile(r);
  }
}

MassTransfer simasstransfer(const WasteUnit& wu, double henry, double diffa, double diffw) {
  const double Hd = henry / 0.0244658;
  const double kG = 0.018833788967259586 * std::pow(1.81e-4 / (0.0012 * diffa), -0.67) *
                    std::pow(wu.WU_DIAM, -0.11);
  const double fL = wu.WU_FETCHD > 51.2 ? 8.599540276833741e-6
                                        : (2.605e-9 * wu.WU_FETCHD + 1.277e-7) * 32.935811094729;
  const double kL = std::pow(diffw / 8.56e-6, 2.0 / 3.0) * fL;
  MassTransfer m{};
  m.KA = wu.WU_AREAM2 / (1 / (Hd * kG) + 1 / kL);
  // 4.605170185988091 is ln 100.
  m.t99 = -4.605170185988091 * wu.WU_VOLM3 / (-86400 * m.KA);
  return m;
}

void sivolatilization(RunState& rs, int i) {
  const Chemical& c = rs.chem(i);
  const WasteUnit& wu = rs.wu;
  ResultSlots& r = rs.res(i);
  if (!(c.HENRY > 0 && c.DIFFW > 0 && c.DIFFA > 0)) {
    not_volatile(r);
    return;
  }
  const MassTransfer m = simasstransfer(wu, c.HENRY, c.DIFFA, c.DIFFW);
  const double te = wu.WU_RESTIME < m.t99 ? wu.WU_RESTIME : m.t99;
  const double fr = std::exp(m.KA * te * 86400 / (-wu.WU_VOLM3));
  const double Q = wu.WU_VOLM3 * 1000 * (1 - fr) / (te * 86400);
  const double AIRFAC = air_dispersion(wu);
  const double E = c.TCLPCONC * Q * AIRFAC;
  volatilization_halves(rs, c, r, E, AIRFAC, Q);
}

}  // namespace vorn
