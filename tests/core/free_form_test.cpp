// The free-form reader: reads from the file and from a text, values, null values,
// slash, quoted and unquoted texts, number forms and the fatal input errors.
#include "core/free_form.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/run_error.hpp"

namespace vorn {
namespace {

// The message of the fatal input error a read raises, or "" when it raises none.
template <typename Read>
std::string error_of(Read&& read) {
  try {
    read();
  } catch (const FatalInputError& e) {
    return e.what();
  }
  return "";
}

std::string pad(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

std::uint64_t bits(double v) {
  std::uint64_t b = 0;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

double read_real(const std::string& text) {
  double v = -7.0;
  read_free(text, 1, {Item::real(v)});
  return v;
}

TEST(FreeFormFileRead, TakesTheValuesItNeedsAndDiscardsTheRestOfTheLastLineTouched) {
  // One integer from "10000,20": the 20 is discarded, the next read starts below.
  InputFile file("10000,20\n30\n1.5\n2.5 3.5\n4.5\n");
  std::int32_t n = 0;
  read_free(file, {Item::integer(n)});
  EXPECT_EQ(n, 10000);
  EXPECT_EQ(file.line_number(), 1);
  read_free(file, {Item::integer(n)});
  EXPECT_EQ(n, 30);

  // Two reals from "1.5" and "2.5 3.5": 3.5 is discarded.
  double a = 0, b = 0;
  read_free(file, {Item::real(a), Item::real(b)});
  EXPECT_EQ(a, 1.5);
  EXPECT_EQ(b, 2.5);
  EXPECT_EQ(file.line_number(), 4);
  read_free(file, {Item::real(a)});
  EXPECT_EQ(a, 4.5);
}

TEST(FreeFormFileRead, ContinuesOverEmptyAndBlankLines) {
  InputFile file("1\n\n   \n\t\n2 3\n");
  std::int32_t a = 0, b = 0, c = 0;
  read_free(file, {Item::integer(a), Item::integer(b), Item::integer(c)});
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3);
  EXPECT_EQ(file.line_number(), 5);

  // A read may also begin with empty lines.
  InputFile later("\n\n7\n");
  read_free(later, {Item::integer(a)});
  EXPECT_EQ(a, 7);
}

TEST(FreeFormFileRead, AnEmptyListSkipsExactlyOneLine) {
  InputFile file("1 2 3\n\n4\nlast\n");
  std::int32_t n = 0;
  read_free(file, {});  // a line holding values
  read_free(file, {});  // an empty line: skipped, not continued past
  read_free(file, {Item::integer(n)});
  EXPECT_EQ(n, 4);
  EXPECT_EQ(file.line_number(), 3);
  skip_line(file, "the heading");
  EXPECT_EQ(file.line_number(), 4);
  EXPECT_NE(error_of([&] { read_free(file, {}); }), "");
  EXPECT_NE(error_of([&] { skip_line(file, "the heading"); }), "");
}

TEST(FreeFormFileRead, LastLineWithoutTerminatorAndCrLfLineEnds) {
  InputFile file("1\r\n2.5\r\nab\r\n'x\r\ny'\r\n7");
  std::int32_t n = 0;
  double r = 0;
  std::string t, q;
  read_free(file, {Item::integer(n)});
  read_free(file, {Item::real(r)});
  read_free(file, {Item::text(t, 4)});
  read_free(file, {Item::text(q, 4)});
  EXPECT_EQ(n, 1);
  EXPECT_EQ(r, 2.5);
  EXPECT_EQ(t, "ab  ");  // the CR is no part of the text
  EXPECT_EQ(q, "xy  ");  // nor of a quoted text running over the line end
  read_free(file, {Item::integer(n)});
  EXPECT_EQ(n, 7);

  // A CR anywhere else is an ordinary character.
  InputFile inner("a\rb c\n");
  read_free(inner, {Item::text(t, 4)});
  EXPECT_EQ(t, "a\rb ");
}

TEST(FreeForm, NullValuesKeepWhatTheItemsHeld) {
  double a = 0, b = 0, c = 0;
  read_free("5,,7", 1, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(c, 7);

  a = b = c = 9;
  read_free("5 , , 7", 1, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 9);
  EXPECT_EQ(c, 7);

  // A comma first in the read: the first item is null.
  a = b = 9;
  read_free(",5", 1, {Item::real(a), Item::real(b)});
  EXPECT_EQ(a, 9);
  EXPECT_EQ(b, 5);
  a = b = 9;
  read_free("  ,  5", 1, {Item::real(a), Item::real(b)});
  EXPECT_EQ(a, 9);
  EXPECT_EQ(b, 5);

  // One comma between values, with blanks or tabs around it, only separates.
  read_free("1 ,\t2", 1, {Item::real(a), Item::real(b)});
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);

  // A null text keeps its text, not blanks.
  std::string cas = pad("old", 29), flag = "Y";
  double mcl = 3;
  read_free(",,0.5,", 1, {Item::text(cas, 29), Item::text(flag, 1), Item::real(mcl)});
  EXPECT_EQ(cas, pad("old", 29));
  EXPECT_EQ(flag, "Y");
  EXPECT_EQ(mcl, 0.5);
}

TEST(FreeFormFileRead, ACommaAtTheLineEndOnlySeparates) {
  // "5," then "7": no null value in between.
  InputFile file("5,\n7\n5,,\n7\n5,\n,7 8\n");
  double a = 0, b = 0, c = 0;
  read_free(file, {Item::real(a), Item::real(b)});
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 7);
  a = b = c = 9;
  read_free(file, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 9);
  EXPECT_EQ(c, 7);
  // A comma after the line end that followed a comma is a null value.
  a = b = c = 9;
  read_free(file, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 9);
  EXPECT_EQ(c, 7);
}

TEST(FreeForm, ASlashEndsTheReadAndLeavesTheOtherItems) {
  double a = 0, b = 0, c = 0;
  read_free("5/", 1, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(c, 0);

  a = b = c = 9;
  read_free("/ 1 2 3", 1, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 9);
  EXPECT_EQ(c, 9);
  read_free("1, / 2 3", 1, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 9);

  // From the file: the rest of the line goes, the next read starts below it,
  // and a slash on a continuation line ends the read there.
  InputFile file("5 / 7\n8\n1\n/ 2\n3\n");
  a = b = 0;
  read_free(file, {Item::real(a), Item::real(b)});
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 0);
  read_free(file, {Item::real(a)});
  EXPECT_EQ(a, 8);
  a = b = c = 9;
  read_free(file, {Item::real(a), Item::real(b), Item::real(c)});
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 9);
  read_free(file, {Item::real(a)});
  EXPECT_EQ(a, 3);

