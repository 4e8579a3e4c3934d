// The eight site and waste-unit parameters: echoes, range warnings and stops.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

using Lines = std::vector<std::string>;

std::string site(const std::string& key, const std::string& type, const std::string& risk,
                 const std::string& hq, const std::string& volume, const std::string& unit,
                 const std::string& life, const std::string& flow) {
  return key + "\n" + type + "\n" + risk + "\n" + hq + "\n" + volume + "\n" + unit + "\n" + life +
         "\n" + flow + "\n";
}

MemoryRun run_site(const std::string& site_lines) {
  InputBuilder input;
  input.site = site_lines;
  return run_text(input.text());
}

// The first `n` lines of VORN.DBG.
Lines first_lines(const MemoryRun& r, std::size_t n) {
  Lines lines = lines_of(r.files.debug);
  if (lines.size() > n) lines.resize(n);
  return lines;
}

TEST(SiteParameters, EchoesEachValueWithItsLabel) {
  const auto r = run_site(site("101", "LF", "1.0E-5", "1.0", "10000.", "0", "20", "0"));
  ASSERT_EQ(r.outcome.status, Status::completed);
  EXPECT_EQ(first_lines(r, 8),
            (Lines{" SITEKEY=  101", " WMUTYPE=  LF", " RISKFACT=  1e-05", " HQFACT  =  1.0",
                   " WASTEVOL=  10000.0", " WASTE VOL.UNIT(0)= Cubic Yards",
                   " Active Life(years)=  20.0", " SI Flowrate(cbm/yr)=  0.0"}));
  const WasteUnit& wu = r.outcome.results->unit;
  EXPECT_EQ(wu.WU_SITEKEY, 101);
  EXPECT_EQ(wu.WU_RISKFACT, 1.0e-5);
  EXPECT_EQ(wu.WU_HQFACT, 1.0);
  EXPECT_EQ(wu.WU_WASTEVOL, 10000.0);
  EXPECT_EQ(wu.WU_VOLUNIT, 0);
  EXPECT_EQ(wu.WU_ACTLIFE, 20.0);
}

TEST(SiteParameters, UnitTypeInAnyLetterCaseIsStoredInUpperCase) {
  for (const char* type : {"LF", "Lf", "lF", "lf", "LFX", "'lf'", "lfill"}) {
    const auto r = run_site(site("1", type, "1.0E-5", "1.0", "10000", "0", "20", "0"));
    ASSERT_EQ(r.outcome.status, Status::completed) << type;
    EXPECT_EQ(lines_of(r.files.debug).at(1), " WMUTYPE=  LF") << type;
    EXPECT_EQ(r.outcome.results->unit.WU_WMUTYPE, "LF") << type;
  }
  for (const char* type : {"SI", "Si", "sI", "si", "\"si\""}) {
    const auto r = run_site(site("1", type, "1.0E-5", "1.0", "10000", "0", "20", "0"));
    ASSERT_EQ(r.outcome.status, Status::completed) << type;
    EXPECT_EQ(lines_of(r.files.debug).at(1), " WMUTYPE=  SI") << type;
    EXPECT_EQ(r.outcome.results->unit.WU_WMUTYPE, "SI") << type;
  }
}

TEST(SiteParameters, VolumeUnitEchoes) {
  const char* expected[] = {" WASTE VOL.UNIT(0)= Cubic Yards", " WASTE VOL.UNIT(1)= Cubic Feet",
                            " WASTE VOL.UNIT(2)= Cubic Meters"};
  for (int unit = 0; unit <= 2; ++unit) {
    const auto r =
        run_site(site("1", "SI", "1.0E-5", "1.0", "10000", std::to_string(unit), "20", "0"));
    ASSERT_EQ(r.outcome.status, Status::completed);
    EXPECT_EQ(lines_of(r.files.debug).at(5), expected[unit]);
    EXPECT_EQ(r.outcome.results->unit.WU_VOLUNIT, unit);
  }
}

