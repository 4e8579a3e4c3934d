// Numbers on the HTML pages as people write them: a table of values, each with the text
// worked out by hand from the rules in export/readable_number.hpp.
#include "export/readable_number.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorn {
namespace {

// The characters the texts use, spelt out.
const std::string kMinus = "\xE2\x88\x92";  // U+2212
const std::string kTimes =
    "\xC2\xA0\xC3\x97\xC2\xA0"
    "10";                                      // NBSP × NBSP 10
const std::string kSupMinus = "\xE2\x81\xBB";  // ⁻
const std::string kSup0 = "\xE2\x81\xB0", kSup1 = "\xC2\xB9", kSup2 = "\xC2\xB2",
                  kSup3 = "\xC2\xB3", kSup4 = "\xE2\x81\xB4", kSup5 = "\xE2\x81\xB5",
                  kSup8 = "\xE2\x81\xB8";

struct Case {
  double value;
  std::string text;
  const char* rule;
};

TEST(ReadableNumber, TableOfValuesAndTheirTexts) {
  const Case cases[] = {
      {0.0887, "0.0887", "plain: two zeros place the point"},
      {0.0887349, "0.0887", "three significant digits"},
      {0.00887, "0.00887", "plain down to 10^-3"},
      {0.000887, "8.87" + kTimes + kSupMinus + kSup4, "three zeros: scientific"},
      {8.87e-5, "8.87" + kTimes + kSupMinus + kSup5, "the report's 0.887E-04"},
      {1.0e-5, "1.00" + kTimes + kSupMinus + kSup5, "trailing zeros are significant"},
      {0.5, "0.500", "trailing zeros kept"},
      {2.5, "2.50", ""},
      {12.345, "12.3", "rounds down"},
      {12.35001, "12.4", "rounds up"},
      {887.3, "887", ""},
      {8871.3, "8870", "not whole: three significant digits"},
      {8871.0, "8871", "whole below 10^5: in full"},
      {6000.0, "6000", "whole"},
      {99999.0, "99999", "whole"},
      {99999.7, "1.00" + kTimes + kSup5, "rounding carries into 10^5: scientific"},
      {99940.2, "99900", "plain up to 99 900"},
      {100000.0, "1.00" + kTimes + kSup5, "whole from 10^5: scientific"},
      {123456789.0, "1.23" + kTimes + kSup8, ""},
      {204230.30368158832, "2.04" + kTimes + kSup5, ""},
      {9.995e-3, "0.0100", "rounding carries into the next decade (binary value just above)"},
      {9.9951e-4, "0.00100", "carries into the plain range"},
      {9.9949e-4, "9.99" + kTimes + kSupMinus + kSup4, "does not carry"},
      {0.0099949, "0.00999", ""},
      {1.0, "1", "whole"},
      {0.0, "0", "zero"},
      {-0.0, "0", "negative zero"},
      {-0.0525, kMinus + "0.0525", "real minus sign"},
      {-3.0, kMinus + "3", "negative whole"},
      {-1.5e-12, kMinus + "1.50" + kTimes + kSupMinus + kSup1 + kSup2, "two-digit exponent"},
      {1e30, "1.00" + kTimes + kSup3 + kSup0, "the sentinel is just a number here"},
      {5e300, "5.00" + kTimes + kSup3 + kSup0 + kSup0, "three-digit exponent"},
      {4.9406564584124654e-324, "4.94" + kTimes + kSupMinus + kSup3 + kSup2 + kSup4,
       "smallest subnormal"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN", ""},
      {INFINITY, "\xE2\x88\x9E", "infinity"},
      {-INFINITY, kMinus + "\xE2\x88\x9E", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(readable_number(c.value), c.text) << c.value << " (" << c.rule << ")";
}

TEST(ReadableNumber, PowersOfTenForAxisLabels) {
  EXPECT_EQ(power_of_ten(0), "10" + kSup0);
  EXPECT_EQ(power_of_ten(-5), "10" + kSupMinus + kSup5);
  EXPECT_EQ(power_of_ten(12), "10" + kSup1 + kSup2);
  EXPECT_EQ(power_of_ten(-300), "10" + kSupMinus + kSup3 + kSup0 + kSup0);
}

}  // namespace
}  // namespace vorn
