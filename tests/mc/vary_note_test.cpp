// A note on a [[vary]] entry, the user's reason for it: it enters the scenario as resolved,
// hence the documents' scenario and the page's "Values that differ from the tables", and
// changes nothing else; a scenario without notes keeps its documents as they were.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "export/page_checks.hpp"
#include "mc_run/mc_run.hpp"
#include "scenario/scenario_error.hpp"
#include "scenario/scenario_reader.hpp"
#include "support/test_support.hpp"
#include "vorn/mc_documents.hpp"

namespace vorn::test {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kNote =
    "site study 2024: Henry's law constant measured at 12 \xC2\xB0"
    "C";

// The shipped scenario with a note on its benzene HENRY entry (the fourth), or as shipped.
std::string scenario_text(bool noted) {
  std::string text = read_text(shipped_scenario());
  if (noted) {
    const std::string at = "field = \"HENRY\"\n";
    text.insert(text.find(at) + at.size(), "note = \"" + std::string(kNote) + "\"\n");
  }
  return text;
}

mc_run::McReport report(bool noted) {
  mc_run::McRequest request;
  request.scenario = shipped_scenario();
  request.scenario_text = scenario_text(noted);
  request.input_text = read_text(examples_dir() / "landfill" / "VORN.IN");
  request.overrides.realizations = 64;
  const mc_run::McResult run = mc_run::run_monte_carlo(request);
  return mc_run::report_of(run.part);
}

TEST(VaryNote, EntersTheScenarioAndThePageAndNothingElse) {
  const mc_run::McReport noted = report(true), plain = report(false);
  EXPECT_EQ(plain.scenario_json.find("note"), std::string::npos);

  // The JSON documents differ by the note alone.
  Json with = Json::parse(mc_json(noted.summary, noted.scenario_json, 90));
  const Json without = Json::parse(mc_json(plain.summary, plain.scenario_json, 90));
  Json& entry = with["scenario"]["vary"][3];
  EXPECT_EQ(entry["note"], kNote);
  entry.erase("note");
  EXPECT_EQ(with, without);
  EXPECT_EQ(mc_csv(noted.summary), mc_csv(plain.summary));

  // The page lists every [[vary]] entry under "Values that differ from the tables", with the
  // note where there is one; without notes the page has no such section.
  const auto page = parse_page(mc_html(noted.summary, noted.scenario_json, 90, test_stamp()));
  const XmlNode* differing = nullptr;
  for (const XmlNode* s : page->elements("section"))
    if (s->attr("id") && *s->attr("id") == "differing") differing = s;
  ASSERT_NE(differing, nullptr);
  const auto rows = differing->first("tbody")->elements("tr");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_NE(rows[3]->all_text().find("HENRY"), std::string::npos);
  EXPECT_NE(rows[3]->all_text().find(kNote), std::string::npos);
  for (std::size_t k = 0; k < 3; ++k)
    EXPECT_NE(rows[k]->all_text().find("no note given"), std::string::npos);
  const std::string plain_page = mc_html(plain.summary, plain.scenario_json, 90, test_stamp());
  EXPECT_EQ(plain_page.find("id=\"differing\""), std::string::npos);
  EXPECT_EQ(plain_page.find("Values that differ"), std::string::npos);
}

TEST(VaryNote, MustSayWhy) {
  for (const char* note : {"note = \"\"", "note = \"  \"", "note = 3"}) {
    std::string text = scenario_text(false);
    const std::string at = "field = \"HENRY\"\n";
    text.insert(text.find(at) + at.size(), std::string(note) + "\n");
    try {
      scenario::parse_scenario(text, "scenario.toml", true);
      ADD_FAILURE() << note << " was taken";
    } catch (const scenario::ScenarioError& e) {
      EXPECT_NE(std::string(e.what()).find("vary[4].note"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace vorn::test
