// The two implementations of the number texts, <charconv> and fmt + fast_float, side by
// side: the same bytes for a million random doubles and decimal texts, and for the edges
// where the plain form changes or rounding is a tie.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/number_text_backends.hpp"

namespace vorn::test {
namespace {

#ifdef VORN_NUMBER_TEXT_SKIP
TEST(NumberText, BothImplementationsAlike) {
  GTEST_SKIP() << "fmt or fast_float is not installed (libfmt-dev, libfast-float-dev)";
}
#else

using Writer = char* (*)(char*, double);

std::string text(Writer write, double v) {
  char buf[kNumberTextSize];
  return std::string(buf, write(buf, v));
}

std::string scientific(char* (*write)(char*, double, int), double v, int precision) {
  char buf[kNumberTextSize];
  return std::string(buf, write(buf, v, precision));
}

std::string bits(double v) {
  char buf[20];
  std::snprintf(buf, sizeof buf, "%016llx",
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v)));
  return buf;
}

// Both implementations write the same three texts of v; returns the number of mismatches
// reported (at most a few per call, to keep a failing run readable).
int compare_writes(double v, int precision) {
  int failures = 0;
  const std::string a = text(charconv_text::write_shortest, v);
  const std::string b = text(fmt_text::write_shortest, v);
  if (a != b) {
    ADD_FAILURE() << "shortest of " << bits(v) << ": to_chars " << a << ", fmt " << b;
    ++failures;
  }
  const std::string c = text(charconv_text::write_shortest_scientific, v);
  const std::string d = text(fmt_text::write_shortest_scientific, v);
  if (c != d) {
    ADD_FAILURE() << "shortest scientific of " << bits(v) << ": to_chars " << c << ", fmt " << d;
    ++failures;
  }
  const std::string e = scientific(charconv_text::write_scientific, v, precision);
  const std::string f = scientific(fmt_text::write_scientific, v, precision);
  if (e != f) {
    ADD_FAILURE() << "scientific ." << precision << " of " << bits(v) << ": to_chars " << e
                  << ", fmt " << f;
    ++failures;
  }
  return failures;
}

// Both implementations read the same text alike: the same end, error and double.
int compare_reads(const std::string& s, RealTextForm form) {
  constexpr double kUntouched = -7.25;
  double a = kUntouched;
  double b = kUntouched;
  const char* first = s.data();
  const char* last = s.data() + s.size();
  const ReadRealResult ra = charconv_text::read_real(first, last, a, form);
  const ReadRealResult rb = fmt_text::read_real(first, last, b, form);
  if (ra.ptr != rb.ptr || ra.ec != rb.ec || bits(a) != bits(b)) {
    ADD_FAILURE() << "reading \"" << s << "\" ("
                  << (form == RealTextForm::general ? "general" : "scientific")
                  << "): from_chars read " << (ra.ptr - first) << " chars, error "
                  << static_cast<int>(ra.ec) << ", " << bits(a) << "; fast_float read "
                  << (rb.ptr - first) << " chars, error " << static_cast<int>(rb.ec) << ", "
                  << bits(b);
    return 1;
  }
  return 0;
}

TEST(NumberText, KnownTextsOfBothImplementations) {
  for (const Writer w : {charconv_text::write_shortest, fmt_text::write_shortest}) {
    EXPECT_EQ(text(w, 0.1), "0.1");
    EXPECT_EQ(text(w, -0.0), "-0");
    EXPECT_EQ(text(w, 1e15), "1e+15");
    EXPECT_EQ(text(w, 1234.5), "1234.5");
    EXPECT_EQ(text(w, 0.001), "0.001");
    EXPECT_EQ(text(w, 0.0001), "1e-04");
    EXPECT_EQ(text(w, 1152921504606846976.0), "1152921504606846976");  // 2^60, exactly
    EXPECT_EQ(text(w, 1e23), "1e+23");
    EXPECT_EQ(text(w, 5e-324), "5e-324");
    EXPECT_EQ(text(w, -std::numeric_limits<double>::infinity()), "-inf");
  }
  for (const Writer w :
       {charconv_text::write_shortest_scientific, fmt_text::write_shortest_scientific}) {
    EXPECT_EQ(text(w, 1234.5), "1.2345e+03");
    EXPECT_EQ(text(w, 0.0), "0e+00");
    EXPECT_EQ(text(w, 1.7976931348623157e308), "1.7976931348623157e+308");
  }
  for (const auto w : {charconv_text::write_scientific, fmt_text::write_scientific}) {
    EXPECT_EQ(scientific(w, 1.125, 2), "1.12e+00");  // a tie, to even
    EXPECT_EQ(scientific(w, 1.375, 2), "1.38e+00");
    EXPECT_EQ(scientific(w, 0.0, 2), "0.00e+00");
    EXPECT_EQ(scientific(w, 4.9406564584124654e-324, 3), "4.941e-324");
  }
}

