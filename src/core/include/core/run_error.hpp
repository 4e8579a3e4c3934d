// The ways a run ends early; raised to the run driver, never handled deep in the core.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vorn {

// A stop of the run: its message lines are already on the unit that reported it.
class RunStop : public std::runtime_error {
 public:
  RunStop(int unit, std::vector<std::string> lines)
      : std::runtime_error(lines.empty() ? std::string("run stopped") : lines.front()),
        unit_(unit),
        lines_(std::move(lines)) {}
  // The unit that holds the message lines.
  int unit() const { return unit_; }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  int unit_;
  std::vector<std::string> lines_;
};

// An error that ends the run with one message line (exit status 3).
class FatalError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// VORN.IN cannot be read as the run needs it.
class FatalInputError : public FatalError {
 public:
  using FatalError::FatalError;
};

// An output file of the run cannot be created.
class FileCreateError : public FatalError {
 public:
  using FatalError::FatalError;
};

}  // namespace vorn
