// Reading and echoing the DAF table section of VORN.IN.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/run_error.hpp"
#include "daf_fixture.hpp"
#include "groundwater/daf_curve.hpp"
#include "input/daf_table.hpp"
#include "support/test_run.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::string kHeading = "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n";

std::string blanks(std::size_t n) {
  return std::string(n, ' ');
}

// The two echo heading lines, spelt out column by column.
std::string echo_heading() {
  return blanks(12) + "CHEMCAS," + blanks(3) + "LFCONC," + blanks(5) + "LFCAR," + blanks(5) +
         "LFNON," + blanks(3) + "SICONC," + blanks(5) + "SICAR," + blanks(5) + "SINON";
}
const std::string kRule(80, '-');

// A DAF section read on its own, with the log kept in memory.
struct TableRead {
  explicit TableRead(std::string section) : file(std::move(section)) {
    rs.input = &file;
    rs.units.debug = &debug;
  }
  void read() { readdaftable(rs, kInputUnit, kDebugUnit); }
  std::vector<std::string> log() const { return lines_of(debug.text); }

  TestRun rs;
  InputFile file;
  StringSink debug;
};

void expect_row(const DafRow& row, const std::string& key, std::vector<double> values) {
  EXPECT_EQ(row.CHEMCAS, key + blanks(20 - key.size()));
  EXPECT_EQ(
      std::vector<double>({row.LFCONC, row.LFCAR, row.LFNON, row.SICONC, row.SICAR, row.SINON}),
      values)
      << key;
}

TEST(DafTable, HeadingOnlyGivesAnEmptyTableAndTheTwoEchoHeadings) {
  for (const std::string& section : {kHeading, std::string("heading without terminator")}) {
    TableRead t(section);
    t.read();
    EXPECT_EQ(t.rs.daf.NDAF, 0);
    EXPECT_EQ(t.log(), (std::vector<std::string>{echo_heading(), kRule}));
    EXPECT_EQ(echo_heading().size(), 83u);
  }
}

TEST(DafTable, MissingHeadingIsAFatalInputError) {
  TableRead t("");
  EXPECT_THROW(t.read(), FatalInputError);
}

TEST(DafTable, RowsAreStoredAndEchoedInFixedFormat) {
  TableRead t(kHeading +
              "71-43-2 0.001 10.5 10.5 0.001 2.1 2.1\n"
              "7440-38-2 1.0 25.3 24.1 1.0 4.2 4.0 and whatever follows\n");
  t.read();
  ASSERT_EQ(t.rs.daf.NDAF, 2);
  expect_row(t.rs.daf.row(1), "71-43-2", {0.001, 10.5, 10.5, 0.001, 2.1, 2.1});
  expect_row(t.rs.daf.row(2), "7440-38-2", {1.0, 25.3, 24.1, 1.0, 4.2, 4.0});
  const auto log = t.log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[2], "71-43-2" + blanks(13) +
                        ", 0.100E-02, 0.105E+02, 0.105E+02, 0.100E-02, 0.210E+01, 0.210E+01");
  EXPECT_EQ(log[3], "7440-38-2" + blanks(11) +
                        ", 0.100E+01, 0.253E+02, 0.241E+02, 0.100E+01, 0.420E+01, 0.400E+01");
  EXPECT_EQ(log[2].size(), 86u);
  EXPECT_EQ(log[3].size(), 86u);
}

TEST(DafTable, BlankLineEndsTheTableAndLaterLinesAreNeverRead) {
  // An empty line, a line of blanks and a CRLF empty line each end the table; the
  // lines after it are not even parsed.
  for (const std::string& blank :
       {std::string("\n"), std::string("     \n"), std::string("\r\n")}) {
    TableRead t(kHeading + "A 1 2 3 4 5 6\r\nB 1 2 3 4 5 6\n" + blank +
                "C 1 2 3 4 5 6\nnot a row at all\n");
    t.read();
    EXPECT_EQ(t.rs.daf.NDAF, 2);
    EXPECT_EQ(t.log().size(), 4u);
    expect_row(t.rs.daf.row(2), "B", {1, 2, 3, 4, 5, 6});
  }
}

