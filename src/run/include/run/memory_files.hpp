// Run files held in memory, for the C++ entry.
#pragma once

#include "run/run_files.hpp"
#include "vorn/memory_files.hpp"

namespace vorn {

class MemoryRunFiles : public RunFiles {
 public:
  explicit MemoryRunFiles(MemoryFiles& files) : files_(files) {}
  std::optional<std::string> open_input(std::string& why) override;
  std::optional<SourcesFile> open_sources() override;
  Sink& open_debug() override;
  Sink& open_report() override;
  void close_report() override;
  void close_debug() override;
  Sink& out() override { return out_; }
  Sink& err() override { return err_; }

  StringSink out_, err_;

 private:
  MemoryFiles& files_;
  StringSink debug_, report_;
  bool report_open_ = false;
};

}  // namespace vorn
