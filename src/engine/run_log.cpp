#include "engine/run_log.hpp"

#include "engine/run_error.hpp"

namespace vorn {

void log(const RunState& rs, int unit, const LogLine& line) {
  write_line(rs.units, unit, line.text());
}

void stop_run(const RunState& rs, int unit, std::initializer_list<LogLine> lines) {
  std::vector<std::string> texts;
  for (const LogLine& line : lines) {
    log(rs, unit, line);
    texts.emplace_back(trim_leading(line.text()));
  }
  throw RunStop(unit, std::move(texts));
}

}  // namespace vorn
