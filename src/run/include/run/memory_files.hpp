// Run files held in memory, for the C++ entry.
#pragma once

#include <string>
#include <string_view>

#include "run/run_files.hpp"
#include "vorn/memory_files.hpp"

namespace vorn {

// VORN.DBG and VORN.OUT are written straight into the caller's MemoryFiles, with room for
// what a run of that input mostly writes made once: no copy at the end, and no text moved
// as it grows.
class MemoryRunFiles : public RunFiles {
 public:
  explicit MemoryRunFiles(MemoryFiles& files) : files_(files) {}
  std::optional<std::string> open_input(std::string& why) override;
  std::optional<SourcesFile> open_sources() override;
  Sink& open_debug() override;
  Sink& open_report() override;
  Sink& out() override { return out_; }
  Sink& err() override { return err_; }

  StringSink out_, err_;

 private:
  class TextSink : public Sink {
   public:
    void write(std::string_view bytes) override { text->append(bytes); }
    std::string* text = nullptr;
  };
  // The bytes reserved for each of VORN.DBG and VORN.OUT.
  std::size_t expected_size() const;

  MemoryFiles& files_;
  TextSink debug_, report_;
};

}  // namespace vorn
