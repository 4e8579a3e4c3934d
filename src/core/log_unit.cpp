#include "core/log_unit.hpp"

#include <string>

#include "core/run_error.hpp"
#include "core/text.hpp"

namespace vorn {
namespace {

template <class Lines>
[[noreturn]] void stop_with(const LogUnit& unit, const Lines& lines) {
  std::vector<std::string> texts;
  for (const LogLine& line : lines) {
    unit.log(line);
    texts.emplace_back(trim_leading(line.text()));
  }
  throw RunStop(unit.number(), std::move(texts));
}

}  // namespace

void LogUnit::log(const LogLine& line) const {
  write_line(*sink_, line.text());
}

void LogUnit::stop(std::initializer_list<LogLine> lines) const {
  stop_with(*this, lines);
}

void LogUnit::stop(const std::vector<LogLine>& lines) const {
  stop_with(*this, lines);
}

}  // namespace vorn
