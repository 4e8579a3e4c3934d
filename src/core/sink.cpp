#include "core/sink.hpp"

namespace vorn {

void write_line(Sink& sink, std::string_view text) {
  std::string line;
  line.reserve(text.size() + kPlatformLineEnd.size());
  line.append(text);
  line.append(kPlatformLineEnd);
  sink.write(line);
}

}  // namespace vorn
