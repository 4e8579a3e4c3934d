// Table headers whose key starts with a character no key starts with are refused by the
// reader itself, at that character: the TOML parser would assert, or assume, otherwise.
// Brackets that open a line inside a value, a string or a comment are no header.
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

TEST(TableHeaders, AHeaderWhoseKeyCannotStartIsRefusedAtItsFirstCharacter) {
  EXPECT_EQ(first_problem("seed = 1\n\n[/landfill]\n"),
            "s.toml:3:2: a table header starts with a key: a bare key or a quoted one");
  EXPECT_EQ(first_problem("seed = 1\n  [[ =\n"),
            "s.toml:2:6: a table header starts with a key: a bare key or a quoted one");
  // Columns count characters: the two bytes of "é" are one.
  EXPECT_EQ(first_problem("input = \"é\"\n[.x]\n"),
            "s.toml:2:2: a table header starts with a key: a bare key or a quoted one");
}

TEST(TableHeaders, BracketsInValuesStringsAndCommentsAreNoHeaders) {
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
