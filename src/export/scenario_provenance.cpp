#include "export/scenario_provenance.hpp"

#include <nlohmann/json.hpp>

#include "export/html_text.hpp"
#include "export/mc_scenario_text.hpp"
#include "numerics/sha256.hpp"

namespace vorn {

Provenance scenario_provenance(const std::string& scenario_json, const std::string& date,
                               const std::pair<std::string, std::string>& run, bool with_sampling) {
  const nlohmann::ordered_json sc = nlohmann::ordered_json::parse(scenario_json);
  Provenance p;
  p.facts.push_back(run);
  if (sc.contains("seed")) p.facts.emplace_back("Seed", html_text(sc.at("seed").dump()));
  if (with_sampling && sc.contains("sampling"))
    p.facts.emplace_back("Sampling", sampling_words(sc.at("sampling").get<std::string>()));
  std::optional<std::string> input;
  if (sc.contains("input_sha256")) input = sc.at("input_sha256").get<std::string>();
  p.inputs = {{"VORN.IN", "VORN.IN (SHA-256)", input},
              {"scenario", "Scenario as resolved (SHA-256)", numerics::sha256_hex(scenario_json)}};
  p.date = date;
  return p;
}

}  // namespace vorn
