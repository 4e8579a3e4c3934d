#include <nlohmann/json.hpp>

#include "core/json_number.hpp"
#include "export/export_text.hpp"
#include "export/percent_text.hpp"
#include "nested/nested_summary.hpp"
#include "vorn/nested_documents.hpp"

namespace vorn {
namespace {

using Json = nlohmann::ordered_json;
constexpr int kDocumentVersion = 2;

Json band(const nested::Band& b) {
  Json j = Json::object();
  for (std::size_t k = 0; k < nested::kBandLevels.size(); ++k)
    j[percent_text(nested::kBandLevels[k])] = json_number(b.at[k]);
  if (b.missing > 0) j["missing"] = b.missing;
  return j;
}

Json quantity(const nested::QuantityBands& q, const std::vector<double>& percentiles) {
  Json j = Json::object();
  j["baseline"] = json_number(q.baseline);
  Json p = Json::object();
  for (std::size_t k = 0; k < percentiles.size(); ++k)
    p[percent_text(percentiles[k])] = band(q.percentiles[k]);
  j["percentiles"] = std::move(p);
  if (q.kind == mc::QuantityKind::risk || q.kind == mc::QuantityKind::hazard)
    j["P_above_target"] = band(q.p_above);
  return j;
}

}  // namespace

std::string nested_json(const nested::NestedSummary& m, const std::string& scenario_json) {
  Json doc = Json::object();
  doc["version"] = kDocumentVersion;
  doc["kind"] = "nested monte carlo";
  doc["scenario"] = Json::parse(scenario_json);
  doc["outer"] = m.outer;
  doc["inner"] = m.inner;
  doc["decision_percentile"] = json_number(m.decision_percentile);
  doc["band_levels"] = nested::kBandLevels;
  Json stream = Json::object();
  stream["RI_TOT"] = quantity(m.stream_risk, m.percentiles);
  stream["HI_TOT"] = quantity(m.stream_hazard, m.percentiles);
  doc["stream"] = std::move(stream);
  Json chemicals = Json::array();
  for (const nested::ChemicalBands& c : m.chemicals) {
    Json j = Json::object();
    j["index"] = c.index;
    j["CHEMNAME"] = export_text(c.name);
    j["CHEMCAS"] = export_text(c.cas);
    j["failure_share"] = band(c.failure_share);
    Json d = Json::object();
    d["TCLPMAX"] = band(c.gw_allowable);
    d["SF_MAX"] = band(c.sf_allowable);
    d["P_EXCEEDED"] = band(c.p_exceeded);
    Json verdict = Json::object();
    for (std::size_t k = 0; k < nested::kBandLevels.size(); ++k)
      verdict[percent_text(nested::kBandLevels[k])] = c.exceeded[k];
    d["exceeded"] = std::move(verdict);
    d["exceeded_share"] = json_number(c.exceeded_share);
    j["decision"] = std::move(d);
    Json q = Json::object();
    for (const nested::QuantityBands& s : c.quantities) q[s.name] = quantity(s, m.percentiles);
    j["quantities"] = std::move(q);
    chemicals.push_back(std::move(j));
  }
  doc["chemicals"] = std::move(chemicals);
  return doc.dump(2) + "\n";
}

}  // namespace vorn
