// The deterministic run, for the engine module.
#pragma once

#include <string>

#include "binding_values.hpp"

namespace vorn::web {

// runInput(Uint8Array, date, name) -> {status, exitStatus, message, stdout, stderr, report,
// log, json, csv, html}: report is VORN.OUT (null when the run did not open it), log
// VORN.DBG; csv is null unless the run completed, as the program writes no CSV file then.
// The page is stamped with `date` ("YYYY-MM-DD") and the stream's `name`, as `vorn DIR
// --html` stamps it with the date and DIR.
val run_input(const val& input, const std::string& date, const std::string& name);

}  // namespace vorn::web
