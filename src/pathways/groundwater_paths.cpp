#include "pathways/groundwater_paths.hpp"

#include <cmath>

#include "pathways/cas_numbers.hpp"
#include "pathways/exposure_factors.hpp"
#include "pathways/toxicity.hpp"

namespace vorn {
namespace {

// Allowable leachate concentration for allowable well concentration w.
Failure allowable_tclp(const Chemical& c, const GroundwaterDafs& dafs, int selector, double w,
                       double& allowable) {
  double d = 0.0;
  if (Failure f = dafbackward(dafs.curve, c, dafs.DAF_SCALE, selector, w, d)) return f;
  allowable = d * w;
  return {};
}

struct Receptor {
  double tevent;      // event time, hr
  double bodyweight;  // kg
  double duration;    // exposure duration, yr
  double averaging;   // non-cancer averaging time, yr
  double area;        // skin area, cm²
};
constexpr Receptor kAdult{0.25, 72, 30, 30, 20000};
constexpr Receptor kChild{0.33, 15, 6, 6, 7900};

struct DermalSlots {
  double &R, &CC, &WC, &H, &CN, &WN;
};

Failure dermal_receptor(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                        const Receptor& p, DermalSlots s) {
  double da;  // absorbed dose per event, mg/cm² per mg/L
  if (c.ORGANIC == 1 && p.tevent < c.TSTAR)
    da = std::sqrt(p.tevent * 6 * c.TAU / 3.1415926) * 2 * c.KPW / 1000;
  else if (c.ORGANIC == 1 && p.tevent >= c.TSTAR)
    da = p.tevent / (1 + c.BUNGE) * c.KPW / 1000;
  else
    da = p.tevent * c.KPW / 1000;

  const double ec = p.duration * 350 * p.area / (p.bodyweight * kCancerAveragingDays);
  const HalfSlots cancer{s.R, s.CC, &s.WC};
  if (Failure f = cancer_half(c.CSFO, cancer, [&]() -> Failure {
        s.WC = wu.WU_RISKFACT / c.CSFO / ec / da;
        if (Failure failed = allowable_tclp(c, dafs, 1, s.WC, s.CC)) return failed;
        s.R = c.CSFO * ec * (c.TCLPCONC / dafs.well.DAF_CAR * da);
        return {};
      }))
    return f;
  const double en = p.duration * 350 * p.area / (p.bodyweight * 365 * p.averaging);
  if (Failure f = noncancer_half(c.ORDO, HalfSlots{s.H, s.CN, &s.WN}, cancer, [&]() -> Failure {
        s.WN = wu.WU_HQFACT * c.ORDO / en / da;
        if (Failure failed = allowable_tclp(c, dafs, 0, s.WN, s.CN)) return failed;
        s.H = c.TCLPCONC / dafs.well.DAF_NON * da * en / c.ORDO;
        return {};
      }))
    return f;
  return {};
}

// 1e3 × the intake-weighted sum of the three averages.
double inhaled(const IndoorAverages& a) {
  return 0.00792 * a.A1 + 0.0338 * a.A2 + 0.625 * a.A3;
}
double inhaled_per_cw(const IndoorAverages& a, double cw) {
  return 1e3 * (a.A1 / cw * 0.00792 + a.A2 / cw * 0.0338 + a.A3 / cw * 0.625);
}

bool inhalation_applies(const Chemical& c) {
  return c.HENRY > 0 && c.DIFFW > 0 && c.DIFFA > 0 && c.TCLPCONC > 0;
}

}  // namespace

Failure gwingestion(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                    ResultSlots& r) {
  if (c.CSFO > 0 || c.ORDO > 0) {
    const HalfSlots cancer{r.R_GWING, r.CC_GWING, &r.WC_GWING};
    if (Failure f = cancer_half(c.CSFO, cancer, [&]() -> Failure {
          const double fcw = drinking_fcw(c.CSFO);
          r.WC_GWING = wu.WU_RISKFACT / fcw;
          if (Failure failed = allowable_tclp(c, dafs, 1, r.WC_GWING, r.CC_GWING)) return failed;
          r.R_GWING = c.TCLPCONC / dafs.well.DAF_CAR * fcw;
          return {};
        }))
      return f;
    return noncancer_half(c.ORDO, HalfSlots{r.H_GWING, r.CN_GWING, &r.WN_GWING}, cancer,
                          [&]() -> Failure {
                            const double fnw = groundwater_fnw(c.ORDO);
                            r.WN_GWING = wu.WU_HQFACT / fnw;
                            if (Failure f = allowable_tclp(c, dafs, 0, r.WN_GWING, r.CN_GWING))
                              return f;
                            r.H_GWING = c.TCLPCONC / dafs.well.DAF_NON * fnw;
                            return {};
                          });
  } else if (is_cas(c.CHEMCAS, kLeadCas)) {
    // Lead: a fixed allowable well concentration of 0.015 mg/L.
    r.WN_GWING = 0.015;
    return allowable_tclp(c, dafs, 0, 0.015, r.CN_GWING);
  }
  return {};
}

Failure gwdermal(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                 ResultSlots& r) {
  if ((c.CSFO > 0 || c.ORDO > 0) && c.KPW > 0) {
    if (Failure f = dermal_receptor(wu, c, dafs, kAdult,
                                    DermalSlots{r.R_GWDERM_A, r.CC_GWDERM_A, r.WC_GWDERM_A,
                                                r.H_GWDERM_A, r.CN_GWDERM_A, r.WN_GWDERM_A}))
      return f;
    return dermal_receptor(wu, c, dafs, kChild,
                           DermalSlots{r.R_GWDERM_C, r.CC_GWDERM_C, r.WC_GWDERM_C, r.H_GWDERM_C,
                                       r.CN_GWDERM_C, r.WN_GWDERM_C});
  }
  r.R_GWDERM_A = r.H_GWDERM_A = r.R_GWDERM_C = r.H_GWDERM_C = 0;
  r.CC_GWDERM_A = r.CN_GWDERM_A = r.WC_GWDERM_A = r.WN_GWDERM_A = NOT_COMPUTED;
  r.CC_GWDERM_C = r.CN_GWDERM_C = r.WC_GWDERM_C = r.WN_GWDERM_C = NOT_COMPUTED;
  return {};
}

IndoorNeeds gwinhalation_needs(const Chemical& c, const WellDafs& well) {
  IndoorNeeds needs;
  if (!inhalation_applies(c)) return needs;
  const double hd = c.HENRY / 0.0244658;
  // The model runs once per distinct well concentration.
  if (c.CSFI > 0) {
    needs.cancer = needs.count;
    needs.inputs[needs.count++] = IndoorInputs{hd, c.DIFFW, c.DIFFA, c.TCLPCONC / well.DAF_CAR};
  }
  if (c.ORDI > 0) {
    const double cw = c.TCLPCONC / well.DAF_NON;
    const bool same = needs.count == 1 && cw == needs.inputs[0].Cw &&
                      std::signbit(cw) == std::signbit(needs.inputs[0].Cw);
    if (same) {
      needs.noncancer = 0;
    } else {
      needs.noncancer = needs.count;
      needs.inputs[needs.count++] = IndoorInputs{hd, c.DIFFW, c.DIFFA, cw};
    }
  }
  return needs;
}

Failure gwinhalation(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                     const IndoorNeeds& needs, const IndoorAverages* averages, ResultSlots& r) {
  if (!inhalation_applies(c)) {
    r.R_GWINH = r.H_GWINH = 0;
    r.CC_GWINH = r.CN_GWINH = r.WC_GWINH = r.WN_GWINH = NOT_COMPUTED;
    return {};
  }
  const HalfSlots cancer{r.R_GWINH, r.CC_GWINH, &r.WC_GWINH};
  if (Failure f = cancer_half(c.CSFI, cancer, [&]() -> Failure {
        const double fci = inhalation_fci(c.CSFI);
        const double cw = needs.inputs[needs.cancer].Cw;
        const IndoorAverages& avg = averages[needs.cancer];
        const double k = inhaled_per_cw(avg, cw);
        r.WC_GWINH = wu.WU_RISKFACT / fci / k;
        if (Failure failed = allowable_tclp(c, dafs, 1, r.WC_GWINH, r.CC_GWINH)) return failed;
        r.R_GWINH = 1e3 * fci * inhaled(avg);
        return {};
      }))
    return f;
  return noncancer_half(c.ORDI, HalfSlots{r.H_GWINH, r.CN_GWINH, &r.WN_GWINH}, cancer,
                        [&]() -> Failure {
                          const double fni = indoor_fni(c.ORDI);
                          const double cw = c.TCLPCONC / dafs.well.DAF_NON;
                          const IndoorAverages& avg = averages[needs.noncancer];
                          const double k = inhaled_per_cw(avg, cw);
                          r.WN_GWINH = wu.WU_HQFACT / fni / k;
                          if (Failure f = allowable_tclp(c, dafs, 0, r.WN_GWINH, r.CN_GWINH))
                            return f;
                          r.H_GWINH = 1e3 * fni * inhaled(avg);
                          return {};
                        });
}

Failure gwinhalation(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                     ResultSlots& r) {
  const IndoorNeeds needs = gwinhalation_needs(c, dafs.well);
  IndoorAverages averages[2]{};
  for (int k = 0; k < needs.count; ++k) averages[k] = indoorair(needs.inputs[k]);
  return gwinhalation(wu, c, dafs, needs, averages, r);
}

}  // namespace vorn
