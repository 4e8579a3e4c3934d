// C++ entry: one assessment run that returns its outcome instead of ending the process.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorn/results.hpp"

namespace vorn {

enum class Status {
  completed,          // the three files are written
  input_missing,      // VORN.IN cannot be opened
  stopped,            // a check stopped the run; its message is in VORN.DBG (or VORN.OUT)
  fatal_input_error,  // VORN.IN cannot be read, or an output file cannot be created
};

struct Outcome {
  Status status = Status::completed;
  // The stop's message lines, or the one line of a fatal error or missing input.
  std::vector<std::string> message;
  // For a stop: the file that holds its message ("VORN.DBG" or "VORN.OUT").
  std::string message_file;
  // What the run wrote for standard output and standard error.
  std::string stdout_text;
  std::string stderr_text;
  // Every value of the run, when it completed.
  std::shared_ptr<const Results> results;

  // 0 completed, 1 input missing, 2 stopped, 3 fatal input error.
  int exit_status() const;
};

// One run on DIR/VORN.IN, writing DIR/VORN.DBG and DIR/VORN.OUT. Safe to call
// from several threads at once on different directories.
Outcome run(const std::filesystem::path& dir);

// The same run on files held in memory.
struct MemoryFiles {
  std::optional<std::string> input;   // VORN.IN; nothing when it is missing
  std::string debug;                  // VORN.DBG as written
  std::optional<std::string> report;  // VORN.OUT, when the run opened it
};
Outcome run(MemoryFiles& files);

// The run on DIR/VORN.IN with VORN.DBG and VORN.OUT kept in `files` (and the bytes read in
// files.input): nothing is written, and the outcome is the one run(dir) gives.
Outcome run(const std::filesystem::path& dir, MemoryFiles& files);

}  // namespace vorn
