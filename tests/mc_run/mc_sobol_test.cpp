// vorn mc --sobol on the shipped scenario. Jansen's total index sums (f(A) - f(A_B^i))^2 and
// Saltelli's first-order index f(B) (f(A_B^i) - f(A)), so an input that cannot reach an output
// has ST and S1 exactly 0, their intervals too: benzene's Henry's constant reaches no
// other chemical, and a landfill's surface ratio (TOTC / SF_MAX) depends on the waste volume
// alone. The design and its bootstrap are pure functions of the seed: threads and shards change
// no byte.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/shard_merge.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kExamples = examples_dir();

ProcessResult sobol(const ScratchDir& dir, const std::filesystem::path& scenario,
                    std::vector<std::string> args) {
  args.insert(args.begin(),
              {VORN_CLI, "mc", scenario.string(), "--sobol", "--base-samples", "256"});
  return run_process(args, dir.path());
}

TEST(McSobol, InputsThatCannotReachAnOutputHaveNoTotalIndexAndThreadsChangeNothing) {
  ScratchDir dir;
  const auto scenario = shipped_scenario();
  const ProcessResult one = sobol(dir, scenario, {"--threads", "1", "--json", "one.json"});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_NE(one.err.find("1536 evaluations (256 base rows x 6 blocks)"), std::string::npos)
      << one.err;  // 4 [[vary]] entries: M (4 + 2)
  ASSERT_EQ(sobol(dir, scenario, {"--threads", "2", "--json", "two.json"}).status, 0);
  EXPECT_EQ(read_text(dir / "one.json"), read_text(dir / "two.json"));

  const auto doc = nlohmann::json::parse(read_text(dir / "one.json"));
  EXPECT_EQ(doc["evaluations"], 1536);
  // Its bootstrap takes the Sobol base rows as independent, and says what that means.
  EXPECT_NE(doc["interval_method"].get<std::string>().find("conservative under the Sobol base"),
            std::string::npos);
  int surface_limited = 0;
  for (const auto& c : doc["chemicals"]) {
    ASSERT_EQ(c["inputs"].size(), 4u);
    ASSERT_EQ(c["inputs"][3]["input"], "HENRY of 71-43-2");
    auto unreached = [&c](int i) {
      for (const char* key : {"ST", "ST_lower", "ST_upper", "S1", "S1_lower", "S1_upper"})
        EXPECT_EQ(c["inputs"][i][key], 0.0) << c["CHEMCAS"] << " input " << i << " " << key;
    };
    if (c["CHEMCAS"] != "71-43-2") unreached(3);
    if (c["CHEMCAS"] == "50-32-8" || c["CHEMCAS"] == "22967-92-6") {
      ++surface_limited;
      for (int i = 1; i < 4; ++i) unreached(i);
      EXPECT_NEAR(c["inputs"][0]["S1"].get<double>(), 1.0, 0.05) << c["CHEMCAS"];
    } else {
      EXPECT_GT(c["inputs"][1]["ST"].get<double>(), 0.3) << c["CHEMCAS"];  // own TCLPCONC
    }
  }
  EXPECT_EQ(surface_limited, 2);
}

std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  return out;
}

