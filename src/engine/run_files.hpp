// The files of one run, as the run driver sees them.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "engine/units.hpp"

namespace vorn {

class RunFiles {
 public:
  virtual ~RunFiles() = default;
  // The bytes of VORN.IN, or nothing when it cannot be opened (the reason in `why`).
  virtual std::optional<std::string> open_input(std::string& why) = 0;
  // Create or rewrite VORN.DBG / VORN.OUT; a failure throws FatalInputError.
  virtual Sink& open_debug() = 0;
  virtual Sink& open_report() = 0;
  virtual void close_report() {}
  virtual void close_debug() {}
  virtual Sink& out() = 0;
  virtual Sink& err() = 0;
};

// A file created or rewritten from the start, written as bytes.
class FileSink : public Sink {
 public:
  // Throws FatalInputError naming unit and file when it cannot be created.
  FileSink(const std::string& path, int unit, const char* name);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;
  void write(std::string_view bytes) override;
  void close();

 private:
  std::FILE* file_ = nullptr;
};

// Reads a whole file; false (with the reason) when it cannot be opened or read.
bool read_file(const std::string& path, std::string& bytes, std::string& why);

}  // namespace vorn
