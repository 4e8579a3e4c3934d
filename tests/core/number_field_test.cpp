// The report's 10-character number field: examples of each form, signs and
// non-finite values, and comparisons with gfortran's (E10.3) edit on generated values and
// with std::to_chars's exactly rounded digits on a million more.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/number_field.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberField, ExamplesOfEachForm) {
  EXPECT_EQ(number_field(1.234E-5), " 0.123E-04");
  EXPECT_EQ(number_field(-2.5), "-0.250E+01");
  EXPECT_EQ(number_field(0.0), " 0.000E+00");
  EXPECT_EQ(number_field(0.99996), " 0.100E+01");
  EXPECT_EQ(number_field(1.0E100), " 0.100+101");
  EXPECT_EQ(number_field(1.0E30), " 0.100E+31");
  EXPECT_EQ(number_field(1.0E-100), " 0.100E-99");
  EXPECT_EQ(number_field(1.0E-101), " 0.100-100");
  EXPECT_EQ(number_field(0.001), " 0.100E-02");
}

TEST(NumberField, ExponentsAroundTheThreeDigitForm) {
  EXPECT_EQ(number_field(1.0E98), " 0.100E+99");
  EXPECT_EQ(number_field(1.0E99), " 0.100+100");
  EXPECT_EQ(number_field(1.0E101), " 0.100+102");
  EXPECT_EQ(number_field(1.0E-99), " 0.100E-98");
  // 9.996E98 rounds up into the next decade, which needs the three-digit form.
  EXPECT_EQ(number_field(9.996E98), " 0.100+100");
  EXPECT_EQ(number_field(9.994E98), " 0.999E+99");
  EXPECT_EQ(number_field(std::numeric_limits<double>::max()), " 0.180+309");
  EXPECT_EQ(number_field(std::numeric_limits<double>::denorm_min()), " 0.494-323");
}

TEST(NumberField, ExactTiesRoundToEven) {
  // 1125, 1135 and 0.03125 are exact binary values halfway between two 3-digit results.
  EXPECT_EQ(number_field(1125.0), " 0.112E+04");
  EXPECT_EQ(number_field(1135.0), " 0.114E+04");
  EXPECT_EQ(number_field(0.03125), " 0.312E-01");
  EXPECT_EQ(number_field(-0.09375), "-0.938E-01");
  // Just above a tie rounds up.
  EXPECT_EQ(number_field(std::nextafter(1125.0, 2000.0)), " 0.113E+04");
}

TEST(NumberField, NegativeValuesKeepTheWidthOfTen) {
  const double values[] = {-2.5,
                           -1.0E-101,
                           -1.0E30,
                           -0.99996,
                           -9.9996E-100,
                           -1.0E100,
                           -0.001,
                           -123456.,
                           -std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::denorm_min()};
  for (double v : values) {
    const std::string field = number_field(v);
    EXPECT_EQ(field.size(), 10u) << v;
    EXPECT_EQ(field.front(), '-') << v;
    EXPECT_EQ(field.substr(1, 2), "0.") << v;
  }
  EXPECT_EQ(number_field(-1.0E-101), "-0.100-100");
  EXPECT_EQ(number_field(-0.99996), "-0.100E+01");
  EXPECT_EQ(number_field(-9.9996E-100), "-0.100E-98");
}

TEST(NumberField, ZeroOfEitherSignIsUnsigned) {
  EXPECT_EQ(number_field(0.0), " 0.000E+00");
  EXPECT_EQ(number_field(-0.0), " 0.000E+00");
}

TEST(NumberField, NonFiniteValuesKeepTheWidthOfTen) {
  EXPECT_EQ(number_field(kNaN), "       NaN");
  EXPECT_EQ(number_field(-kNaN), "       NaN");
  EXPECT_EQ(number_field(kInf), "  Infinity");
  EXPECT_EQ(number_field(-kInf), " -Infinity");
}

// ---- Comparison with gfortran ----

