// Log lines read back: every real written on a log line reads as the identical double, and
// a line of six reals and an integer reads back item for item through the free-form reader.
#include <cmath>
#include <cstring>
#include <exception>
#include <string>

#include "core/free_form.hpp"
#include "core/log_line.hpp"
#include "fuzz_check.hpp"

namespace {

bool identical(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

std::string bits(double v) {
  std::uint64_t u = 0;
  std::memcpy(&u, &v, sizeof u);
  return std::to_string(u);
}

constexpr std::size_t kReals = 6;

}  // namespace

// The first 48 bytes are six doubles and the next 4 an integer; missing bytes are zero.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vorn::test::fuzz_require;
  unsigned char bytes[kReals * 8 + 4] = {};
  std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
  double reals[kReals];
  std::memcpy(reals, bytes, sizeof reals);
  std::int32_t integer = 0;
  std::memcpy(&integer, bytes + sizeof reals, sizeof integer);

  vorn::LogLine line;
  for (double v : reals) {
    const std::string text = vorn::format_real(v);
    double back = 0;
    fuzz_require(vorn::parse_real(text, back), "\"" + text + "\" does not read as a real");
    fuzz_require(identical(back, v), "\"" + text + "\" reads back as another double (bits " +
                                         bits(v) + " became " + bits(back) + ")");
    line << v;
  }
  line << integer;

  const std::string& text = line.text();
  fuzz_require(text.size() >= 2 && text[0] == ' ' && text[1] != ' ',
               "log line without exactly one leading blank");
  double got[kReals] = {};
  std::int32_t got_integer = 0;
  using vorn::Item;
  try {
    vorn::read_free(text, 1,
                    {Item::real(got[0]), Item::real(got[1]), Item::real(got[2]), Item::real(got[3]),
                     Item::real(got[4]), Item::real(got[5]), Item::integer(got_integer)});
  } catch (const std::exception& e) {
    fuzz_require(false, "log line \"" + text + "\" does not read back: " + e.what());
    return 0;
  }
  for (std::size_t k = 0; k < kReals; ++k)
    fuzz_require(identical(got[k], reals[k]), "log line \"" + text + "\": value " +
                                                  std::to_string(k + 1) + " reads back changed");
  fuzz_require(got_integer == integer, "log line \"" + text + "\": the integer reads back changed");
  return 0;
}