TEST(DafTable, CommasAndBlanksSeparateAlike) {
  TableRead t(kHeading +
              "71-43-2 0.01 50 40 0.02 8 7\n"
              "71-43-2,0.01,50,40,0.02,8,7\n"
              "71-43-2 , 0.01 ,50,  40 ,0.02 8,7\n"
              "\"71 43, 2\",,50,40,0.02,8,7\n");
  t.read();
  ASSERT_EQ(t.rs.daf.NDAF, 4);
  for (int r = 1; r <= 3; ++r) expect_row(t.rs.daf.row(r), "71-43-2", {0.01, 50, 40, 0.02, 8, 7});
  // A quoted key may hold blanks and commas; an empty value leaves its column 0.
  expect_row(t.rs.daf.row(4), "71 43, 2", {0, 50, 40, 0.02, 8, 7});
  const auto log = t.log();
  EXPECT_EQ(log[2], log[3]);
  EXPECT_EQ(log[2], log[4]);
}

TEST(DafTable, SlashAfterThreeNumbersLeavesTheImpoundmentColumnsZero) {
  TableRead t(kHeading + "7439-97-6 0.1 11.3 11.2 / 9 9 9\n");
  t.read();
  ASSERT_EQ(t.rs.daf.NDAF, 1);
  expect_row(t.rs.daf.row(1), "7439-97-6", {0.1, 11.3, 11.2, 0, 0, 0});
  EXPECT_EQ(t.log()[2], "7439-97-6" + blanks(11) +
                            ", 0.100E+00, 0.113E+02, 0.112E+02, 0.000E+00, 0.000E+00, 0.000E+00");
}

TEST(DafTable, LongKeyKeepsItsFirstTwentyCharacters) {
  TableRead t(kHeading + "ABCDEFGHIJKLMNOPQRSTUVWXY 1 2 3 4 5 6\n");
  t.read();
  expect_row(t.rs.daf.row(1), "ABCDEFGHIJKLMNOPQRST", {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(t.log()[2].substr(0, 21), "ABCDEFGHIJKLMNOPQRST,");
  EXPECT_EQ(t.log()[2].size(), 86u);
}

TEST(DafTable, OnlyTheFirst1024CharactersOfARowLineAreRead) {
  // The sixth value starts in column 1023: only its first two digits are read.
  std::string line = "K 1 2 3 4 5";
  line += blanks(1022 - line.size()) + "777";
  TableRead t(kHeading + line + "\n");
  t.read();
  expect_row(t.rs.daf.row(1), "K", {1, 2, 3, 4, 5, 77});
}

TEST(DafTable, LineHoldingATabIsARowLine) {
  TableRead t(kHeading + "\t71-43-2\t1\t2\t3\t4\t5\t6\n");
  t.read();
  ASSERT_EQ(t.rs.daf.NDAF, 1);
  expect_row(t.rs.daf.row(1), "71-43-2", {1, 2, 3, 4, 5, 6});

  // A line of nothing but a tab is therefore a row without values.
  for (const std::string& tabbed : {std::string("\t"), std::string("  \t  ")}) {
    TableRead bad(kHeading + "A 1 2 3 4 5 6\n" + tabbed + "\nB 1 2 3 4 5 6\n");
    EXPECT_THROW(bad.read(), FatalInputError);
    EXPECT_EQ(bad.log().size(), 3u) << "the echo of the row before it stays";
  }

  InputBuilder b;
  b.daf_rows = {"71-43-2 1 2 3 4 5 6", "\t"};
  const MemoryRun r = run_text(b.text());
  EXPECT_EQ(r.outcome.status, Status::fatal_input_error);
  EXPECT_EQ(r.outcome.exit_status(), 3);
  EXPECT_FALSE(r.files.report.has_value());
  const auto log = lines_of(r.files.debug);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2].substr(0, 21), "71-43-2             ,");
  EXPECT_EQ(log.back(), " " + r.outcome.message.at(0));
}

