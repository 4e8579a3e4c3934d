// Gathering one chemical's DAF curve from the table.
#pragma once

#include <array>
#include <cstdint>

#include "core/failure.hpp"
#include "groundwater/daf_rows.hpp"
#include "input/daf_table.hpp"
#include "vorn/records.hpp"

namespace vorn {

// A chemical's own DAF where it has no rows and its record holds none above 0: 15.1 and
// 3.18 held in single precision, widened.
inline constexpr double kDefaultDafLandfill = 15.100000381469727;
inline constexpr double kDefaultDafImpoundment = 3.180000066757202;

// Points of one chemical, 1-based in table order: leachate concentrations (mg/L), DAFs,
// and the well concentrations they give (DC_CONC / DAF).
struct DafCurve {
  std::int32_t DC_NPT = 0;
  std::array<double, kCurveCapacity> DC_CONC{}, DC_CAR{}, DC_NON{}, DC_WCAR{}, DC_WNON{};
};

// Fills `curve` for chemical i (its index in messages) from its rows, or a one-point
// curve from its own DAF, replacing an own DAF not above 0 in the record. Fails on a
// 51st row or a unit type other than LF or SI. `factor` multiplies every DAF of the curve
// (a probabilistic run's uncertainty on the DAFs); 1 leaves them as they are.
Failure getdafcurve(const WasteUnit& wu, const DafTable& table, const DafRowMatch& rows, int i,
                    Chemical& c, DafCurve& curve, double factor = 1.0);
// The same, finding the rows first.
Failure getdafcurve(const WasteUnit& wu, const DafTable& table, int i, Chemical& c,
                    DafCurve& curve);

}  // namespace vorn
