// VORN.IN as lines: line ends, carriage returns, the whole-line read and its width.
#include "core/input_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace vorn {
namespace {

std::vector<std::string> all_lines(const std::string& bytes) {
  InputFile file(bytes);
  std::vector<std::string> lines;
  while (auto line = file.next_line()) lines.emplace_back(*line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(InputFile, LinesEndAtLfAndOneCrBeforeItIsDropped) {
  EXPECT_EQ(all_lines("a\nb\n"), (Lines{"a", "b"}));
  EXPECT_EQ(all_lines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(all_lines("a\r\nb"), (Lines{"a", "b"}));      // last line without terminator
  EXPECT_EQ(all_lines("a\r\nb\r"), (Lines{"a", "b"}));    // CR at the end of the file
  EXPECT_EQ(all_lines("a\n\r"), (Lines{"a", ""}));        // a lone CR after the last LF
  EXPECT_EQ(all_lines("a\r\r\nb"), (Lines{"a\r", "b"}));  // only one CR is dropped
  EXPECT_EQ(all_lines("a\rb\nc"), (Lines{"a\rb", "c"}));  // a CR inside is a character
  EXPECT_EQ(all_lines("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(all_lines(""), Lines{});
  EXPECT_EQ(all_lines(std::string("x\0y\n", 4)), (Lines{std::string("x\0y", 3)}));
}

TEST(InputFile, CountsTheLinesItReturned) {
  InputFile file("a\nb\n");
  EXPECT_EQ(file.line_number(), 0);
  file.next_line();
  EXPECT_EQ(file.line_number(), 1);
  file.next_line();
  EXPECT_EQ(file.line_number(), 2);
  EXPECT_FALSE(file.next_line());
  EXPECT_EQ(file.line_number(), 2);
}

TEST(InputFile, WholeLineReadIsPaddedOrCutToItsWidthAndReportsTheEnd) {
  const std::string longer(1030, 'x');
  InputFile file("abc\r\n" + longer + "\n\n");
  auto first = file.read_line(1024);
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, "abc" + std::string(1021, ' '));
  auto second = file.read_line(1024);
  ASSERT_TRUE(second);
  EXPECT_EQ(*second, std::string(1024, 'x'));
  auto third = file.read_line(1024);
  ASSERT_TRUE(third);
  EXPECT_EQ(*third, std::string(1024, ' '));
  EXPECT_FALSE(file.read_line(1024));
  EXPECT_EQ(file.line_number(), 3);
}

TEST(InputFile, ACrLfInputRunsExactlyAsItsLfForm) {
  for (const char* name : {"landfill", "impoundment"}) {
    SCOPED_TRACE(name);
    const std::string lf = test::read_text(test::data_dir() / "reference" / name / "VORN.IN");
    ASSERT_EQ(lf.find('\r'), std::string::npos);
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const auto a = test::run_text(lf);
    const auto b = test::run_text(crlf);
    ASSERT_EQ(a.outcome.status, Status::completed);
    EXPECT_EQ(b.outcome.status, Status::completed);
    EXPECT_EQ(a.files.debug, b.files.debug);
    EXPECT_EQ(a.files.report, b.files.report);
  }
}

}  // namespace
}  // namespace vorn