// OpenTURNS' estimators (Mauntz-Kucherenko first-order, Jansen total) on the design --samples
// writes, laid out [A; B; A_B^1 ... A_B^p]: one input column per group (they fix only its
// dimension) and the stream cancer risk.
TEST(McSobol, OpenTurnsRecomputesTheIndicesOfAQuantityFromTheDesignWritten) {
  ScratchDir dir;
  const auto scenario = shipped_scenario();
  const ProcessResult r =
      sobol(dir, scenario, {"--threads", "2", "--json", "s.json", "--samples", "design.csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> rows = lines_of(read_text(dir / "design.csv"));
  ASSERT_EQ(rows.size(), 1 + 256u * 6);
  const std::vector<std::string> header = cells(rows[0]);
  ASSERT_EQ(header.back(), "HI_TOT of the stream");
  const std::size_t risk = header.size() - 2, groups = 4;
  // The first column of each group: WU_WASTEVOL, TCLPCONC of chemical 1, DAF, HENRY.
  const std::size_t group_column[groups] = {1, 2, 12, 13};
  {
    std::ofstream out(dir / "reference.csv");
    for (std::size_t e = 1; e < rows.size(); ++e) {
      const std::vector<std::string> c = cells(rows[e]);
      ASSERT_EQ(c[0], std::to_string(e));
      for (const std::size_t g : group_column) out << c[g] << ',';
      out << c[risk] << '\n';
    }
  }
  const ProcessResult reference = run_process(
      {VORN_REFERENCE_PYTHON, VORN_OPENTURNS_SCRIPT, "reference.csv", "256"}, dir.path());
  ASSERT_EQ(reference.status, 0) << reference.err;
  const std::string& text = reference.out;
  std::istringstream lines(text);
  std::vector<double> first, total;
  for (auto* into : {&first, &total}) {
    std::string line;
    std::getline(lines, line);
    std::istringstream values(line);
    for (double x; values >> x;) into->push_back(x);
    ASSERT_EQ(into->size(), groups) << text;
  }
  const auto doc = nlohmann::json::parse(read_text(dir / "s.json"));
  const auto& inputs = doc["stream"]["RI_TOT"]["inputs"];
  for (std::size_t g = 0; g < groups; ++g) {
    EXPECT_NEAR(inputs[g]["S1"].get<double>(), first[g], 1e-3) << g;
    EXPECT_NEAR(inputs[g]["ST"].get<double>(), total[g], 1e-3) << g;
  }
}

// The shipped scenario on a VORN.IN whose DAF table lacks arsenic's non-carcinogenic DAF at
// 0.01 mg/L (NaN): points whose leachate falls beside it give NaN outputs, which must cross
// the parts for the merged design to leave out the same rows.
TEST(McSobol, ShardsOfBaseRowsMergeIntoTheSingleDesignsDocuments) {
  ScratchDir dir;
  std::string input = read_text(kExamples / "landfill" / "VORN.IN");
  const std::string row = "7440-38-2 0.01 12.2 11.5 ";
  input.replace(input.find(row), row.size(), "7440-38-2 0.01 12.2 NaN ");
  write_text(dir / "VORN.IN", input);
  std::string toml = read_text(shipped_scenario());
  toml.replace(toml.find("../landfill/VORN.IN"), 19, (dir / "VORN.IN").string());
  write_text(dir / "failing.toml", toml);
  auto design = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {VORN_CLI, "mc", (dir / "failing.toml").string(), "--sobol",
                               "--base-samples", "64"});
    return run_process(args, dir.path());
  };
  ASSERT_EQ(design({"--json", "whole.json", "--csv", "whole.csv", "--html", "whole.html"}).status,
            0);
  const auto whole = nlohmann::json::parse(read_text(dir / "whole.json"));
  const std::size_t left_out = whole["stream"]["RI_TOT"]["rows_left_out"];
  EXPECT_GT(left_out, 0u);
  EXPECT_LT(left_out, 32u);
  expect_shards_merge_to_whole(dir, design, {1, 3, 7});

  const ProcessResult gap =
      run_process({VORN_CLI, "mc-merge", "p3of3.json", "p1of3.json", "--json", "x"}, dir.path());
  EXPECT_EQ(gap.status, 3);
  EXPECT_NE(gap.err.find("shard 2 of 3 is missing"), std::string::npos) << gap.err;
  const ProcessResult flat =
      run_process({VORN_CLI, "mc", (dir / "failing.toml").string(), "--realizations", "20",
                   "--shard", "2/3", "--part", "flat.json"},
                  dir.path());
  ASSERT_EQ(flat.status, 0) << flat.err;
  const ProcessResult mixed = run_process(
      {VORN_CLI, "mc-merge", "p1of3.json", "flat.json", "p3of3.json", "--json", "x"}, dir.path());
  EXPECT_EQ(mixed.status, 3);
  EXPECT_NE(mixed.err.find("flat.json: a part of a one-dimensional run, the others of a Sobol"),
            std::string::npos)
      << mixed.err;
  const ProcessResult documents = design({"--shard", "1/3", "--part", "x.json", "--json", "x"});
  EXPECT_EQ(documents.status, 64);
  EXPECT_NE(documents.err.find("the documents come from vorn mc-merge"), std::string::npos)
      << documents.err;
}

TEST(McSobol, CorrelatedInputsAreRefusedBeforeAnyEvaluation) {
  ScratchDir dir;
  std::ifstream in(shipped_scenario());
  std::string toml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto input = (kExamples / "landfill" / "VORN.IN").string();
  toml.replace(toml.find("../landfill/VORN.IN"), 19, input);
  toml +=
      "[[correlate]]\na = { field = 'WU_WASTEVOL' }\nb = { chemical = '*', field = 'DAF' }\n"
      "spearman = 0.5\n";
  write_text(dir / "c.toml", toml);
  const ProcessResult r = sobol(dir, dir / "c.toml", {"--json", "c.json"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("Sobol indices assume independent ones"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("evaluations"), std::string::npos) << r.err;
  const ProcessResult odd = run_process(
      {VORN_CLI, "mc", (shipped_scenario()).string(), "--sobol", "--base-samples", "300"},
      dir.path());
  EXPECT_EQ(odd.status, 64);
  EXPECT_NE(odd.err.find("--base-samples 300: give a power of two"), std::string::npos) << odd.err;
}

}  // namespace
}  // namespace vorn::test
