// Unit numbers of the run's files and the sinks behind them.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

inline constexpr int kInputUnit = 1;
inline constexpr int kReportUnit = 6;
inline constexpr int kDebugUnit = 7;
inline constexpr int kStdoutUnit = -1;

#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
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

// Maps the unit numbers that phases receive to the sinks of this run.
class Units {
 public:
  Sink* debug = nullptr;
  Sink* report = nullptr;
  Sink* out = nullptr;
  Sink& unit(int u) const;
};

// Writes one line followed by the line terminator.
void write_line(Sink& sink, std::string_view text);
void write_line(const Units& units, int unit, std::string_view text);

}  // namespace vorn
