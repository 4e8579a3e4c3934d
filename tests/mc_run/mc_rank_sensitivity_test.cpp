// Rank sensitivity in every probabilistic run, on the shipped scenario: each chemical's
// groundwater ratio is TCLPCONC / TCLPMAX, so where that ratio limits in every realization
// the chemical's own TCLPCONC factor must rank among its strongest inputs with a positive
// PRCC; where the surface ratio (TOTC / SF_MAX in a landfill) limits throughout, TCLPCONC
// cannot move it and must come out negligible.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kScenario = shipped_scenario();

TEST(McRankSensitivity, OwnLeachateConcentrationDrivesTheGroundwaterRatioAndNotTheSurfaceOne) {
  ScratchDir dir;
  const ProcessResult r = run_process({VORN_CLI, "mc", kScenario.string(), "--realizations", "3000",
                                       "--threads", "2", "--json", "s.json"},
                                      dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const auto doc = nlohmann::json::parse(read_text(dir / "s.json"));
  EXPECT_EQ(doc["sensitivity"]["rows"], 3000);
  // 13 inputs (TCLPCONC drawn for each of the 10 chemicals), 10 limiting ratios, 2 totals.
  EXPECT_EQ(doc["sensitivity"]["bytes"], 3000u * (13 + 10 + 2) * 4);
  EXPECT_EQ(doc["stream"]["sensitivity"]["RI_TOT"]["inputs"].size(), 13u);
  int groundwater_limited = 0, surface_limited = 0;
  for (const auto& c : doc["chemicals"]) {
    const auto& q = c["quantities"];
    const double gw_min = q["GW_RATIO"]["min"], gw_max = q["GW_RATIO"]["max"];
    const double sf_min = q["SF_RATIO"]["min"], sf_max = q["SF_RATIO"]["max"];
    const auto& s = c["sensitivity"];
    ASSERT_EQ(s["rows"], 3000) << c["CHEMCAS"];
    const std::string own = "TCLPCONC of " + c["CHEMCAS"].get<std::string>() + " (" +
                            std::to_string(c["index"].get<int>()) + ")";
    const nlohmann::json* tclp = nullptr;
    int stronger = 0;
    for (const auto& e : s["inputs"])
      if (e["input"] == own) tclp = &e;
    ASSERT_NE(tclp, nullptr) << own;
    for (const auto& e : s["inputs"])
      stronger += std::fabs(e["prcc"].get<double>()) > std::fabs((*tclp)["prcc"].get<double>());
    if (gw_min > sf_max) {
      ++groundwater_limited;
      EXPECT_GT((*tclp)["prcc"].get<double>(), 0.5) << own;
      EXPECT_GT((*tclp)["prcc_lower"].get<double>(), 0) << own;
      EXPECT_FALSE((*tclp)["negligible"].get<bool>()) << own;
      EXPECT_LE(stronger, 1) << own;  // only the site-wide DAF factor may come before it
    } else if (sf_min > gw_max) {
      ++surface_limited;
      EXPECT_TRUE((*tclp)["negligible"].get<bool>()) << own;
      EXPECT_LT(std::fabs((*tclp)["prcc"].get<double>()), 0.1) << own;
    }
  }
  EXPECT_GE(groundwater_limited, 5);
  EXPECT_GE(surface_limited, 1);
}

}  // namespace
}  // namespace vorn::test
