#include "support/samples_row.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace vorn::test {

std::vector<std::string> csv_fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  if (!line.empty() && line.back() == ',') out.emplace_back();
  return out;
}

int compare_samples_row(const std::vector<std::string>& header, const std::vector<std::string>& row,
                        const nlohmann::json& run) {
  EXPECT_EQ(row.size(), header.size());
  int compared = 0;
  for (std::size_t c = 1; c < header.size() && c < row.size(); ++c) {
    // "<QUANTITY> of <chemical> (<index>)": the deterministic JSON holds most of them.
    const std::string& h = header[c];
    const auto of = h.find(" of "), open = h.rfind(" (");
    if (of == std::string::npos || open == std::string::npos || h.back() != ')') continue;
    const std::string quantity = h.substr(0, of);
    const int index = std::stoi(h.substr(open + 2));
    const auto& chem = run["chemicals"][static_cast<std::size_t>(index - 1)];
    const nlohmann::json* value = nullptr;
    for (const char* group : {"results", "report"})
      if (chem[group].contains(quantity)) value = &chem[group][quantity];
    if (value == nullptr) continue;
    EXPECT_TRUE(value->is_number()) << h;
    if (!value->is_number()) continue;
    EXPECT_EQ(std::strtod(row[c].c_str(), nullptr), value->get<double>()) << h;
    ++compared;
  }
  return compared;
}

std::vector<std::string> samples_lines(const ScratchDir& dir, const McCommand& mc) {
  const ProcessResult with = mc({"--samples", "samples.csv", "--json", "with.json"});
  EXPECT_EQ(with.status, 0) << with.err;
  const ProcessResult without = mc({"--json", "without.json"});
  EXPECT_EQ(without.status, 0) << without.err;
  EXPECT_EQ(read_text(dir / "with.json"), read_text(dir / "without.json"));
  return lines_of(read_text(dir / "samples.csv"));
}

void expect_realization_gives_its_row(const ScratchDir& dir, const McCommand& mc,
                                      const std::vector<std::string>& lines, int r, int columns) {
  SCOPED_TRACE("realization " + std::to_string(r));
  const std::string in = "r" + std::to_string(r);
  ASSERT_EQ(mc({"--realization", std::to_string(r), "--write-input", in}).status, 0);
  const ProcessResult run = run_process({VORN_CLI, in, "--json", in + ".json"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::json::parse(read_text(dir / (in + ".json")));
  const std::vector<std::string> row = csv_fields(lines.at(static_cast<std::size_t>(r)));
  ASSERT_EQ(row[0], std::to_string(r));
  EXPECT_EQ(compare_samples_row(csv_fields(lines.at(0)), row, doc), columns);
}

}  // namespace vorn::test