TEST(SiteParameters, RiskAndHazardTargetsOutsideTheirRangesGiveAWarningAndAreUsed) {
  struct Case {
    const char* risk;
    const char* hq;
    const char* risk_line;
    const char* hq_line;
  };
  const std::vector<Case> cases = {
      {"1.0E-4", "0.1", " RISKFACT=  0.0001", " HQFACT  =  0.1"},
      {"1.0E-6", "1.0", " RISKFACT=  1e-06", " HQFACT  =  1.0"},
      {"2.0E-4", "0.05", " Warning: User specified risk(1e-6~1e-4) is:  0.0002",
       " Warning: User specified HQ(0.1~1.0) is:  0.05"},
      {"9.9E-7", "1.5", " Warning: User specified risk(1e-6~1e-4) is:  9.9e-07",
       " Warning: User specified HQ(0.1~1.0) is:  1.5"},
      {"0", "-1", " Warning: User specified risk(1e-6~1e-4) is:  0.0",
       " Warning: User specified HQ(0.1~1.0) is:  -1.0"},
      {"NaN", "nan", " Warning: User specified risk(1e-6~1e-4) is:  NaN",
       " Warning: User specified HQ(0.1~1.0) is:  NaN"},
  };
  for (const auto& c : cases) {
    const auto r = run_site(site("1", "LF", c.risk, c.hq, "10000", "0", "20", "0"));
    ASSERT_EQ(r.outcome.status, Status::completed) << c.risk;
    const Lines lines = lines_of(r.files.debug);
    EXPECT_EQ(lines.at(2), c.risk_line);
    EXPECT_EQ(lines.at(3), c.hq_line);
    const WasteUnit& wu = r.outcome.results->unit;
    const double risk = std::strtod(c.risk, nullptr), hq = std::strtod(c.hq, nullptr);
    if (std::isnan(risk)) {
      EXPECT_TRUE(std::isnan(wu.WU_RISKFACT));
      EXPECT_TRUE(std::isnan(wu.WU_HQFACT));
    } else {
      EXPECT_EQ(wu.WU_RISKFACT, risk);
      EXPECT_EQ(wu.WU_HQFACT, hq);
    }
  }
}

TEST(SiteParameters, FlowRateIsEchoedForEitherTypeWithoutCheck) {
  for (const char* type : {"LF", "SI"}) {
    for (const auto& [flow, line] : std::vector<std::pair<const char*, const char*>>{
             {"5000.", " SI Flowrate(cbm/yr)=  5000.0"},
             {"0", " SI Flowrate(cbm/yr)=  0.0"},
             {"-3.5", " SI Flowrate(cbm/yr)=  -3.5"}}) {
      const auto r = run_site(site("1", type, "1.0E-5", "1.0", "10000", "0", "20", flow));
      ASSERT_EQ(r.outcome.status, Status::completed);
      EXPECT_EQ(lines_of(r.files.debug).at(7), line);
    }
  }
}

TEST(SiteParameters, ExtraValuesOnALineAreIgnored) {
  const auto r = run_site("101 202, 303\nSI LF\n1.0E-5 1\n1.0 2\n10000 3\n2 0\n20 4\n5000 6 7\n");
  ASSERT_EQ(r.outcome.status, Status::completed);
  EXPECT_EQ(first_lines(r, 8),
            (Lines{" SITEKEY=  101", " WMUTYPE=  SI", " RISKFACT=  1e-05", " HQFACT  =  1.0",
                   " WASTEVOL=  10000.0", " WASTE VOL.UNIT(2)= Cubic Meters",
                   " Active Life(years)=  20.0", " SI Flowrate(cbm/yr)=  5000.0"}));
}

struct StopCase {
  std::string site;
  Lines echoed;  // the lines before the stop
  Lines stop;    // the stop's message lines
};

const Lines kEchoKeyType = {" SITEKEY=  1", " WMUTYPE=  LF", " RISKFACT=  1e-05",
                            " HQFACT  =  1.0"};

Lines joined(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<StopCase> stop_cases() {
  const Lines to_volume = joined(kEchoKeyType, {" WASTEVOL=  10000.0"});
  const Lines to_life = joined(to_volume, {" WASTE VOL.UNIT(0)= Cubic Yards"});
  const Lines illegal_tail = {"0-Cubic Yards, 1-Cubic Feet, 2-Cubic Meters"};
  return {
      {site("1", "XX", "1.0E-5", "1.0", "10000", "0", "20", "0"),
       {" SITEKEY=  1"},
       {"Stop, Error: WMUTYPE=  XX"}},
      // The unit type as read, fitted to two characters.
      {site("1", "X", "1.0E-5", "1.0", "10000", "0", "20", "0"),
       {" SITEKEY=  1"},
       {"Stop, Error: WMUTYPE=  X "}},
      {site("1", "landfill", "1.0E-5", "1.0", "10000", "0", "20", "0"),
       {" SITEKEY=  1"},
       {"Stop, Error: WMUTYPE=  la"}},
      {site("1", "'S'", "1.0E-5", "1.0", "10000", "0", "20", "0"),
       {" SITEKEY=  1"},
       {"Stop, Error: WMUTYPE=  S "}},
      {site("1", "L", "1.0E-5", "1.0", "10000", "0", "20", "0"),
       {" SITEKEY=  1"},
       {"Stop, Error: WMUTYPE=  L "}},
      {site("1", "LF", "1.0E-5", "1.0", "0", "0", "20", "0"),
       kEchoKeyType,
       {"Stop, Error: Waste volume= 0.0"}},
      {site("1", "LF", "1.0E-5", "1.0", "-5", "0", "20", "0"),
       kEchoKeyType,
       {"Stop, Error: Waste volume= -5.0"}},
      {site("1", "LF", "1.0E-5", "1.0", "NaN", "0", "20", "0"),
       kEchoKeyType,
       {"Stop, Error: Waste volume= NaN"}},
      {site("1", "LF", "1.0E-5", "1.0", "-Infinity", "0", "20", "0"),
       kEchoKeyType,
       {"Stop, Error: Waste volume= -Infinity"}},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "3", "20", "0"), to_volume,
       joined({"Stop, Error: Illegal vol.unit= 3"}, illegal_tail)},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "-1", "20", "0"), to_volume,
       joined({"Stop, Error: Illegal vol.unit= -1"}, illegal_tail)},
      // Checked before it is narrowed to 16 bits, where 65536 would be 0.
      {site("1", "LF", "1.0E-5", "1.0", "10000", "65536", "20", "0"), to_volume,
       joined({"Stop, Error: Illegal vol.unit= 65536"}, illegal_tail)},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "65538", "20", "0"), to_volume,
       joined({"Stop, Error: Illegal vol.unit= 65538"}, illegal_tail)},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "0", "0", "0"),
       to_life,
       {"Stop, Error: Active Life(years)= 0.0"}},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "0", "-20", "0"),
       to_life,
       {"Stop, Error: Active Life(years)= -20.0"}},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "0", "nan", "0"),
       to_life,
       {"Stop, Error: Active Life(years)= NaN"}},
  };
}

