// The eight site and waste-unit parameters at the top of VORN.IN.
#pragma once

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "vorn/records.hpp"

namespace vorn {

// Reads, checks and echoes the parameters; stops on a bad unit type, volume, volume
// unit or active life. The unit type comes back in capitals.
WasteUnit readsiteparameters(InputFile& in, const LogUnit& debug);

// Calls f(name, field) for the eight parameters in the order VORN.IN gives them; `Unit` is
// WasteUnit or const WasteUnit.
template <typename Unit, typename F>
void for_each_site_parameter(Unit& unit, F&& f) {
  f("WU_SITEKEY", unit.WU_SITEKEY);
  f("WU_WMUTYPE", unit.WU_WMUTYPE);
  f("WU_RISKFACT", unit.WU_RISKFACT);
  f("WU_HQFACT", unit.WU_HQFACT);
  f("WU_WASTEVOL", unit.WU_WASTEVOL);
  f("WU_VOLUNIT", unit.WU_VOLUNIT);
  f("WU_ACTLIFE", unit.WU_ACTLIFE);
  f("WU_SIFLOW", unit.WU_SIFLOW);
}

}  // namespace vorn
