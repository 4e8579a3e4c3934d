// The print style's running header takes a stream's name into a CSS string: whatever the
// name, the string reads back as it, nothing breaks out of the string, the rule or the
// <style> element, and the page stays well-formed. Also the date pages are stamped with.
#include <gtest/gtest.h>

#include "export/css_string.hpp"
#include "export/page_checks.hpp"
#include "export/print_style.hpp"
#include "export/utc_date.hpp"
#include "vorn/results_html.hpp"

namespace vorn::test {
namespace {

// A CSS string token read as CSS Syntax Level 3 reads one, from the quote at `at`: escapes of
// 1 to 6 hex digits and one following blank, escaped characters, an escaped line end that
// stands for nothing. `end` is set past the closing quote; an unescaped line end or no
// closing quote fails the test.
std::string read_css_string(const std::string& css, std::size_t at, std::size_t* end = nullptr) {
  const char quote = css.at(at);
  std::string out;
  const auto append_code_point = [&](unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
    } else if (cp < 0x10000) {
      out += {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
              static_cast<char>(0x80 | (cp & 0x3F))};
    } else {
      out += {static_cast<char>(0xF0 | cp >> 18), static_cast<char>(0x80 | (cp >> 12 & 0x3F)),
              static_cast<char>(0x80 | (cp >> 6 & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    }
  };
  for (std::size_t k = at + 1; k < css.size(); ++k) {
    const char c = css[k];
    if (c == quote) {
      if (end) *end = k + 1;
      return out;
    }
    if (c == '\n' || c == '\r' || c == '\f') {
      ADD_FAILURE() << "unescaped line end in a CSS string";
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    const char next = css.at(++k);
    if (next == '\n') continue;
    if (!std::isxdigit(static_cast<unsigned char>(next))) {
      out += next;
      continue;
    }
    std::size_t digits = 0;
    while (digits < 6 && std::isxdigit(static_cast<unsigned char>(css.at(k + digits)))) ++digits;
    append_code_point(std::stoul(css.substr(k, digits), nullptr, 16));
    k += digits - 1;
    if (css.at(k + 1) == ' ' || css.at(k + 1) == '\t' || css.at(k + 1) == '\n') ++k;
  }
  ADD_FAILURE() << "the CSS string does not end";
  return out;
}

TEST(CssString, ReadsBackAsTheTextWithNothingThatCanEndItOrItsElement) {
  const std::string u_fffd = "\xEF\xBF\xBD";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"East cell, lined", "East cell, lined"},
      {"a\"b'c\\d", "a\"b'c\\d"},
      {"line\nfeed\r\nand\fform", "line\nfeed\r\nand\fform"},
      {"</style><script>alert(1)</script>", "</style><script>alert(1)</script>"},
      {"x\"; } body { display: none } @import url(evil.css);",
       "x\"; } body { display: none } @import url(evil.css);"},
      {"&amp; ]]> <!-- --> /* */", "&amp; ]]> <!-- --> /* */"},
      {"\\31 0 and \\\n", "\\31 0 and \\\n"},
      {"\x01\x1f\x7f", "\x01\x1f\x7f"},
      {std::string("nul\0byte", 8), "nul" + u_fffd + "byte"},
      {"\xC3\x89tang \xE2\x9C\x93 \xF0\x9F\x8C\x8A", "\xC3\x89tang \xE2\x9C\x93 \xF0\x9F\x8C\x8A"},
      {"bad \xFF\xC3 and \xED\xA0\x80",
       "bad " + u_fffd + u_fffd + " and " + u_fffd + u_fffd + u_fffd},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    const std::string literal = css_string(text);
    std::size_t end = 0;
    EXPECT_EQ(read_css_string(literal, 0, &end), expected);
    EXPECT_EQ(end, literal.size());
    const std::string inside = literal.substr(1, literal.size() - 2);
    for (const char c : std::string("\"'\n\r\f<>&;{}()@*"))
      EXPECT_EQ(inside.find(c), std::string::npos) << "character " << static_cast<int>(c);
  }
}

TEST(RunningHeader, CutsALongNameAtWholeCharactersBeforeTheVerdict) {
  std::string name;
  for (int k = 0; k < 60; ++k) name += "\xC3\xA9";  // é, two bytes each
  const std::string header = running_header(name, "\xE2\x9C\x93 fine");
  std::string expected;
  for (int k = 0; k < 48; ++k) expected += "\xC3\xA9";
  EXPECT_EQ(header, expected + "\xE2\x80\xA6 \xE2\x80\x94 \xE2\x9C\x93 fine");
  EXPECT_EQ(running_header("short", "v"), "short \xE2\x80\x94 v");
  EXPECT_EQ(running_header("", "v"), "v");
}

// The string that follows `box` ("@top-left { content: ") in the page's style sheet, read
// back, and what comes after it.
std::pair<std::string, std::string> margin_box(const std::string& html, const std::string& box) {
  const std::size_t at = html.find(box + " { content: ");
  if (at == std::string::npos) {
    ADD_FAILURE() << "no " << box;
    return {};
  }
  std::size_t end = 0;
  std::string text = read_css_string(html, at + box.size() + 12, &end);
  return {text, html.substr(end, 7)};
}

TEST(RunningHeader, AHostileStreamNameStaysInsideItsStringAndThePageStaysWellFormed) {
  const std::string hostile = "a\"b'c\\d</style><script>x</script>\n}@page{;\x01 \xFF";
  const Outcome outcome = run_text(read_text(examples_dir() / "landfill" / "VORN.IN")).outcome;
  ASSERT_EQ(outcome.status, Status::completed);
  const std::string html = html_page(outcome, {"2023-11-14", hostile, std::nullopt});
  expect_expat_parses(html);
  const auto page = parse_page(html);
  EXPECT_EQ(page->elements("style").size(), 1u);
  EXPECT_TRUE(page->elements("script").empty());
  EXPECT_EQ(html.find("<script"), std::string::npos);

  // The name, with the byte that is not UTF-8 replaced, then the verdict.
  const std::string shown = "a\"b'c\\d</style><script>x</script>\n}@page{;\x01 \xEF\xBF\xBD";
  const auto [header, after] = margin_box(html, "@top-left");
  EXPECT_EQ(header, shown + " \xE2\x80\x94 \xE2\x9C\x96 1 of 10 chemicals exceed a limit");
  EXPECT_EQ(after, "; font:");
  const auto [footer, after_footer] = margin_box(html, "@bottom-left");
  EXPECT_EQ(footer.rfind("vorn 1.0.0 \xC2\xB7 run ", 0), 0u) << footer;
  EXPECT_EQ(after_footer, "; font:");

  // The provenance block shows the name as text: markup escaped, controls replaced.
  EXPECT_EQ(provenance_list(*page)["Stream"],
            "a\"b'c\\d</style><script>x</script>\n}@page{;\xEF\xBF\xBD \xEF\xBF\xBD");
}

TEST(UtcDate, GivesTheCalendarDateOfTheSecondsSince1970) {
  EXPECT_EQ(utc_date(0), "1970-01-01");
  EXPECT_EQ(utc_date(86399), "1970-01-01");
  EXPECT_EQ(utc_date(86400), "1970-01-02");
  EXPECT_EQ(utc_date(951782400), "2000-02-29");  // a leap day of a century's leap year
  EXPECT_EQ(utc_date(1700000000), "2023-11-14");
  EXPECT_EQ(utc_date(4107542399), "2100-02-28");  // 2100 is no leap year
  EXPECT_EQ(utc_date(4107542400), "2100-03-01");
  EXPECT_EQ(utc_date(kLastDateSeconds), "9999-12-31");
  EXPECT_EQ(utc_date(kLastDateSeconds + 1), std::nullopt);
  EXPECT_EQ(utc_date(-1), std::nullopt);
}

}  // namespace
}  // namespace vorn::test
