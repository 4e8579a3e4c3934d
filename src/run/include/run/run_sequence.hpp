// The phases of one run in their fixed order.
#pragma once

#include "run/run_files.hpp"
#include "vorn/outcome.hpp"

namespace vorn {

// One complete run on `files`: every stop and fatal error ends here, with the open files
// closed and the outcome returned. Never ends the process.
Outcome execute_run(RunFiles& files);

}  // namespace vorn
