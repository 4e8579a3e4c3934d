// Run files in a directory: VORN.IN, VORN.DBG and VORN.OUT by name.
#pragma once

#include <memory>
#include <string>

#include "core/output_file.hpp"
#include "run/run_files.hpp"

namespace vorn {

class DirectoryFiles : public RunFiles {
 public:
  // `prefix` is prepended to the file names ("" for the current directory).
  DirectoryFiles(std::string prefix, Sink& out, Sink& err)
      : prefix_(std::move(prefix)), out_(out), err_(err) {}

  std::optional<std::string> open_input(std::string& why) override;
  std::optional<SourcesFile> open_sources() override;
  Sink& open_debug() override;
  Sink& open_report() override;
  void close_report() override;
  void close_debug() override;
  Sink& out() override { return out_; }
  Sink& err() override { return err_; }

 private:
  std::string prefix_;
  Sink& out_;
  Sink& err_;
  std::unique_ptr<FileSink> debug_;
  std::unique_ptr<FileSink> report_;
};

}  // namespace vorn
