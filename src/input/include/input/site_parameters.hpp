// The eight site and waste-unit parameters at the top of VORN.IN.
#pragma once

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "vorn/records.hpp"

namespace vorn {

// Reads, checks and echoes the parameters; stops on a bad unit type, volume, volume
// unit or active life. The unit type comes back in capitals.
WasteUnit readsiteparameters(InputFile& in, const LogUnit& debug);

}  // namespace vorn
