// Hostile DAF tables: too many rows, too many rows for one chemical, and NaN in a curve met
// by the forward lookup or only by the report's MCL check. Each is a stop with its message
// at the end of the file it belongs to: VORN.DBG, or VORN.OUT for a stop in the report.
#include <gtest/gtest.h>

#include "outcome_checks.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

// Benzene's values with ORGANIC and the toxicity values changed as given.
std::vector<std::string> chemical(const std::string& organic, const std::string& mcl = "0.005",
                                  const std::string& toxicity = "") {
  std::vector<std::string> v = {mcl,   "0.055",   "0.0273", "0.004", "0.03",  "5.2", "1820",
                                "0.5", "5.55e-3", "9.8e-6", "0.088", "1750",  "0",   "0",
                                "0.7", "0.015",   "0.29",   "0.051", organic, "-1",  "0.13",
                                "C",   "78.11",   "0.125",  "-1",    "2.13"};
  if (!toxicity.empty()) v[1] = v[2] = v[3] = v[4] = toxicity;  // CSFO, CSFI, ORDO, ORDI
  return v;
}

std::string rows_for(const std::string& cas, int n) {
  std::string rows;
  for (int k = 1; k <= n; ++k) rows += cas + " " + std::to_string(k) + " 2 3 1 2 3\n";
  return rows;
}

void expect_sound(const MemoryRun& r) {
  for (const std::string& problem : outcome_problems(r.outcome, r.files)) ADD_FAILURE() << problem;
}

void expect_stop_in_debug(const MemoryRun& r, const std::vector<std::string>& message) {
  expect_sound(r);
  ASSERT_EQ(r.outcome.status, Status::stopped);
  EXPECT_EQ(r.outcome.message, message);
  EXPECT_EQ(r.outcome.message_file, "VORN.DBG");
  EXPECT_FALSE(r.files.report.has_value());
  const std::vector<std::string> dbg = lines_of(r.files.debug);
  ASSERT_GE(dbg.size(), message.size());
  for (std::size_t k = 0; k < message.size(); ++k)
    EXPECT_EQ(dbg[dbg.size() - message.size() + k], " " + message[k]);
}

TEST(HostileDafTable, A501stRowStopsTheRunAfterTheEchoOf500) {
  InputBuilder in;
  in.properties = {property_line("Benzene", "71-43-2", chemical("1"))};
  in.concentrations = {"0.5 N 100 N"};
  for (int k = 1; k <= 501; ++k) in.daf_rows.push_back("9-9-" + std::to_string(k) + " 1 2 3 1 2 3");
  const MemoryRun r = run_text(in.text());
  expect_stop_in_debug(r, {"Stop, Error: DAF table has more than 500 rows"});
  const std::vector<std::string> dbg = lines_of(r.files.debug);
  EXPECT_EQ(dbg[dbg.size() - 2].substr(0, 20), "9-9-500             ");

  // 500 rows are a full table, not an error.
  in.daf_rows.pop_back();
  const MemoryRun full = run_text(in.text());
  expect_sound(full);
  EXPECT_EQ(full.outcome.status, Status::completed);
}

TEST(HostileDafTable, A51stRowForOneInorganicChemicalStopsNamingTheChemical) {
  InputBuilder in;
  in.properties = {property_line("Benzene", "71-43-2", chemical("1")),
                   property_line("Arsenic", "7440-38-2", chemical("0"))};
  in.concentrations = {"0.5 N 100 N", "0.02 N 50 N"};
  std::string text = in.text() + rows_for("7440-38-2", 51);
  expect_stop_in_debug(run_text(text), {"Stop, Error: more than 50 DAF rows for chemical # 2"});

  // 50 rows fill the curve; an organic chemical takes only its first of 51.
  const MemoryRun fifty = run_text(in.text() + rows_for("7440-38-2", 50));
  expect_sound(fifty);
  EXPECT_EQ(fifty.outcome.status, Status::completed);
  const MemoryRun organic = run_text(in.text() + rows_for("71-43-2", 51));
  expect_sound(organic);
  EXPECT_EQ(organic.outcome.status, Status::completed);
}

TEST(HostileDafTable, NanConcentrationMetByTheForwardLookupStopsWithTwoLinesInTheLog) {
  InputBuilder in;
  in.properties = {property_line("Arsenic", "7440-38-2", chemical("0"))};
  in.concentrations = {"1 N 50 N"};
  in.daf_rows = {"7440-38-2 0.1 10 10 0.1 1 1", "7440-38-2 NaN 20 20 1 1 1",
                 "7440-38-2 10 30 30 1 1 1"};
  const MemoryRun r = run_text(in.text());
  expect_stop_in_debug(
      r, {"FAILED DAF 2D INTERPOLATION IN FORWARD CALC", "DAF DID NOT FIND FOR CHEMICAL # 1"});

  ScratchDir dir;
  write_text(dir / "VORN.IN", in.text());
  EXPECT_EQ(run(dir.path()).exit_status(), 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "VORN.OUT"));
}

// The chemical has no slope factor or reference dose, so no groundwater pathway asks the
// curve backwards, and its TCLP concentration lies below the curve; only Table 6's MCL check
// meets the NaN DAF.
TEST(HostileDafTable, NanDafMetOnlyByTheMclCheckStopsWithTheMessageAtTheEndOfTheReport) {
  InputBuilder in;
  in.properties = {property_line("Arsenic", "7440-38-2", chemical("0", "1", "-1"))};
  in.concentrations = {"0.5 N 50 N"};
  in.daf_rows = {"7440-38-2 1 10 10 1 1 1", "7440-38-2 2 NaN NaN 1 1 1",
                 "7440-38-2 100 10 10 1 1 1"};
  const MemoryRun r = run_text(in.text());
  expect_sound(r);
  ASSERT_EQ(r.outcome.status, Status::stopped);
  EXPECT_EQ(r.outcome.message,
            std::vector<std::string>{"FAILED DAF 1D INTERPOLATION IN BACKWARD CALC"});
  EXPECT_EQ(r.outcome.message_file, "VORN.OUT");
  const std::vector<std::string> out = lines_of(r.files.report.value());
  EXPECT_EQ(out.back(), " FAILED DAF 1D INTERPOLATION IN BACKWARD CALC");
  EXPECT_EQ(out[out.size() - 2], std::string(120, '-'));  // Table 6 before its first row
  EXPECT_EQ(r.files.debug.find("FAILED"), std::string::npos);

  ScratchDir dir;
  write_text(dir / "VORN.IN", in.text());
  const Outcome outcome = run(dir.path());
  EXPECT_EQ(outcome.exit_status(), 2);
  EXPECT_EQ(lines_of(read_text(dir / "VORN.OUT")).back(),
            " FAILED DAF 1D INTERPOLATION IN BACKWARD CALC");
}

}  // namespace
}  // namespace vorn::test
