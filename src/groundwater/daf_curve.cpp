#include "groundwater/daf_curve.hpp"

#include "groundwater/daf_scale.hpp"

namespace vorn {
namespace {

constexpr double kFallbackConc = 1.0E6;  // mg/L

}  // namespace

Failure getdafcurve(const WasteUnit& wu, const DafTable& table, const DafRowMatch& rows, int i,
                    Chemical& c, DafCurve& curve, double factor) {
  curve = DafCurve{};
  if (Failure f = check_lookup_unit_type(wu)) return f;
  const bool landfill = wu.is_landfill();
  for (std::size_t n = 0; n < static_cast<std::size_t>(rows.count); ++n) {
    const DafRow& row = table.row(rows.rows[n]);
    curve.DC_CONC[n] = landfill ? row.LFCONC : row.SICONC;
    curve.DC_CAR[n] = (landfill ? row.LFCAR : row.SICAR) * factor;
    curve.DC_NON[n] = (landfill ? row.LFNON : row.SINON) * factor;
    curve.DC_WCAR[n] = curve.DC_CONC[n] / curve.DC_CAR[n];
    curve.DC_WNON[n] = curve.DC_CONC[n] / curve.DC_NON[n];
  }
  curve.DC_NPT = rows.count;
  if (rows.overflow) return Failure::of(FailureKind::too_many_daf_rows, i);
  if (curve.DC_NPT > 0) return {};

  curve.DC_NPT = 1;
  curve.DC_CONC[0] = kFallbackConc;
  if (c.DAFLF <= 0.0) c.DAFLF = kDefaultDafLandfill;
  if (c.DAFSI <= 0.0) c.DAFSI = kDefaultDafImpoundment;
  const double d = (landfill ? c.DAFLF : c.DAFSI) * factor;
  curve.DC_CAR[0] = curve.DC_NON[0] = d;
  curve.DC_WCAR[0] = curve.DC_WNON[0] = kFallbackConc / d;
  return {};
}

Failure getdafcurve(const WasteUnit& wu, const DafTable& table, int i, Chemical& c,
                    DafCurve& curve) {
  return getdafcurve(wu, table, match_daf_rows(table, c), i, c, curve);
}

}  // namespace vorn
