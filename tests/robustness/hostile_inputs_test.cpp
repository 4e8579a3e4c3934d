// Hostile VORN.IN files: each ends in its defined outcome with a clear message, and the
// files left behind have the shape every run must leave.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/free_form.hpp"
#include "outcome_checks.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::vector<std::string> kBenzene = {
    "0.005",  "0.055", "0.0273", "0.004", "0.03",  "5.2",   "1820",  "0.5",  "5.55e-3",
    "9.8e-6", "0.088", "1750",   "0",     "0",     "0.7",   "0.015", "0.29", "0.051",
    "1",      "-1",    "0.13",   "C",     "78.11", "0.125", "-1",    "2.13"};

InputBuilder one_benzene() {
  InputBuilder in;
  in.properties = {property_line("Benzene", "71-43-2", kBenzene)};
  in.concentrations = {"0.5 N 100 N"};
  in.daf_rows = {"71-43-2 0.001 10.5 10.5 0.001 2.1 2.1"};
  return in;
}

void expect_sound(const MemoryRun& r) {
  for (const std::string& problem : outcome_problems(r.outcome, r.files)) ADD_FAILURE() << problem;
}

void expect_fatal(const MemoryRun& r, const std::string& line_and_what) {
  expect_sound(r);
  ASSERT_EQ(r.outcome.status, Status::fatal_input_error);
  EXPECT_EQ(r.outcome.message.at(0),
            "vorn: fatal input error on unit 1 (VORN.IN), " + line_and_what);
  EXPECT_FALSE(r.files.report.has_value());
}

TEST(HostileInput, ChemicalCountFarBeyondTheLinesEndsAtTheFirstLineThatIsNoPropertyLine) {
  InputBuilder in = one_benzene();
  in.properties = {in.properties[0], in.properties[0], in.properties[0]};
  std::string text = in.text();
  text.replace(text.find("\n3\n"), 3, "\n2000000000\n");
  const MemoryRun r = run_text(text);
  // Line 14 is the heading of the concentration lines, read as the fourth property line.
  expect_fatal(r, "line 14: \"FLAG\" is not a real");
  EXPECT_NE(r.files.debug.find(" Number of Species= 2000000000\n"), std::string::npos);
  EXPECT_NE(r.files.debug.find(" -----SITE COCS: # 3\n"), std::string::npos);
  EXPECT_EQ(r.files.debug.find(" -----SITE COCS: # 4\n"), std::string::npos);
}

TEST(HostileInput, TenMegabyteLinesAreReadOnlyAsFarAsTheirValuesGo) {
  const std::string huge(10 * 1024 * 1024, 'x');
  const MemoryRun plain = run_text(one_benzene().text());
  ASSERT_EQ(plain.outcome.status, Status::completed);

  // A heading line and the text after the 27 values of a property line are never parsed.
  InputBuilder in = one_benzene();
  std::string text = in.text();
  text.replace(text.find("ChemicalName @"), 0, huge);
  in.properties[0] += " " + huge;
  for (const std::string& input : {text, in.text()}) {
    const MemoryRun r = run_text(input);
    expect_sound(r);
    ASSERT_EQ(r.outcome.status, Status::completed);
    EXPECT_EQ(r.files.report, plain.files.report);
  }

  // A 10 MB integer: a fatal error whose message shows the value's first 80 characters.
  const MemoryRun digits = run_text(std::string(10 * 1024 * 1024, '9') + "\n");
  expect_fatal(digits, "line 1: \"" + std::string(80, '9') + "...\" is not an integer");

  // A 10 MB real in a real field reads as a value beyond the double range: infinity.
  InputBuilder wide = one_benzene();
  wide.site.replace(wide.site.find("10000"), 5, "1" + std::string(10 * 1024 * 1024, '0'));
  const MemoryRun r = run_text(wide.text());
  expect_sound(r);
  ASSERT_EQ(r.outcome.status, Status::completed);
  EXPECT_EQ(r.outcome.results->unit.WU_WASTEVOL, INFINITY);
}

TEST(HostileInput, BinaryGarbageIsAFatalErrorWithAPrintableMessage) {
  std::mt19937 bits(20240613);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(bits() & 0xFF);
  // The first value starts with a byte that is no separator, digit or sign.
  garbage[0] = '\xE9';
  const MemoryRun r = run_text(garbage);
  expect_sound(r);  // printable message, last line of VORN.DBG, no VORN.OUT
  ASSERT_EQ(r.outcome.status, Status::fatal_input_error);
  EXPECT_EQ(
      r.outcome.message[0].rfind("vorn: fatal input error on unit 1 (VORN.IN), line 1: \"\\xe9", 0),
      0u)
      << r.outcome.message[0];
  EXPECT_LT(r.outcome.message[0].size(), 500u);
}

TEST(HostileInput, EmptyFileIsAFatalErrorAndLeavesNoReport) {
  expect_fatal(run_text(""), "line 1: end of file before all values were read");

  ScratchDir dir;
  write_text(dir / "VORN.IN", "");
  const Outcome outcome = run(dir.path());
  EXPECT_EQ(outcome.exit_status(), 3);
  EXPECT_FALSE(std::filesystem::exists(dir / "VORN.OUT"));
  EXPECT_EQ(lines_of(read_text(dir / "VORN.DBG")).back(), " " + outcome.message.at(0));
}