TEST(NumberText, RandomBitPatternsWriteAlike) {
  std::mt19937_64 gen(20261209);
  int failures = 0;
  for (int i = 0; i < 1'000'000 && failures < 10; ++i) {
    const double v = std::bit_cast<double>(gen());
    failures += compare_writes(v, static_cast<int>(gen() % 18));
    if (std::isfinite(v))
      failures += compare_reads(text(charconv_text::write_shortest, v), RealTextForm::general);
  }
}

TEST(NumberText, RandomDecimalTextsReadAlike) {
  std::mt19937_64 gen(77);
  auto digits = [&](int n) {
    std::string s;
    for (int k = 0; k < n; ++k) s += static_cast<char>('0' + gen() % 10);
    return s;
  };
  int failures = 0;
  for (int i = 0; i < 1'000'000 && failures < 10; ++i) {
    std::string s;
    if (gen() % 2) s += '-';
    const int shape = static_cast<int>(gen() % 20);
    if (shape == 0) {
      static const char* kWords[] = {"inf",     "INF",  "infinity", "Infinity", "nan", "NaN",
                                     "nan(12)", "infx", "na",       "e5",       ".",   "-",
                                     ".e1",     "1e",   "1e+",      "0x10"};
      s += kWords[gen() % std::size(kWords)];
    } else {
      s += digits(static_cast<int>(gen() % 21));
      if (gen() % 3) s += '.' + digits(static_cast<int>(gen() % 21));
      if (gen() % 3) {
        s += "eE"[gen() % 2];
        if (gen() % 2) s += "+-"[gen() % 2];
        // Exponents mostly near the ends of the range, where fast paths give way.
        s += std::to_string(gen() % 2 ? gen() % 400 : 280 + gen() % 60);
      }
    }
    failures += compare_reads(s, RealTextForm::general);
    failures += compare_reads(s, RealTextForm::scientific);
  }
}

TEST(NumberText, SubnormalsAndRangeEnds) {
  int failures = 0;
  std::mt19937_64 gen(5);
  for (int i = 0; i < 20'000; ++i) {
    const double v = std::bit_cast<double>(gen() & 0x800f'ffff'ffff'ffffULL);  // subnormal
    failures += compare_writes(v, static_cast<int>(i % 18));
    failures += compare_reads(text(charconv_text::write_shortest, v), RealTextForm::general);
  }
  for (const double v :
       {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
        std::nextafter(std::numeric_limits<double>::min(), 0.0),
        std::numeric_limits<double>::max()}) {
    failures += compare_writes(v, 17);
  }
  for (const char* s : {"2.4703282292062327e-324", "2.4703282292062328e-324", "1e-400", "0e-999",
                        "1.7976931348623158e308", "1.7976931348623159e308", "1e400", "0.0e400"})
    failures += compare_reads(s, RealTextForm::general);
  EXPECT_EQ(failures, 0);
}

TEST(NumberText, WhereThePlainFormChanges) {
  int failures = 0;
  // Around every power of ten, where the fixed and scientific lengths cross (1e15..1e17 most
  // of all: the last integers whose shortest digits are all of them).
  for (int k = -30; k <= 30; ++k) {
    double v = std::pow(10.0, k);
    for (int step = 0; step < 200; ++step) v = std::nextafter(v, 0.0);
    for (int step = 0; step < 400; ++step, v = std::nextafter(v, INFINITY))
      failures += compare_writes(v, step % 18);
  }
  for (double v = 9e14; v < 2e17; v = v * 1.0001 + 1) failures += compare_writes(v, 2);
  // Integers whose exact digits differ from their shortest ones padded with zeros.
  for (int p = 53; p <= 1023; ++p) {
    const double v = std::ldexp(1.0, p);
    failures += compare_writes(v, 16);
    failures += compare_writes(std::nextafter(v, 0.0), 16);
    failures += compare_writes(v * 1.5, 16);
  }
  EXPECT_EQ(failures, 0);
}

TEST(NumberText, ExactTiesRoundToEvenAlike) {
  int failures = 0;
  int ties = 0;
  // m / 2^j is exact; it is a tie at precision p when its exact digits end in a 5 at p + 2.
  for (std::uint64_t m = 1; m < 4000; ++m) {
    for (int j = 0; j <= 12; ++j) {
      const double v = std::ldexp(static_cast<double>(m), -j);
      const std::string exact = scientific(charconv_text::write_scientific, v, 30);
      const std::size_t last = exact.find_last_not_of('0', exact.find('e') - 1);
      if (exact[last] != '5') continue;
      const int precision = static_cast<int>(last) - 2;  // "d." then the digits
      if (precision < 0 || precision > 4) continue;
      ++ties;
      failures += compare_writes(v, precision);
      failures += compare_writes(-v, precision);
    }
  }
  EXPECT_GT(ties, 1000);
  EXPECT_EQ(failures, 0);
}

#endif

}  // namespace
}  // namespace vorn::test
