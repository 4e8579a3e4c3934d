#include "engine/units.hpp"

#include <stdexcept>

namespace vorn {

Sink& Units::unit(int u) const {
  Sink* s = nullptr;
  switch (u) {
    case kDebugUnit:
      s = debug;
      break;
    case kReportUnit:
      s = report;
      break;
    case kStdoutUnit:
      s = out;
      break;
    default:
      break;
  }
  if (s == nullptr) throw std::logic_error("unit " + std::to_string(u) + " is not open");
  return *s;
}

void write_line(Sink& sink, std::string_view text) {
  std::string line;
  line.reserve(text.size() + kLineEnd.size());
  line.append(text);
  line.append(kLineEnd);
  sink.write(line);
}

void write_line(const Units& units, int unit, std::string_view text) {
  write_line(units.unit(unit), text);
}

}  // namespace vorn
