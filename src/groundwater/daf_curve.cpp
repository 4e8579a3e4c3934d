#include "groundwater/daf_curve.hpp"

#include "engine/log_line.hpp"
#include "engine/run_log.hpp"
#include "groundwater/daf_scale.hpp"

namespace vorn {
namespace {

// Leading blanks removed, cut or padded to the 20-character key width.
std::string daf_key(std::string_view cas) {
  std::string key(trim_leading(cas).substr(0, kDafKeyWidth));
  key.resize(kDafKeyWidth, ' ');
  return key;
}

// daf_key(cas) == key, without building the row's key: this runs for every table row.
bool has_key(std::string_view cas, const std::string& key) {
  const std::string_view cut = trim_leading(cas).substr(0, kDafKeyWidth);
  return key.compare(0, cut.size(), cut) == 0 &&
         key.find_first_not_of(' ', cut.size()) == std::string::npos;
}

// 15.1 and 3.18 held in single precision, widened.
constexpr double kDefaultDafLandfill = 15.100000381469727;
constexpr double kDefaultDafImpoundment = 3.180000066757202;
constexpr double kFallbackConc = 1.0E6;

}  // namespace

void getdafcurve(RunState& rs, int unit, int& i) {
  DafCurve& curve = rs.curve;
  curve = DafCurve{};
  const bool landfill = rs.wu.is_landfill();
  if (!landfill && !rs.wu.is_impoundment()) stop_bad_unit_type(rs, unit);

  Chemical& c = rs.chem(i);
  const std::string key = daf_key(c.CHEMCAS);
  for (int j = 1; j <= rs.daf.NDAF; ++j) {
    const DafRow& row = rs.daf.row(j);
    if (!has_key(row.CHEMCAS, key)) continue;
    if (curve.DC_NPT == kCurveCapacity) {
      stop_run(rs, unit,
               {LogLine() << "Stop, Error: more than 50 DAF rows for chemical #"
                          << static_cast<std::int32_t>(i)});
    }
    const auto n = static_cast<std::size_t>(curve.DC_NPT);
    curve.DC_CONC[n] = landfill ? row.LFCONC : row.SICONC;
    curve.DC_CAR[n] = landfill ? row.LFCAR : row.SICAR;
    curve.DC_NON[n] = landfill ? row.LFNON : row.SINON;
    curve.DC_WCAR[n] = curve.DC_CONC[n] / curve.DC_CAR[n];
    curve.DC_WNON[n] = curve.DC_CONC[n] / curve.DC_NON[n];
    curve.DC_NPT = static_cast<std::int32_t>(n + 1);
    if (c.ORGANIC == 1) break;  // an organic chemical takes its first row only
  }
  if (curve.DC_NPT > 0) return;

  curve.DC_NPT = 1;
  curve.DC_CONC[0] = kFallbackConc;
  if (c.DAFLF <= 0.0) c.DAFLF = kDefaultDafLandfill;
  if (c.DAFSI <= 0.0) c.DAFSI = kDefaultDafImpoundment;
  const double d = landfill ? c.DAFLF : c.DAFSI;
  curve.DC_CAR[0] = curve.DC_NON[0] = d;
  curve.DC_WCAR[0] = curve.DC_WNON[0] = kFallbackConc / d;
}

}  // namespace vorn
