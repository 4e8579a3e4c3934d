// The units of a run (VORN.IN, VORN.OUT, VORN.DBG by number) and writing log lines on them.
#pragma once

#include <initializer_list>
#include <vector>

#include "core/failure.hpp"
#include "core/log_line.hpp"
#include "core/sink.hpp"

namespace vorn {

inline constexpr int kInputUnit = 1;
inline constexpr int kReportUnit = 6;
inline constexpr int kDebugUnit = 7;

// An open unit: its number and the sink behind it.
class LogUnit {
 public:
  LogUnit(Sink& sink, int number) : sink_(&sink), number_(number) {}
  int number() const { return number_; }
  Sink& sink() const { return *sink_; }
  void log(const LogLine& line) const;
  // Writes the lines, then ends the run with a stop on this unit.
  [[noreturn]] void stop(std::initializer_list<LogLine> lines) const;
  [[noreturn]] void stop(const std::vector<LogLine>& lines) const;
  [[noreturn]] void stop(const Failure& failure) const { stop(failure_lines(failure)); }

 private:
  Sink* sink_;
  int number_;
};

}  // namespace vorn
