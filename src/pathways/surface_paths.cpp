#include "pathways/surface_paths.hpp"

#include "pathways/air_factors.hpp"
#include "pathways/cas_numbers.hpp"

namespace vorn {
namespace {

// The toxicity cases of the particulate and soil pathways. `exposure` is
// concentration × transfer chain; `per_unit` divides a factor chain back into an
// allowable concentration. Returns without writing when neither toxicity value
// is positive (lead then gets its fixed allowables).
template <class Exposure, class Allowable>
void particulate_pathway(const RunState& rs, const Chemical& c, AirSlots s, double csf, double rfd,
                         double (*fc)(double), double (*fn)(double), Exposure exposure,
                         Allowable allowable, double lead_allowable) {
  const WasteUnit& wu = rs.wu;
  if (csf > 0) {
    const double F = fc(csf);
    s.risk = exposure(F);
    s.cc = allowable(wu.WU_RISKFACT, F);
  } else if (rfd > 0) {
    s.risk = 0;
    s.cc = (csf == 0) ? NOT_COMPUTED : 0.0;
  } else {
    if (is_cas(c.CHEMCAS, kLeadCas)) s.cc = s.cn = lead_allowable;
    return;
  }
  if (rfd > 0) {
    const double F = fn(rfd);
    s.hq = exposure(F);
    s.cn = allowable(wu.WU_HQFACT, F);
  } else if (rfd == 0) {
    s.hq = 0;
    s.cn = NOT_COMPUTED;
  } else {
    // Missing reference dose: the hazard-based limit takes the risk-based one.
    s.hq = 0;
    s.cn = s.cc;
  }
}

}  // namespace

void airparticulates(RunState& rs, int i) {
  const Chemical& c = rs.chem(i);
  const WasteUnit& wu = rs.wu;
  ResultSlots& r = rs.res(i);
  const double AIRFAC = air_dispersion(wu);
  const double EP = wu.WU_EMITP * 1e-6 * 1000 / 3600;
  particulate_pathway(
      rs, c, AirSlots{r.R_AIRPT, r.CC_AIRPT, r.H_AIRPT, r.CN_AIRPT}, c.CSFI, c.ORDI, air_fci,
      air_fni, [&](double F) { return c.TOTC * EP * AIRFAC * F; },
      [&](double target, double F) { return target / F / AIRFAC / EP; }, 0.0002 / AIRFAC / EP);
}

void airsoil(RunState& rs, int i) {
  const Chemical& c = rs.chem(i);
  const WasteUnit& wu = rs.wu;
  ResultSlots& r = rs.res(i);
  const double AIRFAC = air_dispersion(wu);
  const double ED = wu.WU_EMITD * 1e-6 * 1000 / 3600;
  // Deposition to soil; the lead constant is 100 / 65246.89655172414.
  constexpr double kDeposition = 65246.89655172414;
  const double S = c.TOTC * ED * AIRFAC * kDeposition;
  particulate_pathway(
      rs, c, AirSlots{r.R_AIRSOIL, r.CC_AIRSOIL, r.H_AIRSOIL, r.CN_AIRSOIL}, c.CSFO, c.ORDO,
      air_fcs, air_fns, [&](double F) { return S * F; },
      [&](double target, double F) { return target / F / kDeposition / AIRFAC / ED; },
      0.001532639945881955 / AIRFAC / ED);
}

void surfacepaths(RunState& rs, int /*dbgUnit*/, int& i) {
  if (is_cas(rs.chem(i).CHEMCAS, kMethylmercuryCas)) return;
  if (rs.wu.is_landfill()) {
    airparticulates(rs, i);
    airsoil(rs, i);
    lfvolatilization(rs, i);
  } else {
    sivolatilization(rs, i);
  }
}

}  // namespace vorn
