#include "groundwater/daf_curve.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/text.hpp"
#include "groundwater/daf_scale.hpp"

namespace vorn {
namespace {

using DafKey = std::array<char, kDafKeyWidth>;

// Leading blanks removed, cut or padded to the 20-character key width.
DafKey daf_key(std::string_view cas) {
  DafKey key;
  key.fill(' ');
  const std::string_view cut = trim_leading(cas).substr(0, kDafKeyWidth);
  std::copy(cut.begin(), cut.end(), key.begin());
  return key;
}

// daf_key(cas) == key, without building the row's key: this runs for every table row.
bool has_key(std::string_view cas, std::string_view key) {
  const std::string_view cut = trim_leading(cas).substr(0, kDafKeyWidth);
  return key.compare(0, cut.size(), cut) == 0 &&
         key.find_first_not_of(' ', cut.size()) == std::string::npos;
}

constexpr double kFallbackConc = 1.0E6;  // mg/L

}  // namespace

DafRowMatch match_daf_rows(const DafTable& table, const Chemical& c) {
  DafRowMatch match;
  const DafKey key = daf_key(c.CHEMCAS);
  for (int j = 1; j <= table.NDAF; ++j) {
    if (!has_key(table.row(j).CHEMCAS, std::string_view(key.data(), key.size()))) continue;
    if (match.count == kCurveCapacity) {
      match.overflow = true;
      break;
    }
    match.rows[static_cast<std::size_t>(match.count++)] = static_cast<std::int16_t>(j);
    if (c.ORGANIC == 1) break;  // an organic chemical takes its first row only
  }
  return match;
}

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
