// Runs in memory and what Python keeps of each: status, message, texts and values as tables.
#pragma once

#include <string>

#include "value_table.hpp"

namespace vorn::python {

struct RunRecord {
  std::string status;  // the JSON export's word
  int exit_status = 0;
  std::string message;      // UTF-8, the lines joined by line feeds; empty after a completed run
  std::string report_text;  // VORN.OUT as the run wrote it (Latin-1), empty when not opened
  std::string log_text;     // VORN.DBG as the run wrote it (Latin-1)
  ValueTable unit;          // no columns unless completed
  ValueTable chemicals;     // the columns, and a row per chemical when completed
};

// The run on DIR/VORN.IN, where `given` is DIR or its VORN.IN; nothing is written.
RunRecord run_given_path(const std::string& given);
// The run on the bytes of a VORN.IN.
RunRecord run_input_bytes(const std::string& bytes);

}  // namespace vorn::python