TEST(DafTable, RowWithTooFewValuesIsAFatalInputError) {
  TableRead t(kHeading + "A 1 2 3 4 5 6\nB 1 2 3 4 5\n");
  try {
    t.read();
    FAIL() << "a row with five values was accepted";
  } catch (const FatalInputError& e) {
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
  TableRead letters(kHeading + "A 1 2 3 4 5 six\n");
  EXPECT_THROW(letters.read(), FatalInputError);
}

std::string rows(int count, const std::string& key) {
  std::string s;
  for (int r = 1; r <= count; ++r) s += key + " " + std::to_string(r) + " 2 3 4 5 6\n";
  return s;
}

TEST(DafTable, FiveHundredRowsFillTheTable) {
  TableRead t(kHeading + rows(500, "A"));
  t.read();
  EXPECT_EQ(t.rs.daf.NDAF, 500);
  EXPECT_EQ(t.rs.daf.row(500).LFCONC, 500.0);
  EXPECT_EQ(t.log().size(), 502u);

  TableRead ended(kHeading + rows(500, "A") + "\n" + rows(3, "B"));
  ended.read();
  EXPECT_EQ(ended.rs.daf.NDAF, 500);
}

TEST(DafTable, A501stRowLineStopsTheRunAfterFiveHundredEchoes) {
  InputBuilder b;
  b.daf_rows = lines_of(rows(500, "71-43-2"));
  b.daf_rows.push_back("the 501st line, not parsed: / ,,, 'unclosed");
  const MemoryRun r = run_text(b.text());
  EXPECT_EQ(r.outcome.status, Status::stopped);
  EXPECT_EQ(r.outcome.message,
            std::vector<std::string>{"Stop, Error: DAF table has more than 500 rows"});
  EXPECT_EQ(r.outcome.message_file, "VORN.DBG");
  EXPECT_FALSE(r.files.report.has_value());

  const auto log = lines_of(r.files.debug);
  ASSERT_GE(log.size(), 503u);
  const std::size_t heading = log.size() - 503;
  EXPECT_EQ(log[heading], echo_heading());
  EXPECT_EQ(log[heading + 1], kRule);
  EXPECT_EQ(log[heading + 2].substr(0, 32), "71-43-2             , 0.100E+01,");
  EXPECT_EQ(log[heading + 501].substr(0, 32), "71-43-2             , 0.500E+03,");
  EXPECT_EQ(log.back(), " Stop, Error: DAF table has more than 500 rows");
}

TEST(DafTable, SecondReadWithFewerRowsSeesOnlyItsOwnRows) {
  TableRead t(kHeading + rows(3, "X") + "Y 7 8 9 10 11 12\n");
  t.read();
  ASSERT_EQ(t.rs.daf.NDAF, 4);

  InputFile second(kHeading + "Y 1 2 3 /\n");
  t.rs.input = &second;
  t.read();
  EXPECT_EQ(t.rs.daf.NDAF, 1);
  // The columns are zeroed before the read, so the slash leaves 0, not the first read's values.
  expect_row(t.rs.daf.row(1), "Y", {1, 2, 3, 0, 0, 0});
  EXPECT_EQ(t.rs.daf.row(2).LFCONC, 0.0);

  // Rows left over from the first read are not found by a lookup.
  t.rs.wu.WU_WMUTYPE = "LF";
  Chemical& c = t.rs.chem.append();
  c.CHEMCAS = "X" + blanks(28);
  c.DAFLF = 20.0;
  int i = 1;
  getdafcurve(t.rs, kDebugUnit, i);
  EXPECT_EQ(t.rs.curve.DC_NPT, 1);
  EXPECT_EQ(t.rs.curve.DC_CONC[0], 1.0E6);
  EXPECT_EQ(t.rs.curve.DC_CAR[0], 20.0);
}

TEST(DafTable, SecondRunWithFewerRowsDoesNotFindTheFirstRunsRows) {
  InputBuilder b;
  b.properties = {chemical_line("Arsenic", "7440-38-2", 0)};
  b.concentrations = {"1.0 N 50 N"};
  b.daf_rows = {"71-43-2 1 10 10 1 2 2", "7440-38-2 0.1 30 30 0.1 3 3",
                "7440-38-2 10 40 40 10 4 4"};
  const MemoryRun first = run_text(b.text());
  ASSERT_EQ(first.outcome.status, Status::completed);
  EXPECT_GT(first.outcome.results->results.at(0).DAFC, 30.0);

  b.daf_rows = {"71-43-2 1 10 10 1 2 2"};
  const MemoryRun second = run_text(b.text());
  ASSERT_EQ(second.outcome.status, Status::completed);
  EXPECT_EQ(second.outcome.results->results.at(0).DAFC, 15.100000381469727);
  EXPECT_EQ(lines_of(second.files.debug).size(), lines_of(first.files.debug).size() - 2);
}

}  // namespace
}  // namespace vorn::test
