#include "input/chemical_derivation.hpp"

namespace vorn {

Failure check_organic(const Chemical& c) {
  return c.ORGANIC == 0 || c.ORGANIC == 1 ? Failure{}
                                          : Failure::of(FailureKind::organic_flag, c.ORGANIC);
}

Failure derive_chemical(Chemical& c) {
  if (Failure f = check_organic(c)) return f;
  const char t = c.CARCTYPE.empty() ? ' ' : c.CARCTYPE[0];
  c.CARCTYPE.assign(1, (t == 'C' || t == 'c') ? 'C' : 'N');
  if (c.ECOCHRON < 0.0) c.ECOCHRON = 0.0;
  if (c.ORDI > 0.0) c.ORDI = inhalation_dose(c.ORDI);
  if (c.TCLPCONC <= 0.0) c.TCLPCONC = kConcentrationFloor;
  if (c.TOTC <= 0.0) c.TOTC = kConcentrationFloor;
  return {};
}

}  // namespace vorn
