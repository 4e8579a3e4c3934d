#include "run/memory_files.hpp"

namespace vorn {

std::optional<std::string> MemoryRunFiles::open_input(std::string& why) {
  if (!files_.input) why = "no input";
  return files_.input;
}

std::optional<SourcesFile> MemoryRunFiles::open_sources() {
  if (!files_.sources) return std::nullopt;
  return SourcesFile{"sources.csv", files_.sources, {}};
}

Sink& MemoryRunFiles::open_debug() {
  files_.debug.clear();
  return debug_;
}

Sink& MemoryRunFiles::open_report() {
  report_open_ = true;
  return report_;
}

void MemoryRunFiles::close_report() {
  if (report_open_) files_.report = report_.text;
}

void MemoryRunFiles::close_debug() {
  files_.debug = debug_.text;
}

}  // namespace vorn
