// The files of a run held in memory.
#pragma once

#include <optional>
#include <string>

namespace vorn {

struct MemoryFiles {
  std::optional<std::string> input;   // VORN.IN; nothing when it is missing
  std::string debug;                  // VORN.DBG as written
  std::optional<std::string> report;  // VORN.OUT, when the run opened it
  // sources.csv, the sources of a filled VORN.IN's values; nothing when there is none
  std::optional<std::string> sources;
};

}  // namespace vorn
