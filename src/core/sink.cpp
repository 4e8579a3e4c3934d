#include "core/sink.hpp"

namespace vorn {

void write_line(Sink& sink, std::string_view text) {
  sink.write(text);
  sink.write(kPlatformLineEnd);
}

}  // namespace vorn
