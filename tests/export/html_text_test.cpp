// Texts and numbers for the HTML page: escaping, Latin-1 to UTF-8, coordinates
// and exact values.
#include "export/html_text.hpp"

#include "core/text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "export/svg_text.hpp"

namespace vorn {
namespace {

TEST(HtmlText, MarkupCharactersBecomeReferences) {
  EXPECT_EQ(html_text("<script>alert(1)</script> & \"x\""),
            "&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;x&quot;");
  EXPECT_EQ(html_text("O'Brien's"), "O&#39;Brien&#39;s");
  EXPECT_EQ(html_text("&amp;"), "&amp;amp;");
  EXPECT_EQ(html_text(""), "");
}

TEST(HtmlText, Latin1BytesBecomeUtf8AndControlsBecomeReplacementCharacters) {
  // é ÿ NBSP ³ ² as Latin-1 bytes, and their UTF-8 encodings.
  EXPECT_EQ(html_text("\xE9\xFF\xA0\xB3\xB2"), "\xC3\xA9\xC3\xBF\xC2\xA0\xC2\xB3\xC2\xB2");
  EXPECT_EQ(html_text("Tolu\xE8ne"), "Tolu\xC3\xA8ne");
  // C0 controls, DEL and C1 controls cannot appear in a page; tab and line feed can.
  EXPECT_EQ(html_text(std::string("a\x01\x7F\x85\r\0b", 7)),
            "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(html_text("a\tb\nc"), "a\tb\nc");
}

TEST(HtmlText, TrimBlanksRemovesOnlySpacesAtBothEnds) {
  EXPECT_EQ(trim_blanks("  Benzene   "), "Benzene");
  EXPECT_EQ(trim_blanks("\tx "), "\tx");
  EXPECT_EQ(trim_blanks("    "), "");
}

TEST(SvgText, CoordinatesHaveAtMostTwoDecimals) {
  EXPECT_EQ(svg_coord(380), "380");
  EXPECT_EQ(svg_coord(12.5), "12.5");
  EXPECT_EQ(svg_coord(186.123456), "186.12");
  EXPECT_EQ(svg_coord(-0.001), "0");
  EXPECT_EQ(svg_coord(-3.25), "-3.25");
}

TEST(SvgText, ExactNumbersReadBackAsTheSameDouble) {
  std::mt19937_64 gen(7);
  std::uniform_real_distribution<double> exponent(-300, 300);
  for (int k = 0; k < 2000; ++k) {
    const double v = std::pow(10.0, exponent(gen)) * (k % 2 ? 1 : -1);
    EXPECT_EQ(std::strtod(exact_number(v).c_str(), nullptr), v);
  }
  EXPECT_EQ(exact_number(3.5829528158295275e-05), "3.5829528158295275e-05");
  EXPECT_EQ(exact_number(NAN), "NaN");
  EXPECT_EQ(exact_number(-INFINITY), "-Infinity");
}

}  // namespace
}  // namespace vorn