// A quoted text read from the file may run on over later, shorter lines.
TEST(HostileInput, QuotedTextRunningOverShorterLinesIsAFatalErrorShowingItsText) {
  expect_fatal(run_text("1\n  'LF\nx"), "line 2: quoted text \"'LF\" is not closed");
  expect_fatal(run_text("1\n    'L\nF'x\n"), "line 3: quoted text \"F'x\" is followed by \"x\"");
}

TEST(HostileInput, PropertyLineWithFewerThan27ValuesIsAFatalErrorNamingItsLine) {
  for (std::size_t given : {20u, 26u}) {
    InputBuilder in = one_benzene();
    // CAS number and given - 1 of the 26 values that follow it.
    in.properties = {
        property_line("Benzene", "71-43-2",
                      std::vector<std::string>(kBenzene.begin(), kBenzene.begin() + given - 1))};
    expect_fatal(run_text(in.text()),
                 "line 11: the line ends after " + std::to_string(given) + " of 27 values");
  }
}

TEST(HostileInput, MissingDafSectionIsAFatalError) {
  std::string text = one_benzene().text();
  text.erase(text.find("CHEMCAS LFCONC"));
  const MemoryRun r = run_text(text);
  expect_fatal(r, "line 14: end of file before the heading line of the DAF table");
  // Everything before the missing section was read and echoed.
  EXPECT_NE(r.files.debug.find(" TCLP Conc.(mg/L)= 0.5\n"), std::string::npos);
}

// Every real field NaN, +Infinity or -Infinity; no DAF table rows for these chemicals.
TEST(HostileInput, NonFiniteValuesInEveryRealFieldStillGiveTheReport) {
  auto every = [](const std::string& x, const std::string& organic) {
    std::vector<std::string> v(18, x);
    v.push_back(organic);
    for (const std::string& rest : {x, x, std::string("C"), x, x, x, x}) v.push_back(rest);
    return v;
  };
  InputBuilder in;
  in.properties = {property_line("AllNaN", "111-11-1", every("NaN", "1")),
                   property_line("AllInf", "222-22-2", every("Infinity", "0")),
                   property_line("AllNegInf", "333-33-3", every("-Infinity", "0"))};
  in.concentrations = {"NaN N NaN N", "Infinity N inf N", "-Infinity N -inf N"};
  const MemoryRun r = run_text(in.text());
  expect_sound(r);  // ten tables, three rows each, every number field 10 characters
  ASSERT_EQ(r.outcome.status, Status::completed);
  const Results& res = *r.outcome.results;
  const Chemical& nan = res.chemicals.at(0);
  const ResultSlots& nan_slots = res.results.at(0);
  // A NaN is neither below nor equal to 0: kept, never floored or replaced.
  EXPECT_TRUE(std::isnan(nan.TCLPCONC));
  EXPECT_TRUE(std::isnan(nan.ECOCHRON));
  EXPECT_TRUE(std::isnan(nan.DAFLF));
  EXPECT_TRUE(std::isnan(nan_slots.DAFC));
  // NaN slope factors and reference doses fail the ingestion gate: the slots keep their
  // initial values.
  EXPECT_EQ(nan_slots.R_GWING, 0.0);
  EXPECT_EQ(nan_slots.H_GWING, 0.0);
  EXPECT_EQ(nan_slots.CC_GWING, 1.0E30);
  EXPECT_EQ(nan_slots.CN_GWING, 1.0E30);
  // A NaN Henry coefficient fails the indoor-inhalation gate.
  EXPECT_EQ(nan_slots.CC_GWINH, 1.0E30);
  // -Infinity is below 0: floored concentrations, replaced ECOCHRON and own DAFs.
  const Chemical& neg = res.chemicals.at(2);
  EXPECT_EQ(neg.TCLPCONC, 1.0E-10);
  EXPECT_EQ(neg.TOTC, 1.0E-10);
  EXPECT_EQ(neg.ECOCHRON, 0.0);
  EXPECT_EQ(neg.DAFLF, 15.100000381469727);
  EXPECT_EQ(neg.DAFSI, 3.180000066757202);
  // +Infinity passes every "greater than 0" test.
  EXPECT_EQ(res.results.at(1).R_AIRPT, INFINITY);

  const std::vector<std::string> report = lines_of(*r.files.report);
  EXPECT_EQ(report.at(3).substr(0, 61),
            "AllNaN                                            ,       NaN");
  EXPECT_EQ(report.at(4).substr(0, 61),
            "AllInf                                            ,  Infinity");
  const std::string table10_last = report.back();
  EXPECT_EQ(table10_last.substr(50, 38), ",333-33-3       , -Infinity, 0.100E-09");
}

TEST(HostileInput, RealsWithExtremeDigitCountsReadAsTheirValue) {
  double v = 0;
  // Leading zeros that offset a large exponent: 0.1, and 1.0E-200002, which is 0.
  ASSERT_TRUE(parse_real("0." + std::string(100001, '0') + "1e100001", v));
  EXPECT_EQ(v, 0.1);
  ASSERT_TRUE(parse_real("0." + std::string(100001, '0') + "1e-99999", v));
  EXPECT_EQ(v, 0.0);
  ASSERT_TRUE(parse_real("1" + std::string(400, '0') + "e-500", v));
  EXPECT_EQ(v, 1e-100);
  ASSERT_TRUE(parse_real("1e99999999999999999999999", v));
  EXPECT_EQ(v, INFINITY);
  ASSERT_TRUE(parse_real("-1d-99999999999999999999999", v));
  EXPECT_TRUE(v == 0.0 && std::signbit(v));
}

}  // namespace
}  // namespace vorn::test
