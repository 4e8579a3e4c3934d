// Log lines: the layout of the items and the shortest form of reals.
#include "core/log_line.hpp"
#include "core/text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace vorn {
namespace {

TEST(LogLine, OneBlankThenTheItemsJoinedBySingleBlanks) {
  EXPECT_EQ(LogLine().text(), " ");
  EXPECT_EQ((LogLine() << "NORMAL TERMINATION...").text(), " NORMAL TERMINATION...");
  EXPECT_EQ((LogLine() << "Number of Species=" << std::int32_t{6}).text(), " Number of Species= 6");
  // A label that ends in a blank is followed by two blanks before its value.
  EXPECT_EQ((LogLine() << "SITEKEY= " << std::int32_t{-101}).text(), " SITEKEY=  -101");
  EXPECT_EQ((LogLine() << "a"
                       << ""
                       << "b")
                .text(),
            " a  b");
  // Texts are written as held, trailing blanks included.
  EXPECT_EQ((LogLine() << std::string("71-43-2   ") << 0.5).text(), " 71-43-2    0.5");
}

TEST(LogLine, IsNeverWrapped) {
  const std::string long_text(5000, 'x');
  const std::string line = (LogLine() << long_text << 1.5 << long_text).text();
  EXPECT_EQ(line, " " + long_text + " 1.5 " + long_text);
  EXPECT_EQ(line.find('\n'), std::string::npos);
}

TEST(LogLine, IntegersInPlainDecimal) {
  EXPECT_EQ((LogLine() << std::int32_t{0}).text(), " 0");
  EXPECT_EQ((LogLine() << std::numeric_limits<std::int32_t>::min()).text(), " -2147483648");
  EXPECT_EQ((LogLine() << std::int32_t{65536}).text(), " 65536");
}

TEST(FormatReal, NonFiniteValues) {
  EXPECT_EQ(format_real(std::numeric_limits<double>::quiet_NaN()), "NaN");
  EXPECT_EQ(format_real(-std::numeric_limits<double>::quiet_NaN()), "NaN");
  EXPECT_EQ(format_real(std::numeric_limits<double>::infinity()), "Infinity");
  EXPECT_EQ(format_real(-std::numeric_limits<double>::infinity()), "-Infinity");
}

TEST(FormatReal, ExamplesOfTheFixedAndExponentForms) {
  EXPECT_EQ(format_real(0.0), "0.0");
  EXPECT_EQ(format_real(-0.0), "-0.0");
  EXPECT_EQ(format_real(1.0), "1.0");
  EXPECT_EQ(format_real(10000.0), "10000.0");
  EXPECT_EQ(format_real(0.5), "0.5");
  EXPECT_EQ(format_real(-2.5), "-2.5");
  EXPECT_EQ(format_real(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(format_real(1.0e-4), "0.0001");
  EXPECT_EQ(format_real(1.0e-5), "1e-05");
  EXPECT_EQ(format_real(1.0e-10), "1e-10");
  EXPECT_EQ(format_real(1.0e15), "1000000000000000.0");
  EXPECT_EQ(format_real(1.0e16), "1e+16");
  EXPECT_EQ(format_real(1.0e30), "1e+30");
  EXPECT_EQ(format_real(123.456), "123.456");
  EXPECT_EQ(format_real(5e-324), "5e-324");
  EXPECT_EQ(format_real(1.7976931348623157e308), "1.7976931348623157e+308");
}

// The fewest significant digits that read back as `v`, found by trying every precision.
int shortest_digits(double v) {
  for (int p = 1; p <= 17; ++p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", p - 1, v);
    if (std::strtod(buf, nullptr) == v) return p;
  }
  return 17;
}

int significant_digits(const std::string& text) {
  std::string mantissa = text.substr(0, text.find('e'));
  std::string digits;
  for (char c : mantissa)
    if (c >= '0' && c <= '9') digits += c;
  const auto first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 1;
  digits = digits.substr(first);
  const auto last = digits.find_last_not_of('0');
  return static_cast<int>(last + 1);
}

TEST(FormatReal, ShortestTextThatReadsBackAsTheSameDouble) {
  std::mt19937_64 rng(7);
  for (int k = 0; k < 20000; ++k) {
    std::uint64_t b = rng();
    double v = 0;
    std::memcpy(&v, &b, sizeof v);
    if (!std::isfinite(v)) continue;
    if (k % 2 == 0) v = std::ldexp(static_cast<double>(b >> 11), -(static_cast<int>(b % 80)));
    const std::string text = format_real(v);
    const double back = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
    ASSERT_EQ(significant_digits(text), shortest_digits(v)) << text;
  }
}

TEST(TrimText, OnlyTheSpaceCharacterIsABlank) {
  EXPECT_EQ(trim_trailing("Benzene   "), "Benzene");
  EXPECT_EQ(trim_trailing("Benzene\t "), "Benzene\t");
  EXPECT_EQ(trim_trailing("   "), "");
  EXPECT_EQ(trim_leading("  71-43-2 "), "71-43-2 ");
  EXPECT_EQ(trim_leading("\t71-43-2"), "\t71-43-2");
  EXPECT_EQ(trim_leading(""), "");
}

TEST(TrimText, TrailingBlanksGoWhateverTheirCountAndPlace) {
  std::mt19937_64 rng(5);
  for (int k = 0; k < 20000; ++k) {
    // Texts up to 300 characters, mostly blanks, with a few other bytes anywhere.
    std::string text(rng() % 301, ' ');
    for (std::uint64_t marks = rng() % 4; marks > 0 && !text.empty(); --marks)
      text[rng() % text.size()] = "x\t\0y"[rng() % 4];
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    ASSERT_EQ(trim_trailing(text), std::string_view(text).substr(0, end)) << text.size();
  }
}

}  // namespace
}  // namespace vorn
