// Destinations of text lines, and the line terminator of this platform.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// The files a run writes end their lines as the platform does.
#ifdef _WIN32
inline constexpr std::string_view kPlatformLineEnd = "\r\n";
#else
inline constexpr std::string_view kPlatformLineEnd = "\n";
#endif

// Destination of text lines; the bytes are written as given.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void write(std::string_view bytes) = 0;
};

class StringSink : public Sink {
 public:
  void write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

// Writes one line followed by the platform's line terminator.
void write_line(Sink& sink, std::string_view text);

}  // namespace vorn
