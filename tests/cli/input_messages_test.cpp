// The program's own message for the common mistakes in a VORN.IN, each an edit of the landfill
// example: where, in plain words, with the likely cause. The log keeps its own line.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

std::string joined(const Lines& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return text;
}

// The example's lines 11 and 22: Benzene's property and concentration lines.
const std::string kToluene =
    "Toluene @ 108-88-3 1 -1 -1 0.08 5 10.7 -1 -1 6.64E-3 9.2E-6 0.087 526 0 0 0.77 0.031 0.32 "
    "0.11 1 -1 0.0098 N 92.14 0.0375 0.5 2.73";

// Replaces `from` by `to` on line n (from 1).
std::function<void(Lines&)> on_line(std::size_t n, std::string from, std::string to) {
  return [=](Lines& lines) {
    std::string& line = lines.at(n - 1);
    const std::size_t at = line.find(from);
    ASSERT_NE(at, std::string::npos) << line;
    line.replace(at, from.size(), to);
  };
}

const std::string kWarnings =
    "vorn: warning: chemical 2 \"Trichloroethylene\" (79-01-6) has no DAF rows: the run used its "
    "own DAFLF 12.4, times the unit's scale factor 1.68955: 20.9504\n"
    "vorn: warning: chemical 4 \"Naphthalene\" (91-20-3) has no DAF rows: the run used the "
    "default landfill DAF 15.1, times the unit's scale factor 1.68955: 25.5122\n";

struct Mistake {
  const char* what;
  std::function<void(Lines&)> edit;
  int status;
  std::string err;       // the whole of standard error
  std::string log_line;  // the last line of VORN.DBG, as the log has always written it
};

TEST(InputMessages, EachMistakeIsNamedWhereItIsWithItsLikelyCauseAndTheLogKeepsItsLine) {
  const std::vector<Mistake> mistakes = {
      {"an 11th chemical with the count left at 10",
       [](Lines& l) { l.insert(l.begin() + 20, kToluene); }, 3,
       "vorn: VORN.IN line 22, concentration line of chemical 1 \"Benzene\": expected TCLPCONC, a "
       "number; found \"TCLP\"\n"
       "vorn: line 22 looks like a heading: line 9 says 10 chemicals; found 11 property lines "
       "before the heading at line 22\n",
       " vorn: fatal input error on unit 1 (VORN.IN), line 22: \"TCLP\" is not a real"},
      {"a count of 11 with 10 property lines", on_line(9, "10", "11"), 3,
       "vorn: VORN.IN line 21, property line of chemical 11: expected MCL, a number; found "
       "\"FLAG\"\n"
       "vorn: line 21 looks like a heading: line 9 says 11 chemicals; found 10 property lines "
       "before the heading at line 21\n",
       " vorn: fatal input error on unit 1 (VORN.IN), line 21: \"FLAG\" is not a real"},
      {"a decimal comma on a property line", on_line(11, "0.29 0.051", "0,29 0.051"), 3,
       "vorn: VORN.IN line 11, property line of chemical 1 \"Benzene\": expected ORGANIC, a whole "
       "number; found \"0.051\"\n"
       "vorn: \"0,29\" on line 11: commas separate values; use '.' for decimals\n",
       " vorn: fatal input error on unit 1 (VORN.IN), line 11: \"0.051\" is not an integer"},
      {"a word for a number on a line whose name holds a comma",
       [](Lines& l) {
         l[10] =
             "1,2-Dichloroethane @ 107-06-2 0.005 0.091 0.091 0.02 0.007 1.2 3000 0.5 1.2E-3 "
             "1.1E-5 0.104 8600 0 0 0.33 0.0042 0.31 0.003 1 -1 0.9 C 98.96 0.1 0.07 zero";
       },
       3,
       "vorn: VORN.IN line 11, property line of chemical 1 \"1,2-Dichloroethane\": expected "
       "LOGKOW, a number; found \"zero\"\n",
       " vorn: fatal input error on unit 1 (VORN.IN), line 11: \"zero\" is not a real"},
      {"a decimal comma on a concentration line", on_line(22, "0.012", "0,012"), 3,
       "vorn: VORN.IN line 22, concentration line of chemical 1 \"Benzene\": expected TOTC, a "
       "number; found \"N\"\n"
       "vorn: \"0,012\" on line 22: commas separate values; use '.' for decimals\n",
       " vorn: fatal input error on unit 1 (VORN.IN), line 22: \"N\" is not a real"},
      {"the unit type written out", on_line(2, "LF", "Landfill"), 2,
       "vorn: run stopped: Stop, Error: WMUTYPE=  La (in run/VORN.DBG)\n"
       "vorn: VORN.IN line 2, unit line 2, WU_WMUTYPE (the unit type): must be LF (landfill) or "
       "SI (surface impoundment); found \"Landfill\"\n",
       " Stop, Error: WMUTYPE=  La"},
      {"a deleted unit line", [](Lines& l) { l.erase(l.begin() + 5); }, 2,
       "vorn: run stopped: Stop, Error: Illegal vol.unit= 15; 0-Cubic Yards, 1-Cubic Feet, "
       "2-Cubic Meters (in run/VORN.DBG)\n"
       "vorn: VORN.IN line 6, unit line 6, WU_VOLUNIT (the volume unit): must be 0 (cubic yards), "
       "1 (cubic feet) or 2 (cubic meters); found \"15\"\n"
       "vorn: the unit lines look shifted: the heading of the property lines is on line 9, where "
       "line 10 is expected; 1 line missing above it (VORN.IN begins with the eight unit lines, "
       "one value each, then the number of chemicals)\n",
       " 0-Cubic Yards, 1-Cubic Feet, 2-Cubic Meters"},
      {"a word for a number on a unit line", on_line(5, "6000", "six"), 3,
       "vorn: VORN.IN line 5, unit line 5: expected WU_WASTEVOL (the waste volume), a number; "
       "found \"six\"\n",
       " vorn: fatal input error on unit 1 (VORN.IN), line 5: \"six\" is not a real"},
      {"a file cut short in the unit lines", [](Lines& l) { l.resize(3); }, 3,
       "vorn: VORN.IN ends before all its values were read: expected WU_HQFACT (the target "
       "hazard quotient), a number on line 4 or later\n",
       " vorn: fatal input error on unit 1 (VORN.IN), line 4: end of file before all values were "
       "read"},
      {"a NaN among the values", on_line(11, "1820 0.5", "NaN 0.5"), 0,
       "vorn: warning: chemical 1 \"Benzene\" (71-43-2): SOILST is NaN (not a number); the run "
       "carries it through\n" +
           kWarnings,
       "22967-92-6          , 0.100E+01, 0.900E+02, 0.900E+02, 0.100E+01, 0.120E+02, 0.120E+02"},
  };
  const Lines example = lines_of(read_text(examples_dir() / "landfill" / "VORN.IN"));
  for (const Mistake& m : mistakes) {
    SCOPED_TRACE(m.what);
    ScratchDir dir;
    fs::create_directory(dir / "run");
    Lines lines = example;
    m.edit(lines);
    write_text(dir / "run" / "VORN.IN", joined(lines));
    const ProcessResult r = run_process({VORN_CLI, "run"}, dir.path());
    EXPECT_EQ(r.status, m.status);
    EXPECT_EQ(r.err, m.err);
    const Lines log = lines_of(read_text(dir / "run" / "VORN.DBG"));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), m.log_line);
  }
}

