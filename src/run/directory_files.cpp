#include "run/directory_files.hpp"

#include <filesystem>
#include <system_error>

namespace vorn {

std::optional<std::string> DirectoryFiles::open_input(std::string& why) {
  std::string bytes;
  const std::string path = prefix_ + "VORN.IN";
  if (!read_file(path, bytes, why)) {
    why = path + ": " + why;
    return std::nullopt;
  }
  return bytes;
}

std::optional<SourcesFile> DirectoryFiles::open_sources() {
  SourcesFile file{prefix_ + "sources.csv", std::nullopt, {}};
  std::error_code ec;
  if (!std::filesystem::exists(file.name, ec) && !ec) return std::nullopt;
  std::string bytes;
  if (read_file(file.name, bytes, file.why)) file.bytes = std::move(bytes);
  return file;
}

Sink& DirectoryFiles::open_debug() {
  debug_ = std::make_unique<FileSink>(prefix_ + "VORN.DBG", 7, "VORN.DBG");
  return *debug_;
}

Sink& DirectoryFiles::open_report() {
  report_ = std::make_unique<FileSink>(prefix_ + "VORN.OUT", 6, "VORN.OUT");
  return *report_;
}

void DirectoryFiles::close_report() {
  if (report_) report_->close();
}

void DirectoryFiles::close_debug() {
  if (debug_) debug_->close();
}

}  // namespace vorn