TEST(SiteParameters, EachStopWritesItsLinesToTheLogAndNoReport) {
  for (const StopCase& c : stop_cases()) {
    SCOPED_TRACE(c.stop.front());
    const auto r = run_site(c.site);
    EXPECT_EQ(r.outcome.status, Status::stopped);
    EXPECT_EQ(r.outcome.exit_status(), 2);
    EXPECT_EQ(r.outcome.message, c.stop);
    EXPECT_EQ(r.outcome.message_file, "VORN.DBG");
    Lines expected = c.echoed;
    for (const auto& line : c.stop) expected.push_back(" " + line);
    EXPECT_EQ(lines_of(r.files.debug), expected);
    EXPECT_FALSE(r.files.report.has_value());
    EXPECT_EQ(r.outcome.stdout_text, "");
    EXPECT_FALSE(r.outcome.results);
  }
}

TEST(SiteParameters, AStopInADirectoryLeavesAnOldReportAsItIs) {
  ScratchDir dir;
  InputBuilder input;
  input.site = site("1", "LF", "1.0E-5", "1.0", "10000", "65536", "20", "0");
  write_text(dir / "VORN.IN", input.text());
  write_text(dir / "VORN.OUT", "an old report\n");
  const Outcome outcome = run(dir.path());
  EXPECT_EQ(outcome.status, Status::stopped);
  EXPECT_EQ(read_text(dir / "VORN.OUT"), "an old report\n");
  const Lines lines = lines_of(read_text(dir / "VORN.DBG"));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[5], " Stop, Error: Illegal vol.unit= 65536");
  EXPECT_EQ(lines[6], " 0-Cubic Yards, 1-Cubic Feet, 2-Cubic Meters");
}

TEST(SiteParameters, ValuesOfTheWrongKindAreFatalInputErrors) {
  struct Case {
    std::string site;
    std::string message;
  };
  const std::string prefix = "vorn: fatal input error on unit 1 (VORN.IN), ";
  const std::vector<Case> cases = {
      {site("1.5", "LF", "1.0E-5", "1.0", "10000", "0", "20", "0"),
       prefix + "line 1: \"1.5\" is not an integer"},
      {site("1", "LF", "1.0E-5x", "1.0", "10000", "0", "20", "0"),
       prefix + "line 3: \"1.0E-5x\" is not a real"},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "0.0", "20", "0"),
       prefix + "line 6: \"0.0\" is not an integer"},
      {site("1", "LF", "1.0E-5", "1.0", "10000", "2147483648", "20", "0"),
       prefix + "line 6: \"2147483648\" is not an integer"},
      {"1\nLF\n1.0E-5\n1.0\n10000\n0\n20\n", ""},
  };
  for (const auto& c : cases) {
    const auto r = c.message.empty() ? run_text(c.site) : run_site(c.site);
    EXPECT_EQ(r.outcome.status, Status::fatal_input_error);
    ASSERT_EQ(r.outcome.message.size(), 1u);
    const std::string expected =
        c.message.empty() ? prefix + "line 8: end of file before all values were read" : c.message;
    EXPECT_EQ(r.outcome.message[0], expected);
    EXPECT_EQ(lines_of(r.files.debug).back(), " " + expected);
    EXPECT_EQ(r.outcome.stderr_text, expected + "\n");
    EXPECT_FALSE(r.files.report.has_value());
  }
}

}  // namespace
}  // namespace vorn::test