TEST(InputMessages, WarningsAndTheExplanationReachTheJsonAndThePage) {
  ScratchDir dir;
  fs::create_directory(dir / "run");
  fs::copy_file(examples_dir() / "landfill" / "VORN.IN", dir / "run" / "VORN.IN");
  ProcessResult r =
      run_process({VORN_CLI, "run", "--json", "r.json", "--html", "r.html"}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, kWarnings);
  const std::string json = read_text(dir / "r.json");
  EXPECT_NE(json.find("  \"warnings\": [\n    \"chemical 2 \\\"Trichloroethylene\\\" (79-01-6) has "
                      "no DAF rows"),
            std::string::npos);
  EXPECT_NE(read_text(dir / "r.html")
                .find("<h2>Warnings</h2>\n<ul class=\"warnings\">\n<li>"
                      "chemical 2 &quot;Trichloroethylene&quot;"),
            std::string::npos);

  Lines lines = lines_of(read_text(examples_dir() / "landfill" / "VORN.IN"));
  on_line(22, "0.012", "0,012")(lines);
  write_text(dir / "run" / "VORN.IN", joined(lines));
  r = run_process({VORN_CLI, "run", "--json", "r.json", "--html", "r.html"}, dir.path());
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(read_text(dir / "r.json")
                .find("  \"explanation\": \"VORN.IN line 22, concentration line of chemical 1 "
                      "\\\"Benzene\\\": expected TOTC, a number; found \\\"N\\\"\\n\\\"0,012\\\" "
                      "on line 22"),
            std::string::npos);
  const std::string page = read_text(dir / "r.html");
  EXPECT_NE(page.find("<h2>In plain words</h2>"), std::string::npos);
  EXPECT_EQ(page.find("The full tables are in VORN.OUT"), std::string::npos);
}

}  // namespace
}  // namespace vorn::test
