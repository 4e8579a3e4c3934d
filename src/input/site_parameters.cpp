#include "input/site_parameters.hpp"

#include "engine/free_form.hpp"
#include "engine/run_log.hpp"

namespace vorn {
namespace {

// "lf", "Lf", ... as "LF"; anything else unchanged.
std::string upper_pair(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

void readsiteparameters(RunState& rs, int /*inUnit*/, int dbgUnit) {
  WasteUnit& wu = rs.wu;
  InputFile& in = *rs.input;

  read_free(in, {Item::integer(wu.WU_SITEKEY)});
  log(rs, dbgUnit, LogLine() << "SITEKEY= " << wu.WU_SITEKEY);

  std::string type = "  ";
  read_free(in, {Item::text(type, 2)});
  const std::string upper = upper_pair(type);
  if (upper != "LF" && upper != "SI")
    stop_run(rs, dbgUnit, {LogLine() << "Stop, Error: WMUTYPE= " << type});
  wu.WU_WMUTYPE = upper;
  log(rs, dbgUnit, LogLine() << "WMUTYPE= " << wu.WU_WMUTYPE);

  // Range warnings only; a NaN is outside every range.
  read_free(in, {Item::real(wu.WU_RISKFACT)});
  if (wu.WU_RISKFACT >= 1.0e-6 && wu.WU_RISKFACT <= 1.0e-4)
    log(rs, dbgUnit, LogLine() << "RISKFACT= " << wu.WU_RISKFACT);
  else
    log(rs, dbgUnit, LogLine() << "Warning: User specified risk(1e-6~1e-4) is: " << wu.WU_RISKFACT);

  read_free(in, {Item::real(wu.WU_HQFACT)});
  if (wu.WU_HQFACT >= 0.1 && wu.WU_HQFACT <= 1.0)
    log(rs, dbgUnit, LogLine() << "HQFACT  = " << wu.WU_HQFACT);
  else
    log(rs, dbgUnit, LogLine() << "Warning: User specified HQ(0.1~1.0) is: " << wu.WU_HQFACT);

  read_free(in, {Item::real(wu.WU_WASTEVOL)});
  if (!(wu.WU_WASTEVOL > 0.0))
    stop_run(rs, dbgUnit, {LogLine() << "Stop, Error: Waste volume=" << wu.WU_WASTEVOL});
  log(rs, dbgUnit, LogLine() << "WASTEVOL= " << wu.WU_WASTEVOL);

  // Checked before it is narrowed to 16 bits, so 65536 cannot pass as 0.
  std::int32_t volunit = 0;
  read_free(in, {Item::integer(volunit)});
  switch (volunit) {
    case 0:
      log(rs, dbgUnit, LogLine() << "WASTE VOL.UNIT(0)= Cubic Yards");
      break;
    case 1:
      log(rs, dbgUnit, LogLine() << "WASTE VOL.UNIT(1)= Cubic Feet");
      break;
    case 2:
      log(rs, dbgUnit, LogLine() << "WASTE VOL.UNIT(2)= Cubic Meters");
      break;
    default:
      stop_run(rs, dbgUnit,
               {LogLine() << "Stop, Error: Illegal vol.unit=" << volunit,
                LogLine() << "0-Cubic Yards, 1-Cubic Feet, 2-Cubic Meters"});
  }
  wu.WU_VOLUNIT = static_cast<std::int16_t>(volunit);

  read_free(in, {Item::real(wu.WU_ACTLIFE)});
  if (!(wu.WU_ACTLIFE > 0.0))
    stop_run(rs, dbgUnit, {LogLine() << "Stop, Error: Active Life(years)=" << wu.WU_ACTLIFE});
  log(rs, dbgUnit, LogLine() << "Active Life(years)= " << wu.WU_ACTLIFE);

  read_free(in, {Item::real(wu.WU_SIFLOW)});
  log(rs, dbgUnit, LogLine() << "SI Flowrate(cbm/yr)= " << wu.WU_SIFLOW);
}

}  // namespace vorn
