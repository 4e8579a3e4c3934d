// The structural checks that the fuzz targets and the hostile-input tests rely on find the
// faults they are meant to find.
#include <gtest/gtest.h>

#include "outcome_checks.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

MemoryRun reference_run() {
  return run_text(read_text(data_dir() / "reference" / "landfill" / "VORN.IN"));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(OutcomeChecks, NumberFieldsAreTenCharactersInExponentFormOrNonFinite) {
  for (const char* good : {" 0.123E-04", "-0.250E+01", " 0.000E+00", " 0.100+101", "-0.100-100",
                           "       NaN", "  Infinity", " -Infinity"})
    EXPECT_TRUE(is_number_field(good)) << good;
  for (const char* bad : {"0.123E-04 ", " 1.23E-04", " 0.12E-04", "       nan", "NaN       ",
                          " 0.123E-4 ", " 0.123e-04", " 0.123E+0x", ""})
    EXPECT_FALSE(is_number_field(bad)) << bad;
}

TEST(OutcomeChecks, ReferenceReportIsSoundAndEachBreakageIsFound) {
  const MemoryRun r = reference_run();
  ASSERT_EQ(r.outcome.status, Status::completed);
  EXPECT_TRUE(outcome_problems(r.outcome, r.files).empty());
  const std::string report = *r.files.report;
  ASSERT_TRUE(report_problems(report, 6).empty());

  EXPECT_FALSE(report_problems(report, 5).empty());  // one row more than chemicals
  EXPECT_FALSE(report_problems(report, 7).empty());  // one row fewer
  const std::string toluene_t3 =
      "Toluene                                           , 0.200E+02, 0.180E-07,";
  EXPECT_FALSE(report_problems(replaced(report, toluene_t3, toluene_t3 + " "), 6).empty());
  EXPECT_FALSE(report_problems(replaced(report, "0.180E-07,", "0.180E-7 ,"), 6).empty());
  EXPECT_FALSE(report_problems(replaced(report, "\n\n Table 9", "\n Table 9"), 6).empty());
  EXPECT_FALSE(report_problems(replaced(report, " Table 5", " Table 5 "), 6).empty());
  EXPECT_FALSE(report_problems(report.substr(0, report.size() - 1), 6).empty());
  EXPECT_FALSE(report_problems(report + "\n", 6).empty());
}

TEST(OutcomeChecks, StopsAndFatalErrorsMustEndTheirFileWithTheirMessage) {
  MemoryRun r = reference_run();
  Outcome stop = r.outcome;
  stop.status = Status::stopped;
  stop.results.reset();
  stop.stdout_text.clear();
  stop.message = {"FAILED DAF 1D INTERPOLATION IN BACKWARD CALC"};
  stop.message_file = "VORN.OUT";
  EXPECT_FALSE(outcome_problems(stop, r.files).empty());  // VORN.OUT does not end with it
  r.files.report = *r.files.report + " FAILED DAF 1D INTERPOLATION IN BACKWARD CALC\n";
  EXPECT_TRUE(outcome_problems(stop, r.files).empty());
  stop.message_file = "VORN.DBG";
  EXPECT_FALSE(outcome_problems(stop, r.files).empty());  // a stop in the log leaves no report

  const MemoryRun empty = run_text("");
  ASSERT_EQ(empty.outcome.status, Status::fatal_input_error);
  EXPECT_TRUE(outcome_problems(empty.outcome, empty.files).empty());
  MemoryFiles with_report = empty.files;
  with_report.report = "";
  EXPECT_FALSE(outcome_problems(empty.outcome, with_report).empty());
  MemoryFiles longer_log = empty.files;
  longer_log.debug += " one line more\n";
  EXPECT_FALSE(outcome_problems(empty.outcome, longer_log).empty());
}

}  // namespace
}  // namespace vorn::test
