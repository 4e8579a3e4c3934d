// The records of VORN.IN as read, without running the model on them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "input/daf_table.hpp"
#include "vorn/records.hpp"

namespace vorn {

struct InputRecords {
  WasteUnit unit;                   // the eight site parameters; nothing derived
  std::vector<Chemical> chemicals;  // nothing converted, replaced or floored
  std::unique_ptr<DafTable> daf = std::make_unique<DafTable>();
};

// Reads the three sections as a run reads them, with their checks: a value that cannot be
// read throws FatalInputError, a check that stops the run throws RunStop (core/run_error.hpp).
// The echo a run writes to VORN.DBG is dropped.
InputRecords read_input_records(std::string bytes);

}  // namespace vorn
