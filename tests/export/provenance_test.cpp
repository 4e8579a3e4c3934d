// The provenance block of every page: the digests it shows are those of the inputs' bytes,
// the run identity is the documented digest over the engine and them, checked here with
// Python's hashlib, and the date changes nothing but its own line.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "export/page_checks.hpp"
#include "export/provenance.hpp"
#include "mc_run/mc_run.hpp"
#include "vorn/mc_documents.hpp"
#include "vorn/results_html.hpp"
#include "vorn/version.hpp"

namespace vorn::test {
namespace {

// SHA-256 by Python's hashlib, as 64 hex digits.
std::string python_sha256(const std::string& bytes) {
  ScratchDir dir;
  write_text(dir / "bytes", bytes);
  const std::string cmd =
      "python3 -c \"import hashlib, sys; "
      "print(hashlib.sha256(open(sys.argv[1], 'rb').read()).hexdigest())\" '" +
      (dir / "bytes").string() + "' > '" + (dir / "digest").string() + "'";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  return read_text(dir / "digest").substr(0, 64);
}

// The provenance list as term -> value.
std::map<std::string, std::string> provenance_rows(const std::string& html) {
  return provenance_list(*parse_page(html));
}

TEST(Provenance, ARunPageShowsTheDigestOfItsInputAndTheIdentityOverEngineAndInput) {
  const std::string input = read_text(examples_dir() / "landfill" / "VORN.IN");
  const Outcome outcome = run_text(input).outcome;
  const std::string digest = python_sha256(input);
  const std::string html = html_page(outcome, {"2023-11-14", "east cell", digest});
  const auto rows = provenance_rows(html);
  EXPECT_EQ(rows.at("Engine"), std::string("vorn ") + kVersion);
  EXPECT_EQ(rows.at("Stream"), "east cell");
  EXPECT_EQ(rows.at("VORN.IN (SHA-256)"), digest);
  const std::string identity =
      python_sha256(std::string("vorn ") + kVersion + "\nVORN.IN " + digest + "\n").substr(0, 12);
  EXPECT_EQ(rows.at("Run identity"), identity);
  EXPECT_EQ(rows.at("Run date"), "2023-11-14 (UTC)");
  // The footer of every printed sheet repeats it.
  EXPECT_NE(html.find("run " + identity + "\""), std::string::npos);

  // An input that could not be read is said so, and enters the identity as "none".
  const auto unread = provenance_rows(html_page(outcome, {"2023-11-14", "east cell", {}}));
  EXPECT_EQ(unread.at("VORN.IN (SHA-256)"), "not read");
  EXPECT_EQ(unread.at("Run identity"),
            python_sha256(std::string("vorn ") + kVersion + "\nVORN.IN none\n").substr(0, 12));
}

TEST(Provenance, TheDateChangesOnlyItsOwnLine) {
  const Outcome outcome = run_text(read_text(examples_dir() / "landfill" / "VORN.IN")).outcome;
  const auto a = lines_of(html_page(outcome, {"2023-11-14", "s", std::string(64, 'a')}));
  const auto b = lines_of(html_page(outcome, {"2031-01-02", "s", std::string(64, 'a')}));
  ASSERT_EQ(a.size(), b.size());
  std::vector<std::string> changed;
  for (std::size_t k = 0; k < a.size(); ++k)
    if (a[k] != b[k]) changed.push_back(b[k]);
  EXPECT_EQ(changed, std::vector<std::string>{"<dt>Run date</dt><dd>2031-01-02 (UTC)</dd>"});
}

TEST(Provenance, AProbabilisticPageNamesItsScenarioByItsDigestAndItsDraws) {
  mc_run::McRequest request;
  request.scenario = shipped_scenario();
  request.overrides.realizations = 64;
  const mc_run::McReport report = mc_run::report_of(mc_run::run_monte_carlo(request).part);
  const std::string html =
      mc_html(report.summary, report.scenario_json, report.decision_percentile, test_stamp());
  const auto rows = provenance_rows(html);
  const std::string input = python_sha256(read_text(examples_dir() / "landfill" / "VORN.IN"));
  const std::string scenario = python_sha256(report.scenario_json);
  EXPECT_EQ(rows.at("VORN.IN (SHA-256)"), input);
  EXPECT_EQ(rows.at("Scenario as resolved (SHA-256)"), scenario);
  EXPECT_EQ(rows.at("Realizations"), "64");
  EXPECT_EQ(rows.at("Seed"), "20261208");
  EXPECT_EQ(rows.at("Sampling"), "Latin hypercube");
  EXPECT_EQ(rows.at("Run identity"), python_sha256(std::string("vorn ") + kVersion + "\nVORN.IN " +
                                                   input + "\nscenario " + scenario + "\n")
                                         .substr(0, 12));
  EXPECT_EQ(rows.at("Run date"), "2023-11-14 (UTC)");
}

}  // namespace
}  // namespace vorn::test
