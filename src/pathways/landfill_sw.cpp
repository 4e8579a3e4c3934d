#include "pathways/landfill_sw.hpp"

#include <cmath>

#include "core/fmin_fmax.hpp"
#include "pathways/cas_numbers.hpp"
#include "pathways/exposure_factors.hpp"
#include "pathways/toxicity.hpp"

namespace vorn {

double fishuptake(const Chemical& c) {
  double biof = 0.0;
  if (c.LOGKOW > 4) {
    biof = vorn::fmax(c.BAF, 0.0);
  } else if (c.BCF > 0) {
    biof = c.BCF;
  } else if (c.BAF > 0) {
    biof = c.BAF;
  } else if (c.ORGANIC == 1) {
    biof = std::exp(0.76 * c.LOGKOW - 0.23);
  }
  if (is_cas(c.CHEMCAS, kMethylmercuryCas) || is_cas(c.CHEMCAS, kLeadCas)) biof = c.BAF;
  return biof;
}

void landfillsw(const WasteUnit& wu, const Chemical& c, ResultSlots& r) {
  if (!(c.CSFO > 0) && !(c.ORDO > 0)) {
    if (is_cas(c.CHEMCAS, kLeadCas)) {
      r.H_SWFISH = 0;
      r.CN_SWFISH = NOT_COMPUTED;
      r.WN_SWFISH = NOT_COMPUTED;
    }
    return;
  }

  // Drinking surface water.
  if (is_cas(c.CHEMCAS, kMethylmercuryCas)) {
    r.R_SWING = 0;
    r.H_SWING = 0;
    r.CC_SWING = r.WC_SWING = r.CN_SWING = r.WN_SWING = NOT_COMPUTED;
  } else {
    const HalfSlots cancer{r.R_SWING, r.CC_SWING, &r.WC_SWING};
    cancer_half(c.CSFO, cancer, [&] {
      const double fcw = drinking_fcw(c.CSFO);
      r.WC_SWING = wu.WU_RISKFACT / fcw;
      r.CC_SWING = r.WC_SWING / wu.WU_SWDFAC;
      r.R_SWING = c.TOTC * wu.WU_SWDFAC * fcw;
    });
    noncancer_half(c.ORDO, HalfSlots{r.H_SWING, r.CN_SWING, &r.WN_SWING}, cancer, [&] {
      const double fnw = surface_water_fnw(c.ORDO);
      r.WN_SWING = wu.WU_HQFACT / fnw;
      r.CN_SWING = r.WN_SWING / wu.WU_SWDFAC;
      r.H_SWING = c.TOTC * wu.WU_SWDFAC * fnw;
    });
  }

  if (is_cas(c.CHEMCAS, kMercuryCas)) return;

  // Eating fish.
  const double biof = fishuptake(c);
  const double fdiss = 1 / (c.KDSW * wu.WU_SUSP / 1e6 + 1);
  r.SWDISS = c.TOTC * wu.WU_SWFAC * fdiss;

  r.R_SWFISH = 0;
  r.CC_SWFISH = r.WC_SWFISH = r.FC_SWFISH = NOT_COMPUTED;
  if (c.CSFO > 0 && biof > 0) {
    const double fcf = 210 * c.CSFO / 1971000;
    r.FC_SWFISH = wu.WU_RISKFACT / fcf;
    r.WC_SWFISH = r.FC_SWFISH / biof / fdiss;
    r.R_SWFISH = r.SWDISS * biof * fcf;
    r.CC_SWFISH = r.WC_SWFISH / wu.WU_SWFAC;
  }
  r.H_SWFISH = 0;
  r.CN_SWFISH = r.WN_SWFISH = r.FN_SWFISH = NOT_COMPUTED;
  if (c.ORDO > 0 && biof > 0) {
    const double fnf = 210 / (72 * c.ORDO * 30 * 365);
    r.FN_SWFISH = wu.WU_HQFACT / fnf;
    r.WN_SWFISH = r.FN_SWFISH / biof / fdiss;
    r.CN_SWFISH = r.WN_SWFISH / wu.WU_SWFAC;
    r.H_SWFISH = r.SWDISS * biof * fnf;
  }
}

}  // namespace vorn
