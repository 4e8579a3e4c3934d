// What a run ended with: its status, message, the text it wrote for standard output and
// error, and every value of a completed run. A value: the run produces it, the exports and
// drivers read it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vorn/results.hpp"

namespace vorn {

namespace chemicals {
struct RunSources;  // chemicals/run_sources.hpp
}

enum class Status {
  completed,          // the three files are written
  input_missing,      // VORN.IN cannot be opened
  stopped,            // a check stopped the run; its message is in VORN.DBG (or VORN.OUT)
  fatal_input_error,  // VORN.IN cannot be read, or an output file cannot be created
};

// The program's exit status for a run's status: 0 completed, 1 input missing, 2 stopped, 3
// fatal input error.
int exit_status(Status status);

struct Outcome {
  Status status = Status::completed;
  // The stop's message lines, or the one line of a fatal error or missing input.
  std::vector<std::string> message;
  // For a stop: the file that holds its message ("VORN.DBG" or "VORN.OUT").
  std::string message_file;
  // The message in plain words with its likely cause, where the input shows one: the
  // program's own message on standard error, in the JSON and on the page. `message` stays
  // the log's line.
  std::vector<std::string> explanation;
  // What the run read but could not use as given (a NaN value, a chemical without DAF rows),
  // one sentence each.
  std::vector<std::string> warnings;
  // What the run wrote for standard output and standard error.
  std::string stdout_text;
  std::string stderr_text;
  // Every value of the run, when it completed.
  std::shared_ptr<const Results> results;
  // The sources of the chemicals' values, when a sources.csv lay beside the VORN.IN and the
  // chemicals were read (with the reason instead when it could not be used).
  std::shared_ptr<const chemicals::RunSources> sources;

  int exit_status() const { return vorn::exit_status(status); }
  // Whether the run wrote VORN.OUT: it completed, or stopped while writing it. Otherwise an
  // older VORN.OUT in the directory is left as it was.
  bool wrote_report() const {
    return status == Status::completed || (status == Status::stopped && message_file == "VORN.OUT");
  }
};

}  // namespace vorn
