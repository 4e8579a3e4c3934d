// Writing log lines on a unit of the run, and stopping the run with a message.
#pragma once

#include <initializer_list>

#include "engine/log_line.hpp"
#include "engine/run_state.hpp"

namespace vorn {

void log(const RunState& rs, int unit, const LogLine& line);

// Writes the lines on `unit`, then ends the run with a stop.
[[noreturn]] void stop_run(const RunState& rs, int unit, std::initializer_list<LogLine> lines);

}  // namespace vorn
