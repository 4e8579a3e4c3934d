// The files of one run, as the run driver sees them.
#pragma once

#include <optional>
#include <string>

#include "core/sink.hpp"

namespace vorn {

// sources.csv as a run finds it beside its VORN.IN.
struct SourcesFile {
  std::string name;                  // as messages name it
  std::optional<std::string> bytes;  // nothing when it cannot be read
  std::string why;                   // why it cannot be read
};

class RunFiles {
 public:
  virtual ~RunFiles() = default;
  // The bytes of VORN.IN, or nothing when it cannot be opened (the reason in `why`).
  virtual std::optional<std::string> open_input(std::string& why) = 0;
  // sources.csv, or nothing when there is none.
  virtual std::optional<SourcesFile> open_sources() { return std::nullopt; }
  // Create or rewrite VORN.DBG / VORN.OUT; a failure throws FileCreateError.
  virtual Sink& open_debug() = 0;
  virtual Sink& open_report() = 0;
  virtual void close_report() {}
  virtual void close_debug() {}
  virtual Sink& out() = 0;
  virtual Sink& err() = 0;
};

}  // namespace vorn
