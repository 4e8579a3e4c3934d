#include "pathways/surface_paths.hpp"

#include "pathways/air_factors.hpp"
#include "pathways/cas_numbers.hpp"
#include "pathways/exposure_factors.hpp"
#include "pathways/toxicity.hpp"

namespace vorn {
namespace {

// The toxicity cases of the particulate and soil pathways. `exposure` is
// concentration × transfer chain; `allowable` divides a target back through it into an
// allowable concentration. Returns without writing when neither toxicity value
// is positive (lead then gets its fixed allowables).
template <class Exposure, class Allowable>
void particulate_pathway(const WasteUnit& wu, const Chemical& c, AirSlots s, double csf, double rfd,
                         double (*fc)(double), double (*fn)(double), Exposure exposure,
                         Allowable allowable, double lead_allowable) {
  if (!(csf > 0) && !(rfd > 0)) {
    if (is_cas(c.CHEMCAS, kLeadCas)) s.cc = s.cn = lead_allowable;
    return;
  }
  const HalfSlots cancer{s.risk, s.cc};
  cancer_half(csf, cancer, [&] {
    const double f = fc(csf);
    s.risk = exposure(f);
    s.cc = allowable(wu.WU_RISKFACT, f);
  });
  noncancer_half(rfd, HalfSlots{s.hq, s.cn}, cancer, [&] {
    const double f = fn(rfd);
    s.hq = exposure(f);
    s.cn = allowable(wu.WU_HQFACT, f);
  });
}

}  // namespace

void airparticulates(const WasteUnit& wu, const Chemical& c, ResultSlots& r) {
  const double airfac = air_dispersion(wu);
  const double ep = wu.WU_EMITP * 1e-6 * 1000 / 3600;
  particulate_pathway(
      wu, c, AirSlots{r.R_AIRPT, r.CC_AIRPT, r.H_AIRPT, r.CN_AIRPT}, c.CSFI, c.ORDI, inhalation_fci,
      air_fni, [&](double f) { return c.TOTC * ep * airfac * f; },
      [&](double target, double f) { return target / f / airfac / ep; }, 0.0002 / airfac / ep);
}

void airsoil(const WasteUnit& wu, const Chemical& c, ResultSlots& r) {
  const double airfac = air_dispersion(wu);
  const double ed = wu.WU_EMITD * 1e-6 * 1000 / 3600;
  // Deposition to soil; the lead constant is 100 / 65246.89655172414.
  constexpr double kDeposition = 65246.89655172414;
  const double soil = c.TOTC * ed * airfac * kDeposition;
  particulate_pathway(
      wu, c, AirSlots{r.R_AIRSOIL, r.CC_AIRSOIL, r.H_AIRSOIL, r.CN_AIRSOIL}, c.CSFO, c.ORDO,
      soil_fcs, soil_fns, [&](double f) { return soil * f; },
      [&](double target, double f) { return target / f / kDeposition / airfac / ed; },
      0.001532639945881955 / airfac / ed);
}

void surfacepaths(const WasteUnit& wu, const Chemical& c, ResultSlots& r) {
  if (is_cas(c.CHEMCAS, kMethylmercuryCas)) return;
  if (wu.is_landfill()) {
    airparticulates(wu, c, r);
    airsoil(wu, c, r);
    lfvolatilization(wu, c, r);
  } else {
    sivolatilization(wu, c, r);
  }
}

}  // namespace vorn
