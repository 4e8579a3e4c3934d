#include "input/site_parameters.hpp"

#include "core/free_form.hpp"
#include "input/input_findings.hpp"
#include "input/unit_checks.hpp"

namespace vorn {
namespace {

// "lf", "Lf", ... as "LF".
std::string upper_pair(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

WasteUnit readsiteparameters(InputFile& in, const LogUnit& debug) {
  WasteUnit wu;
  read_free(in, {Item::integer(wu.WU_SITEKEY)});
  debug.log(LogLine() << "SITEKEY= " << wu.WU_SITEKEY);

  std::string type = "  ";
  read_free(in, {Item::text(type, 2)});
  if (Failure f = check_unit_type(type)) debug.stop(f);
  wu.WU_WMUTYPE = upper_pair(type);
  debug.log(LogLine() << "WMUTYPE= " << wu.WU_WMUTYPE);

  read_free(in, {Item::real(wu.WU_RISKFACT)});
  debug.log(risk_target_finding(wu.WU_RISKFACT).lines.front());
  read_free(in, {Item::real(wu.WU_HQFACT)});
  debug.log(hq_target_finding(wu.WU_HQFACT).lines.front());

  read_free(in, {Item::real(wu.WU_WASTEVOL)});
  if (Failure f = check_waste_volume(wu.WU_WASTEVOL)) debug.stop(f);
  debug.log(LogLine() << "WASTEVOL= " << wu.WU_WASTEVOL);

  std::int32_t volunit = 0;
  read_free(in, {Item::integer(volunit)});
  if (Failure f = check_volume_unit(volunit)) debug.stop(f);
  constexpr const char* kVolumeUnits[] = {"WASTE VOL.UNIT(0)= Cubic Yards",
                                          "WASTE VOL.UNIT(1)= Cubic Feet",
                                          "WASTE VOL.UNIT(2)= Cubic Meters"};
  debug.log(LogLine() << kVolumeUnits[volunit]);
  wu.WU_VOLUNIT = static_cast<std::int16_t>(volunit);

  read_free(in, {Item::real(wu.WU_ACTLIFE)});
  if (Failure f = check_active_life(wu.WU_ACTLIFE)) debug.stop(f);
  debug.log(LogLine() << "Active Life(years)= " << wu.WU_ACTLIFE);

  read_free(in, {Item::real(wu.WU_SIFLOW)});
  debug.log(LogLine() << "SI Flowrate(cbm/yr)= " << wu.WU_SIFLOW);
  return wu;
}

}  // namespace vorn
