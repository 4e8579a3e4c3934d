#include "input/unit_geometry.hpp"

#include <cmath>

// The formulas keep the order of their terms: results must agree to the last bit.
namespace vorn {

void landfillemissions(WasteUnit& wu) {
  const double s = std::sqrt(wu.WU_AREAV);
  const double o = wu.WU_AREAV * 0.019034322206391202;
  const double r =
      (wu.WU_ANNVOL * 1.42 / 3650 + 7.4) * 2 * s / 1000 * 0.6252084984635082 * 41.666666666666664;
  const double b = wu.WU_VOLYD3 * 3.8804936330289204 * 1.289 / (8760 * wu.WU_ACTLIFE);
  wu.WU_EMITP = o + r + b;
  wu.WU_EMITD = (o + o) + r / 0.36 * 0.8 + b / 0.36 * 0.73;
}

void landfillsurfacewater(WasteUnit& wu) {
  const double f = wu.WU_AREAAC * (90 * wu.WU_LSFAC * 907.185 * 0.27957 * 0.004109589);
  wu.WU_SWDFAC = f / 3.4E11;
  wu.WU_SWFAC = f / 3.3E9;
  wu.WU_SUSP = wu.WU_SWFAC * 1.0E6 + 10;
}

void unitgeometry(WasteUnit& wu) {
  // Cubic yards per cubic metre and cubic feet per cubic metre.
  constexpr double kYd3PerM3 = 1.30795062;
  constexpr double kFt3PerM3 = 35.31466657;
  switch (wu.WU_VOLUNIT) {
    case 0:
      wu.WU_VOLYD3 = wu.WU_WASTEVOL * wu.WU_ACTLIFE;
      wu.WU_VOLM3 = wu.WU_VOLYD3 / kYd3PerM3;
      break;
    case 1:
      wu.WU_VOLM3 = wu.WU_WASTEVOL * wu.WU_ACTLIFE / kFt3PerM3;
      wu.WU_VOLYD3 = wu.WU_VOLM3 * kYd3PerM3;
      break;
    default:
      wu.WU_VOLM3 = wu.WU_WASTEVOL * wu.WU_ACTLIFE;
      wu.WU_VOLYD3 = wu.WU_VOLM3 * kYd3PerM3;
      break;
  }
  wu.WU_ANNVOL = wu.WU_VOLYD3 / wu.WU_ACTLIFE;
  wu.WU_AREAAC = std::exp(std::log(wu.WU_VOLYD3) * 0.676889 - 5.95477);
  wu.WU_AREAM2 = 4046.873 * wu.WU_AREAAC;

  const bool landfill = wu.is_landfill();
  if (landfill) {
    wu.WU_SIFLOW = 0;
    wu.WU_LSFAC = std::sqrt(std::sqrt(43560.174 * wu.WU_AREAAC) / 145.2) * 0.45583274024669224;
    wu.WU_AREAV = wu.WU_AREAM2 * 0.004109589;
  } else {
    // 0.0972 held in single precision, widened.
    wu.WU_SIFLOW = 0.09719999879598618 * wu.WU_AREAM2;
    wu.WU_DIAM = std::sqrt(4.0 * wu.WU_AREAM2 / 3.1415926);
    wu.WU_FETCHD = std::sqrt(wu.WU_AREAM2) / (wu.WU_VOLM3 / wu.WU_AREAM2);
    wu.WU_RESTIME = wu.WU_VOLM3 * 365 / wu.WU_SIFLOW;
    wu.WU_AREAV = wu.WU_AREAM2;
  }

  const double s = std::sqrt(wu.WU_AREAV);
  const double h = 0.5 * s;
  const double x = h / 1000 + 0.3048;
  wu.WU_DISP1 = (std::pow(h / 68.26, 1.088139281828074) + x) * 1000;
  wu.WU_DISP2 = std::pow(x, 0.81066) * 32.093;

  if (landfill) {
    landfillemissions(wu);
    landfillsurfacewater(wu);
  }
}

}  // namespace vorn
