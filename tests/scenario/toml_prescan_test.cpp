// Table headers whose key starts with a character no key starts with, and characters
// outside the ASCII range outside strings and comments, are refused by the reader itself at
// that character: the TOML parser would assert, or assume, otherwise. Brackets that open a
// line inside a value, a string or a comment are no header; any text may stand in strings
// and comments.
#include <gtest/gtest.h>

#include <string>

#include "scenario/scenario_error.hpp"
#include "scenario/scenario_reader.hpp"

namespace vorn::scenario {
namespace {

std::string first_problem(const std::string& toml) {
  try {
    parse_scenario(toml, "s.toml", true);
  } catch (const ScenarioError& e) {
    return e.messages().at(0);
  }
  return "";
}

constexpr const char* kRefusal = "a table header starts with a key";

TEST(TomlPrescan, AHeaderWhoseKeyCannotStartIsRefusedAtItsFirstCharacter) {
  EXPECT_EQ(first_problem("seed = 1\n\n[/landfill]\n"),
            "s.toml:3:2: a table header starts with a key: a bare key or a quoted one");
  EXPECT_EQ(first_problem("seed = 1\n  [[ =\n"),
            "s.toml:2:6: a table header starts with a key: a bare key or a quoted one");
  // Columns count characters: the two bytes of "é" are one.
  EXPECT_EQ(first_problem("input = \"é\"\n[.x]\n"),
            "s.toml:2:2: a table header starts with a key: a bare key or a quoted one");
}

TEST(TomlPrescan, ACharacterBeyondAsciiOutsideStringsAndCommentsIsRefusedWhereItStands) {
  // U+03E0 where a value starts reached a point the parser marks unreachable.
  EXPECT_EQ(first_problem("seed = 1\nouter = \xcf\xa0 # draws\n"),
            "s.toml:2:9: a character outside the ASCII range where only a key, a value or white "
            "space may stand (put text in quotes)");
  EXPECT_EQ(first_problem("s\xc3\xa9"
                          "ed = 1\n")
                .rfind("s.toml:1:2: a character outside", 0),
            0u);
  // In strings and comments it is text like any other.
  EXPECT_EQ(first_problem("input = \"caf\xc3\xa9\" # \xcf\xa0"
                          "\nsampling = '\xcf\xa0'\n")
                .find("ASCII"),
            std::string::npos);
}

TEST(TomlPrescan, BracketsInValuesStringsAndCommentsAreNoHeaders) {
  const std::string fine[] = {
      "percentiles = [\n[+1],\n]\n",     // an array in an array
      "input = \"\"\"\n[/x]\n\"\"\"\n",  // a multi-line string
      "input = '''\n[/x]'''''\n[[vary]]\nfield = \"WU_WASTEVOL\"\n",
      "input = \"a\\\"[\"\n# [/x]\n[\"vary\"]\n",  // an escaped quote, a comment
      "[ vary ]\n",
      "[]\n",  // the parser's own error: a blank key
  };
  for (const std::string& toml : fine) {
    SCOPED_TRACE(toml);
    EXPECT_EQ(first_problem(toml).find(kRefusal), std::string::npos) << first_problem(toml);
  }
  EXPECT_NE(first_problem("input = \"\"\"\n\"\"\"\n[/x]\n").find(kRefusal), std::string::npos);
}

}  // namespace
}  // namespace vorn::scenario
