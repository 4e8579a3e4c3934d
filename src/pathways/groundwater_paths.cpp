#include "pathways/groundwater_paths.hpp"

#include <cmath>

#include "groundwater/daf_interpolation.hpp"
#include "pathways/indoor_air.hpp"
#include "pathways/cas_numbers.hpp"

namespace vorn {
namespace {

// Allowable leachate concentration for allowable well concentration W.
double allowable_tclp(RunState& rs, int dbgUnit, int& i, int selector, double W) {
  double D = 0.0;
  dafbackward(rs, dbgUnit, i, selector, W, D);
  return D * W;
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

void dermal_receptor(RunState& rs, int dbgUnit, int& i, const Receptor& p, DermalSlots s) {
  const Chemical& c = rs.chem(i);
  const WasteUnit& wu = rs.wu;
  double DA;
  if (c.ORGANIC == 1 && p.tevent < c.TSTAR)
    DA = std::sqrt(p.tevent * 6 * c.TAU / 3.1415926) * 2 * c.KPW / 1000;
  else if (c.ORGANIC == 1 && p.tevent >= c.TSTAR)
    DA = p.tevent / (1 + c.BUNGE) * c.KPW / 1000;
  else
    DA = p.tevent * c.KPW / 1000;

  const double EC = p.duration * 350 * p.area / (p.bodyweight * 27375);
  if (c.CSFO > 0) {
    s.WC = wu.WU_RISKFACT / c.CSFO / EC / DA;
    s.CC = allowable_tclp(rs, dbgUnit, i, 1, s.WC);
    s.R = c.CSFO * EC * (c.TCLPCONC / rs.DAF_CAR * DA);
  } else if (c.CSFO == 0) {
    s.WC = s.CC = NOT_COMPUTED;
    s.R = 0;
  } else {
    s.R = 0;
    s.CC = 0;
    s.WC = 0;
  }
  const double EN = p.duration * 350 * p.area / (p.bodyweight * 365 * p.averaging);
  if (c.ORDO > 0) {
    s.WN = wu.WU_HQFACT * c.ORDO / EN / DA;
    s.CN = allowable_tclp(rs, dbgUnit, i, 0, s.WN);
    s.H = c.TCLPCONC / rs.DAF_NON * DA * EN / c.ORDO;
  } else if (c.ORDO == 0) {
    s.WN = s.CN = NOT_COMPUTED;
    s.H = 0;
  } else {
    s.H = 0;
    s.WN = s.WC;
    s.CN = s.CC;
  }
}

// 1e3 × the intake-weighted sum of the three averages.
double inhaled(const IndoorAverages& a) {
  return 0.00792 * a.A1 + 0.0338 * a.A2 + 0.625 * a.A3;
}
double inhaled_per_cw(const IndoorAverages& a, double Cw) {
  return 1e3 * (a.A1 / Cw * 0.00792 + a.A2 / Cw * 0.0338 + a.A3 / Cw * 0.625);
}

}  // namespace

void gwingestion(RunState& rs, int dbgUnit, int& i) {
  const Chemical& c = rs.chem(i);
  const WasteUnit& wu = rs.wu;
  ResultSlots& r = rs.res(i);
  if (c.CSFO > 0 || c.ORDO > 0) {
    if (c.CSFO > 0) {
      const double FCW = 374.5 * c.CSFO / 27375;
      r.WC_GWING = wu.WU_RISKFACT / FCW;
      r.CC_GWING = allowable_tclp(rs, dbgUnit, i, 1, r.WC_GWING);
      r.R_GWING = c.TCLPCONC / rs.DAF_CAR * FCW;
    } else if (c.CSFO == 0) {
      r.WC_GWING = r.CC_GWING = NOT_COMPUTED;
      r.R_GWING = 0;
    } else {
      r.R_GWING = 0;
      r.CC_GWING = 0;
      r.WC_GWING = 0;
    }
    if (c.ORDO > 0) {
      const double FNW = 21000 / (788400 * c.ORDO);
      r.WN_GWING = wu.WU_HQFACT / FNW;
      r.CN_GWING = allowable_tclp(rs, dbgUnit, i, 0, r.WN_GWING);
      r.H_GWING = c.TCLPCONC / rs.DAF_NON * FNW;
    } else if (c.ORDO == 0) {
      r.WN_GWING = r.CN_GWING = NOT_COMPUTED;
      r.H_GWING = 0;
    } else {
      r.H_GWING = 0;
      r.WN_GWING = r.WC_GWING;
      r.CN_GWING = r.CC_GWING;
    }
  } else if (is_cas(c.CHEMCAS, kLeadCas)) {
    // Lead: a fixed allowable well concentration of 0.015 mg/L.
    r.WN_GWING = 0.015;
    r.CN_GWING = allowable_tclp(rs, dbgUnit, i, 0, 0.015);
  }
}

void gwdermal(RunState& rs, int dbgUnit, int& i) {
  const Chemical& c = rs.chem(i);
  ResultSlots& r = rs.res(i);
  if ((c.CSFO > 0 || c.ORDO > 0) && c.KPW > 0) {
    dermal_receptor(rs, dbgUnit, i, kAdult,
                    DermalSlots{r.R_GWDERM_A, r.CC_GWDERM_A, r.WC_GWDERM_A, r.H_GWDERM_A,
                                r.CN_GWDERM_A, r.WN_GWDERM_A});
    dermal_receptor(rs, dbgUnit, i, kChild,
                    DermalSlots{r.R_GWDERM_C, r.CC_GWDERM_C, r.WC_GWDERM_C, r.H_GWDERM_C,
                                r.CN_GWDERM_C, r.WN_GWDERM_C});
    return;
  }
  r.R_GWDERM_A = r.H_GWDERM_A = r.R_GWDERM_C = r.H_GWDERM_C = 0;
  r.CC_GWDERM_A = r.CN_GWDERM_A = r.WC_GWDERM_A = r.WN_GWDERM_A = NOT_COMPUTED;
  r.CC_GWDERM_C = r.CN_GWDERM_C = r.WC_GWDERM_C = r.WN_GWDERM_C = NOT_COMPUTED;
}

void gwinhalation(RunState& rs, int dbgUnit, int& i) {
  const Chemical& c = rs.chem(i);
  const WasteUnit& wu = rs.wu;
  ResultSlots& r = rs.res(i);
  if (!(c.HENRY > 0 && c.DIFFW > 0 && c.DIFFA > 0 && c.TCLPCONC > 0)) {
    r.R_GWINH = r.H_GWINH = 0;
    r.CC_GWINH = r.CN_GWINH = r.WC_GWINH = r.WN_GWINH = NOT_COMPUTED;
    return;
  }
  const double Hd = c.HENRY / 0.0244658;
  // The model runs once per distinct well concentration.
  bool have_model = false;
  double model_cw = 0.0;
  IndoorAverages a{};
  auto model = [&](double Cw) {
    if (!have_model || !(Cw == model_cw) || std::signbit(Cw) != std::signbit(model_cw)) {
      a = indoorair(Hd, c.DIFFW, c.DIFFA, Cw);
      model_cw = Cw;
      have_model = true;
    }
    return a;
  };

  if (c.CSFI > 0) {
    const double FCI = 3733.3345 * c.CSFI / 27375;
    const double Cw = c.TCLPCONC / rs.DAF_CAR;
    const IndoorAverages avg = model(Cw);
    const double K = inhaled_per_cw(avg, Cw);
    r.WC_GWINH = wu.WU_RISKFACT / FCI / K;
    r.CC_GWINH = allowable_tclp(rs, dbgUnit, i, 1, r.WC_GWINH);
    r.R_GWINH = 1e3 * FCI * inhaled(avg);
  } else if (c.CSFI == 0) {
    r.WC_GWINH = r.CC_GWINH = NOT_COMPUTED;
    r.R_GWINH = 0;
  } else {
    r.R_GWINH = 0;
    r.CC_GWINH = 0;
    r.WC_GWINH = 0;
  }
  if (c.ORDI > 0) {
    const double FNI = 2.1e5 / (788400 * c.ORDI);
    const double Cw = c.TCLPCONC / rs.DAF_NON;
    const IndoorAverages avg = model(Cw);
    const double K = inhaled_per_cw(avg, Cw);
    r.WN_GWINH = wu.WU_HQFACT / FNI / K;
    r.CN_GWINH = allowable_tclp(rs, dbgUnit, i, 0, r.WN_GWINH);
    r.H_GWINH = 1e3 * FNI * inhaled(avg);
  } else if (c.ORDI == 0) {
    r.WN_GWINH = r.CN_GWINH = NOT_COMPUTED;
    r.H_GWINH = 0;
  } else {
    r.H_GWINH = 0;
    r.WN_GWINH = r.WC_GWINH;
    r.CN_GWINH = r.CC_GWINH;
  }
}

void groundwaterpaths(RunState& rs, int dbgUnit, int& i) {
  if (is_cas(rs.chem(i).CHEMCAS, kMethylmercuryCas)) return;
  dafforward(rs, dbgUnit, i);
  gwingestion(rs, dbgUnit, i);
  gwdermal(rs, dbgUnit, i);
  gwinhalation(rs, dbgUnit, i);
}

}  // namespace vorn