  // Inside quotes a slash is text; unquoted it ends the text and the read.
  std::string s = "x", t = "y";
  read_free("'a/b' ab/cd", 1, {Item::text(s, 3), Item::text(t, 3)});
  EXPECT_EQ(s, "a/b");
  EXPECT_EQ(t, "ab ");
  read_free("ab/cd", 1, {Item::text(s, 3), Item::text(t, 3)});
  EXPECT_EQ(s, "ab ");
  EXPECT_EQ(t, "ab ");
}

TEST(FreeForm, TextsAreCutOrPaddedToTheirWidths) {
  std::string cas, flag, name;
  read_free("7439-92-1 carcinogen", 1, {Item::text(cas, 29), Item::text(flag, 1)});
  EXPECT_EQ(cas, "7439-92-1" + std::string(20, ' '));
  EXPECT_EQ(flag, "c");
  read_free("abcdefgh", 1, {Item::text(name, 2)});
  EXPECT_EQ(name, "ab");
  read_free("''", 1, {Item::text(name, 3)});
  EXPECT_EQ(name, "   ");
  read_free("'abcdef'", 1, {Item::text(name, 3)});
  EXPECT_EQ(name, "abc");
}

TEST(FreeForm, QuotedTextsKeepBlanksCommasAndDoubledQuotes) {
  std::string a, b, c;
  read_free("'Arsenic, inorganic' \"a b\" 'it''s'", 1,
            {Item::text(a, 20), Item::text(b, 3), Item::text(c, 4)});
  EXPECT_EQ(a, "Arsenic, inorganic  ");
  EXPECT_EQ(b, "a b");
  EXPECT_EQ(c, "it's");
  read_free(R"("say ""hi""" 'a"b' "a'b")", 1,
            {Item::text(a, 8), Item::text(b, 3), Item::text(c, 3)});
  EXPECT_EQ(a, "say \"hi\"");
  EXPECT_EQ(b, "a\"b");
  EXPECT_EQ(c, "a'b");

  // Unquoted texts keep quote characters inside, and "3*ab" is plain text.
  read_free("ab'cd x\"y 3*ab", 1, {Item::text(a, 5), Item::text(b, 3), Item::text(c, 4)});
  EXPECT_EQ(a, "ab'cd");
  EXPECT_EQ(b, "x\"y");
  EXPECT_EQ(c, "3*ab");

  // After the closing quote: a separator, a slash or the line end.
  b = "zz";
  read_free("'ab'/'cd'", 1, {Item::text(a, 2), Item::text(b, 2)});
  EXPECT_EQ(a, "ab");
  EXPECT_EQ(b, "zz");
  read_free("'ab',\t'cd'", 1, {Item::text(a, 2), Item::text(b, 2)});
  EXPECT_EQ(b, "cd");
  EXPECT_NE(error_of([&] { read_free("'ab'cd x", 1, {Item::text(a, 4), Item::text(b, 1)}); }), "");
}

TEST(FreeFormFileRead, AQuotedTextRunsOverLineEnds) {
  InputFile file("'abc\ndef' 2\n\"x\n\ny\"\n9\n");
  std::string t;
  double r = 0;
  read_free(file, {Item::text(t, 8), Item::real(r)});
  EXPECT_EQ(t, "abcdef  ");  // the line end adds nothing
  EXPECT_EQ(r, 2);
  read_free(file, {Item::text(t, 3)});
  EXPECT_EQ(t, "xy ");
  EXPECT_EQ(file.line_number(), 5);
  read_free(file, {Item::real(r)});
  EXPECT_EQ(r, 9);
}

TEST(FreeForm, AQuoteLeftOpenIsAFatalInputError) {
  std::string t;
  EXPECT_NE(error_of([&] { read_free("'abc", 3, {Item::text(t, 4)}); }), "");
  EXPECT_NE(error_of([&] { read_free("\"ab''", 3, {Item::text(t, 4)}); }), "");
  InputFile file("1\n'abc\ndef\n");
  std::int32_t n = 0;
  read_free(file, {Item::integer(n)});
  const std::string message = error_of([&] { read_free(file, {Item::text(t, 4)}); });
  EXPECT_EQ(message.rfind("vorn: fatal input error on unit 1 (VORN.IN), line 2: ", 0), 0u)
      << message;
}

TEST(FreeForm, RealsInEveryAcceptedForm) {
  struct Case {
    const char* text;
    double value;
  };
  // Expected values are the doubles of the decimal texts (checked with Python's float()).
  const std::vector<Case> cases = {
      {"0.5", 0.5},
      {".5", 0.5},
      {"5.", 5.0},
      {"+.5", 0.5},
      {"-.5", -0.5},
      {"1.E3", 1000.0},
      {"1.e3", 1000.0},
      {"5", 5.0},
      {"-12", -12.0},
      {"1.0d-10", 1.0e-10},
      {"1.0D-10", 1.0e-10},
      {"1.0E-10", 1.0e-10},
      {"1.0e-10", 1.0e-10},
      {"3.0D-4", 3.0e-4},
      {"1e5", 100000.0},
      {"1E+05", 100000.0},
      {"0.1", 0.1},
      {"0.30000000000000004", 0.30000000000000004},
      {"123456789012345678901234567890", 1.2345678901234568e+29},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"2.2250738585072014e-308", 2.2250738585072014e-308},
      {"1e22", 1e22},
  };
  for (const auto& c : cases) EXPECT_EQ(bits(read_real(c.text)), bits(c.value)) << c.text;
  EXPECT_EQ(bits(read_real("1.0d-10")), 0x3ddb7cdfd9d7bdbbu);
  EXPECT_EQ(bits(read_real("-0")), bits(-0.0));
  EXPECT_EQ(bits(read_real("-0.0e5")), bits(-0.0));
}

TEST(FreeForm, RealsOutsideTheDoubleRangeAndNonFiniteWords) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(read_real("1e400"), inf);
  EXPECT_EQ(read_real("1.0D+999999"), inf);
  EXPECT_EQ(read_real("-1e400"), -inf);
  EXPECT_EQ(read_real("1000000e303"), inf);
  EXPECT_EQ(read_real("1000000e302"), 1e308);
  EXPECT_EQ(bits(read_real("1e-400")), 0u);
  EXPECT_EQ(bits(read_real("-1e-400")), bits(-0.0));
  EXPECT_EQ(bits(read_real("0.0001e-320")), 0u);
  // Below the normal range: the nearest subnormal.
  EXPECT_EQ(bits(read_real("4.9406564584124654e-324")), 1u);
  EXPECT_EQ(bits(read_real("5e-324")), 1u);
  EXPECT_EQ(read_real("1e-310"), 0x0.012688b70e62bp-1022);

  // Many digits make up for a large exponent: the value is in range.
  EXPECT_EQ(read_real("0." + std::string(100005, '0') + "1e100015"), 1e9);
  EXPECT_EQ(read_real("1" + std::string(100005, '0') + "e-100005"), 1.0);
  EXPECT_EQ(read_real("1" + std::string(100005, '0') + "e-99999999999999999999"), 0.0);
  EXPECT_EQ(read_real("0." + std::string(100005, '0') + "1e99999999999999999999"), inf);

  for (const char* word : {"NaN", "nan", "NAN", "+nan", "-NaN"})
    EXPECT_TRUE(std::isnan(read_real(word))) << word;
  for (const char* word :
       {"Inf", "inf", "INF", "+Inf", "Infinity", "infinity", "INFINITY", "+iNfInItY"})
    EXPECT_EQ(read_real(word), inf) << word;
  for (const char* word : {"-Inf", "-infinity"}) EXPECT_EQ(read_real(word), -inf) << word;
}

TEST(FreeForm, RejectedRealsAreFatalInputErrors) {
  for (const char* text :
       {"1.0+5", "1.0-5", "3*1.0", "2*",   "1.5x", "e5",      ".",   "+",       "-",
        "1e",    "1e+",   "1.2.3", "--1",  "0x10", "1.5e3.0", "1q5", "infinit", "nanx",
        "inf5",  "'1.5'", "\"2\"", "1..2", "1,5e", "+-2",     "1 e5"}) {
    double a = 0, b = 0;
    EXPECT_NE(error_of([&] { read_free(text, 1, {Item::real(a), Item::real(b)}); }), "") << text;
  }
}

TEST(FreeForm, IntegersTakeASignAndDigitsWithinThe32BitRange) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  for (const Case& c : std::vector<Case>{{"0", 0},
                                         {"+5", 5},
                                         {"-5", -5},
                                         {"007", 7},
                                         {"-0", 0},
                                         {"2147483647", 2147483647},
                                         {"-2147483648", std::numeric_limits<std::int32_t>::min()},
                                         {"2000000000", 2000000000},
                                         {"00000000000000000042", 42}}) {
    std::int32_t n = 99;
    read_free(c.text, 1, {Item::integer(n)});
    EXPECT_EQ(n, c.value) << c.text;
  }
  for (const char* text :
       {"2147483648", "-2147483649", "99999999999999999999", "4294967296", "1.0", "1.", "1e3",
        "3*1", "abc", "+", "-", "1_000", "0x1", "NaN", "Inf", "'1'", "12a", "1d0"}) {
    std::int32_t n = 99;
    EXPECT_NE(error_of([&] { read_free(text, 1, {Item::integer(n)}); }), "") << text;
    EXPECT_EQ(n, 99) << text;
  }
}

TEST(FreeFormErrors, MessagesNameUnitFileLineAndOffendingText) {
  double r = 0;
  std::int32_t n = 0;
  EXPECT_EQ(error_of([&] {
              read_free("0.5 1.5x 2", 12, {Item::real(r), Item::real(r)});
            }),
            "vorn: fatal input error on unit 1 (VORN.IN), line 12: \"1.5x\" is not a real");
  EXPECT_EQ(error_of([&] { read_free("12a", 1, {Item::integer(n)}); }),
            "vorn: fatal input error on unit 1 (VORN.IN), line 1: \"12a\" is not an integer");

  // The file ends before the read is satisfied: the line after the last one.
  InputFile file("1\n2\n");
  read_free(file, {Item::integer(n)});
  EXPECT_EQ(error_of([&] {
              read_free(file, {Item::integer(n), Item::integer(n), Item::integer(n)});
            }),
            "vorn: fatal input error on unit 1 (VORN.IN), line 3: end of file before all values "
            "were read");
  InputFile empty("");
  EXPECT_EQ(error_of([&] { read_free(empty, {Item::integer(n)}); }),
            "vorn: fatal input error on unit 1 (VORN.IN), line 1: end of file before all values "
            "were read");

  // A text that runs out, also right after a comma.
  EXPECT_EQ(
      error_of([&] {
        read_free("1 2", 5, {Item::real(r), Item::real(r), Item::real(r)});
      }),
      "vorn: fatal input error on unit 1 (VORN.IN), line 5: the line ends after 2 of 3 values");
  EXPECT_NE(error_of([&] { read_free("1,", 5, {Item::real(r), Item::real(r)}); }), "");
  EXPECT_NE(error_of([&] { read_free("", 5, {Item::real(r)}); }), "");
  EXPECT_EQ(error_of([&] { read_free("1,", 5, {Item::real(r)}); }), "");

  // Control bytes in the offending text are shown escaped.
  EXPECT_EQ(error_of([&] { read_free("1\x01", 2, {Item::real(r)}); }),
            "vorn: fatal input error on unit 1 (VORN.IN), line 2: \"1\\x01\" is not a real");
}

}  // namespace
}  // namespace vorn