std::uint64_t bits_of(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

double from_bits(std::uint64_t b) {
  double v;
  std::memcpy(&v, &b, sizeof v);
  return v;
}

double decimal(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

void add_with_neighbours(std::vector<double>& out, double v) {
  out.push_back(v);
  out.push_back(std::nextafter(v, kInf));
  out.push_back(std::nextafter(v, -kInf));
}

// Values where a three-digit edit goes wrong most easily, each with its negative.
std::vector<double> generated_values() {
  std::vector<double> v;
  std::mt19937_64 random(20240611);

  // Zeros, extremes and the exponents around the three-digit exponent form.
  for (double x : {0.0, 1.0E30, 1.0E99, 1.0E100, 1.0E101, 1.0E-99, 1.0E-100, 1.0E-101,
                   std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                   std::numeric_limits<double>::denorm_min(), from_bits(0x000FFFFFFFFFFFFFull),
                   0.99996, 0.001, 1.234E-5, 2.5})
    add_with_neighbours(v, x);

  // Rounding boundaries: 9.995 and 0.9995 in every decade (a round-up into the next
  // exponent), 9.9949999 just below, and ties of random digits.
  for (int e = -324; e <= 308; ++e) {
    const std::string exp = "e" + std::to_string(e);
    add_with_neighbours(v, decimal("9.995" + exp));
    add_with_neighbours(v, decimal("0.9995" + exp));
    v.push_back(decimal("9.9949999" + exp));
    if (e % 5 == 0) {
      const auto digits = random() % 900 + 100;
      add_with_neighbours(v, decimal(std::to_string(digits / 100) + "." +
                                     std::to_string(digits % 100 + 100).substr(1) + "5" + exp));
    }
  }

  // Exact binary ties: ddd5 and ddd5 times powers of ten; odd multiples of powers of two.
  for (int d = 100; d <= 999; ++d) {
    v.push_back(d * 10.0 + 5.0);
    v.push_back((d * 10.0 + 5.0) * std::pow(10.0, static_cast<double>(random() % 12)));
  }
  for (int k = 0; k < 800; ++k)
    v.push_back(
        std::ldexp(static_cast<double>(random() % 4096 + 1), -static_cast<int>(random() % 24)));

  // Subnormals.
  for (int k = 0; k < 300; ++k) v.push_back(from_bits(random() & 0x000FFFFFFFFFFFFFull));

  const std::size_t positives = v.size();
  for (std::size_t k = 0; k < positives; ++k) v.push_back(-v[k]);

  // Arbitrary bit patterns of either sign, infinities and NaN included.
  for (int k = 0; k < 2500; ++k) v.push_back(from_bits(random()));
  for (double x : {kInf, -kInf, kNaN}) v.push_back(x);
  return v;
}

const char* const kFortranEdit = R"(program edit
  implicit none
  integer(8) :: bits
  real(8) :: x
  integer :: ios
  do
    read(*, '(Z16)', iostat=ios) bits
    if (ios /= 0) exit
    x = transfer(bits, x)
    write(*, '(E10.3)') x
  end do
end program edit
)";

std::string quoted(const std::filesystem::path& p) {
  return "\"" + p.string() + "\"";
}

TEST(NumberField, MatchesFortranE10Point3OnGeneratedValues) {
#ifndef VORN_GFORTRAN
  GTEST_SKIP() << "gfortran was not found when the build was configured";
#else
  ScratchDir dir;
  write_text(dir / "edit.f90", kFortranEdit);
  const std::string compile = quoted(VORN_GFORTRAN) + " -o " + quoted(dir / "edit") + " " +
                              quoted(dir / "edit.f90") + " > " + quoted(dir / "compile.log") +
                              " 2>&1";
  ASSERT_EQ(std::system(compile.c_str()), 0) << read_text(dir / "compile.log");

  const std::vector<double> values = generated_values();
  std::string input;
  for (double x : values) {
    char hex[32];
    std::snprintf(hex, sizeof hex, "%016llX\n", static_cast<unsigned long long>(bits_of(x)));
    input += hex;
  }
  write_text(dir / "values.txt", input);
  const std::string edit =
      quoted(dir / "edit") + " < " + quoted(dir / "values.txt") + " > " + quoted(dir / "edits.txt");
  ASSERT_EQ(std::system(edit.c_str()), 0);
  const std::vector<std::string> edits = lines_of(read_text(dir / "edits.txt"));
  ASSERT_EQ(edits.size(), values.size());

  int differences = 0;
  int negative_zeros = 0;
  for (std::size_t k = 0; k < values.size(); ++k) {
    const double x = values[k];
    std::string expected = edits[k];
    if (x == 0.0 && std::signbit(x)) {
      // The one intended difference: the edit signs a negative zero, the field does not.
      ++negative_zeros;
      EXPECT_EQ(expected, "-0.000E+00");
      expected = " 0.000E+00";
    }
    if (number_field(x) != expected && ++differences <= 20) {
      ADD_FAILURE() << "value " << std::hexfloat << x << std::defaultfloat << " ("
                    << std::setprecision(17) << x << "): field \"" << number_field(x)
                    << "\", (E10.3) \"" << expected << "\"";
    }
  }
  EXPECT_EQ(differences, 0) << "of " << values.size() << " values";
  EXPECT_GE(negative_zeros, 1);
  EXPECT_GT(values.size(), 5000u);
#endif
}

// The field from std::to_chars's three digits, rounded from the exact value: d.dde±X is
// 0.ddd with the exponent one higher.
std::string field_from_to_chars(double x) {
  char buf[32];
  const char* end =
      std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 2).ptr;
  const int exponent = std::stoi(std::string(static_cast<const char*>(buf) + 5, end)) + 1;
  const int magnitude = std::abs(exponent);
  std::string field = std::string(x < 0 ? "-" : " ") + "0." + buf[0] + buf[2] + buf[3];
  if (magnitude <= 99) field += 'E';
  field += exponent < 0 ? '-' : '+';
  if (magnitude > 99) field += std::to_string(magnitude / 100);
  return field + std::to_string(magnitude / 10 % 10) + std::to_string(magnitude % 10);
}

TEST(NumberField, MatchesTheExactlyRoundedDigitsOnAMillionValues) {
  std::mt19937_64 random(31337);
  for (int k = 0; k < 1000000; ++k) {
    const std::uint64_t bits = random();
    double x = from_bits(bits);
    // Every other value a decimal of a few digits, as reports mostly hold, or a neighbour.
    if (k % 2 == 0) {
      x = decimal(std::to_string(bits % 100000) + "e" +
                  std::to_string(static_cast<int>(bits >> 40) % 640 - 320));
      if (k % 4 == 0) x = std::nextafter(x, (bits >> 20) % 2 == 0 ? -kInf : kInf);
    }
    if (!std::isfinite(x) || x == 0.0) continue;
    ASSERT_EQ(number_field(x), field_from_to_chars(x)) << std::hexfloat << x;
  }
}

}  // namespace
}  // namespace vorn::test
