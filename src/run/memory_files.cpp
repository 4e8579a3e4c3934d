#include "run/memory_files.hpp"

namespace vorn {

std::optional<std::string> MemoryRunFiles::open_input(std::string& why) {
  if (!files_.input) why = "no input";
  return files_.input;
}

std::size_t MemoryRunFiles::expected_size() const {
  // The echo and the report of a run are mostly 4 to 8 times the size of its input.
  constexpr std::size_t kBytesPerInputByte = 8;
  return files_.input ? kBytesPerInputByte * files_.input->size() : 0;
}

std::optional<SourcesFile> MemoryRunFiles::open_sources() {
  if (!files_.sources) return std::nullopt;
  return SourcesFile{"sources.csv", files_.sources, {}};
}

Sink& MemoryRunFiles::open_debug() {
  files_.debug.clear();
  files_.debug.reserve(expected_size());
  debug_.text = &files_.debug;
  return debug_;
}

Sink& MemoryRunFiles::open_report() {
  files_.report.emplace().reserve(expected_size());
  report_.text = &*files_.report;
  return report_;
}

}  // namespace vorn
