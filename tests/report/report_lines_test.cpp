// Line kinds of the report and the fields of its data rows and totals lines.
#include <gtest/gtest.h>

#include <string>

#include "report/report_lines.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

std::string blanks(std::size_t n) {
  return std::string(n, ' ');
}

TEST(ReportFields, NameFieldIsLeftAdjustedAndCutOrPaddedToFifty) {
  EXPECT_EQ(name_field("Benzene").text(), "Benzene" + blanks(43));
  EXPECT_EQ(name_field("   Benzene   ").text(), "Benzene" + blanks(43));
  EXPECT_EQ(name_field(blanks(255)).text(), blanks(50));
  EXPECT_EQ(name_field("").text(), blanks(50));

  const std::string sixty = "0123456789ABCDEFGHIJabcdefghij0123456789ABCDEFGHIJabcdefghij";
  EXPECT_EQ(name_field(sixty).text(), sixty.substr(0, 50));
  // Leading blanks go before the cut, so the 50 characters are the name's own.
  EXPECT_EQ(name_field(blanks(20) + sixty).text(), sixty.substr(0, 50));
  // Inner blanks stay; only the space character is a blank.
  EXPECT_EQ(name_field("Arsenic, inorganic").text(), "Arsenic, inorganic" + blanks(32));
  EXPECT_EQ(name_field("\tLead\t").text(), "\tLead\t" + blanks(44));
}

TEST(ReportFields, CasFieldIsTrimmedAndCutOrPaddedToFifteen) {
  EXPECT_EQ(cas_field("71-43-2" + blanks(22)).text(), "71-43-2" + blanks(8));
  EXPECT_EQ(cas_field("  7440-38-2").text(), "7440-38-2" + blanks(6));
  EXPECT_EQ(cas_field("12345678901234567890123456789").text(), "123456789012345");
  EXPECT_EQ(cas_field(blanks(29)).text(), blanks(15));
}

TEST(ReportFields, PathwayFieldIsWrittenUnchanged) {
  EXPECT_EQ(pathway_field(" GW Ingestion  ").text(), " GW Ingestion  ");
  EXPECT_EQ(pathway_field("Air").text(), "Air" + blanks(12));
}

TEST(ReportFields, FillerIsBlanksOfItsWidth) {
  EXPECT_EQ(filler(10).text(), blanks(10));
  EXPECT_EQ(filler(15).text(), blanks(15));
}

TEST(ReportLines, EachKindEndsInOneLineFeed) {
  StringSink sink;
  ReportLines lines(sink);
  lines.title("Table 1. Cancer risk");
  lines.fixed("   header,  label");
  lines.separator();
  lines.blank();
#ifdef _WIN32
  const std::string end = "\r\n";
#else
  const std::string end = "\n";
#endif
  EXPECT_EQ(sink.text, " Table 1. Cancer risk" + end + "   header,  label" + end +
                           std::string(120, '-') + end + end);
}

TEST(ReportLines, DataRowJoinsFieldsWithSingleCommas) {
  StringSink sink;
  ReportLines lines(sink);
  lines.row({name_field(" Benzene"), cas_field("71-43-2"), number(1.234E-5), filler(10),
             number(-2.5), pathway_field("Groundwater    ")});
  const std::vector<std::string> written = lines_of(sink.text);
  ASSERT_EQ(written.size(), 1u);
  const std::string& row = written[0];
  // 50 for the name, 16 per CAS or pathway field, 11 per number or filler field.
  EXPECT_EQ(row.size(), 50u + 16 + 11 + 11 + 11 + 16);
  EXPECT_EQ(row, "Benzene" + blanks(43) + ",71-43-2" + blanks(8) + ", 0.123E-04," + blanks(10) +
                     ",-0.250E+01,Groundwater    ");
}

TEST(ReportLines, TotalsLineStartsWithItsLabel) {
  StringSink sink;
  ReportLines lines(sink);
  lines.totals("Total risk" + blanks(40), {filler(15), filler(10), number(0.0), number(1.0E30)});
  EXPECT_EQ(lines_of(sink.text).at(0), "Total risk" + blanks(40) + "," + blanks(15) + "," +
                                           blanks(10) + ", 0.000E+00, 0.100E+31");
}

TEST(ReportLines, FactorLinesRightJustifyTheirLabels) {
  StringSink sink;
  ReportLines lines(sink);
  lines.factor("Risk Factor=", 1.0E-5, 2);
  lines.factor("HQ Factor=", 1.0, 0);
  const std::vector<std::string> written = lines_of(sink.text);
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0], "  Risk Factor= 0.100E-04");
  EXPECT_EQ(written[0].size(), 24u);
  EXPECT_EQ(written[1], "  HQ Factor= 0.100E+01");
  EXPECT_EQ(written[1].size(), 22u);
  // The number occupies columns 15 to 24 and 13 to 22: the two do not line up.
  EXPECT_EQ(written[0].substr(14), " 0.100E-04");
  EXPECT_EQ(written[1].substr(12), " 0.100E+01");
}

}  // namespace
}  // namespace vorn::test
