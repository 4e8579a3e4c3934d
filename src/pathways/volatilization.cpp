#include <cmath>

#include "pathways/air_factors.hpp"
#include "pathways/exposure_factors.hpp"
#include "pathways/surface_paths.hpp"
#include "pathways/toxicity.hpp"

namespace vorn {
namespace {

// Both halves of volatilisation: e is the exposure per unit slope factor or
// reference dose, `release` the term an allowable concentration is divided by.
void volatilization_halves(const WasteUnit& wu, const Chemical& c, ResultSlots& r, double e,
                           double airfac, double release) {
  const HalfSlots cancer{r.R_AIRVOL, r.CC_AIRVOL};
  cancer_half(c.CSFI, cancer, [&] {
    const double fci = inhalation_fci(c.CSFI);
    r.R_AIRVOL = e * fci;
    r.CC_AIRVOL = wu.WU_RISKFACT / fci / airfac / release;
  });
  noncancer_half(c.ORDI, HalfSlots{r.H_AIRVOL, r.CN_AIRVOL}, cancer, [&] {
    const double fni = air_fni(c.ORDI);
    r.H_AIRVOL = e * fni;
    r.CN_AIRVOL = wu.WU_HQFACT / fni / airfac / release;
  });
}

void not_volatile(ResultSlots& r) {
  r.R_AIRVOL = 0;
  r.H_AIRVOL = 0;
  r.CC_AIRVOL = r.CN_AIRVOL = NOT_COMPUTED;
}

}  // namespace

void lfvolatilization(const WasteUnit& wu, const Chemical& c, ResultSlots& r) {
  if (c.VP > 0 && c.MW > 0 && c.DIFFA > 0) {
    const double airfac = air_dispersion(wu);
    const double v = 1e3 * c.DIFFA * wu.WU_AREAV * (c.VP * c.MW / 0.0244658) * 0.04715560318259695 /
                     0.024384000000000006 / 1e10;
    const double e = c.TOTC * v * airfac;
    volatilization_halves(wu, c, r, e, airfac, v);
  } else if (c.VP == 0 || c.MW == 0 || c.DIFFA == 0) {
    not_volatile(r);
  }
}

MassTransfer simasstransfer(const WasteUnit& wu, double henry, double diffa, double diffw) {
  const double hd = henry / 0.0244658;
  const double kg = 0.018833788967259586 * std::pow(1.81e-4 / (0.0012 * diffa), -0.67) *
                    std::pow(wu.WU_DIAM, -0.11);
  const double fl = wu.WU_FETCHD > 51.2 ? 8.599540276833741e-6
                                        : (2.605e-9 * wu.WU_FETCHD + 1.277e-7) * 32.935811094729;
  const double kl = std::pow(diffw / 8.56e-6, 2.0 / 3.0) * fl;
  MassTransfer m{};
  m.KA = wu.WU_AREAM2 / (1 / (hd * kg) + 1 / kl);
  // 4.605170185988091 is ln 100.
  m.t99 = -4.605170185988091 * wu.WU_VOLM3 / (-86400 * m.KA);
  return m;
}

void sivolatilization(const WasteUnit& wu, const Chemical& c, ResultSlots& r) {
  if (!(c.HENRY > 0 && c.DIFFW > 0 && c.DIFFA > 0)) {
    not_volatile(r);
    return;
  }
  const MassTransfer m = simasstransfer(wu, c.HENRY, c.DIFFA, c.DIFFW);
  const double te = wu.WU_RESTIME < m.t99 ? wu.WU_RESTIME : m.t99;
  const double fr = std::exp(m.KA * te * 86400 / (-wu.WU_VOLM3));
  const double q = wu.WU_VOLM3 * 1000 * (1 - fr) / (te * 86400);
  const double airfac = air_dispersion(wu);
  const double e = c.TCLPCONC * q * airfac;
  volatilization_halves(wu, c, r, e, airfac, q);
}

}  // namespace vorn
