#include "core/json_number.hpp"
#include "export/export_text.hpp"
#include "export/mc_sensitivity_json.hpp"
#include "export/percent_text.hpp"
#include "mc/mc_summary.hpp"
#include "vorn/mc_documents.hpp"
#include "vorn/pathways.hpp"

namespace vorn {
namespace {

using Json = nlohmann::ordered_json;
constexpr int kDocumentVersion = 2;
constexpr const char* kShareIntervalMethod = "Wilson score, 95 %";

Json share_interval(const numerics::ShareInterval& i) {
  Json j = Json::object();
  j["lower"] = json_number(i.lower);
  j["upper"] = json_number(i.upper);
  return j;
}

// How the percentiles' intervals are made, and what they mean under the run's sampling.
std::string percentile_interval_method(const Json& scenario) {
  const std::string method =
      "distribution-free 95 %, from the order statistics whose ranks exact binomial quantiles "
      "give: exact for independent draws";
  const std::string sampling = scenario.value("sampling", "random");
  if (sampling == "random") return method;
  return method + "; conservative (wider than the percentiles' spread) under the stratified " +
         sampling + " sampling of this run";
}

Json interval(const mc::PercentileValue& p) {
  Json j = Json::object();
  j["value"] = json_number(p.value);
  j["lower"] = json_number(p.lower);
  j["upper"] = json_number(p.upper);
  return j;
}

Json reasons(const std::vector<std::pair<std::string, std::uint64_t>>& counts) {
  Json j = Json::object();
  for (const auto& [reason, n] : counts) j[reason] = n;
  return j;
}

Json quantity(const mc::QuantitySummary& q) {
  Json j = Json::object();
  j["baseline"] = json_number(q.baseline);
  j["count"] = q.count;
  j["nan"] = q.nan;
  j["inf"] = q.pos_inf;
  j["-inf"] = q.neg_inf;
  j["mean"] = json_number(q.mean);
  j["sd"] = json_number(q.sd);
  if (q.sd_beyond)
    j["sd_note"] = "a value lies beyond 2^510 in magnitude, where squares leave the double range";
  j["min"] = json_number(q.min);
  j["max"] = json_number(q.max);
  Json p = Json::object();
  for (const mc::PercentileValue& v : q.percentiles) p[percent_text(v.q)] = interval(v);
  j["percentiles"] = std::move(p);
  if (q.kind == mc::QuantityKind::risk || q.kind == mc::QuantityKind::hazard) {
    j["P_above_target"] = json_number(q.p_above);
    j["P_above_target_interval"] = share_interval(q.p_above_interval);
  }
  return j;
}

Json decision(const mc::Decision& d) {
  Json j = Json::object();
  j["TCLPMAX"] = interval(d.gw_allowable);
  j["SF_MAX"] = interval(d.sf_allowable);
  j["P_EXCEEDED"] = json_number(d.p_exceeded);
  j["exceeded"] = d.exceeded;
  j["P_EXCEEDED_interval"] = share_interval(d.p_interval);
  j["interval_method"] = kShareIntervalMethod;
  j["verdict"] = mc::verdict_words(d.verdict);
  return j;
}

Json limit_shares(const std::array<double, kPathways>& shares, const char* (*name)(int)) {
  Json j = Json::object();
  for (int k = 1; k <= kPathways; ++k) j[name(k)] = json_number(shares[k - 1]);
  return j;
}

}  // namespace

std::string mc_json(const mc::McSummary& m, const std::string& scenario_json,
                    double decision_percentile, const mc::McSensitivity* sensitivity) {
  Json doc = Json::object();
  doc["version"] = kDocumentVersion;
  doc["kind"] = "monte carlo";
  doc["scenario"] = Json::parse(scenario_json);
  doc["realizations"] = m.realizations;
  doc["completed_realizations"] = m.all_completed;
  doc["unit_failed"] = m.unit_failed;
  doc["unit_failures"] = reasons(m.unit_failures);
  doc["decision_percentile"] = json_number(decision_percentile);
  doc["percentile_interval_method"] = percentile_interval_method(doc["scenario"]);
  Json stream = Json::object();
  stream["RI_TOT"] = quantity(m.stream_risk);
  stream["HI_TOT"] = quantity(m.stream_hazard);
  if (sensitivity) {
    doc["sensitivity"] = sensitivity_note_json(*sensitivity);
    stream["sensitivity"] = {
        {"RI_TOT", ranked_output_json(*sensitivity, sensitivity->stream_risk)},
        {"HI_TOT", ranked_output_json(*sensitivity, sensitivity->stream_hazard)}};
  }
  doc["stream"] = std::move(stream);
  Json chemicals = Json::array();
  for (const mc::ChemicalSummary& c : m.chemicals) {
    Json j = Json::object();
    j["index"] = c.index;
    j["CHEMNAME"] = export_text(c.name);
    j["CHEMCAS"] = export_text(c.cas);
    j["completed"] = c.completed;
    j["failure_share"] = json_number(c.failure_share);
    j["failures"] = reasons(c.failures);
    j["P_GW_EXCEEDED"] = json_number(c.p_gw_exceeded);
    j["P_GW_EXCEEDED_interval"] = share_interval(c.p_gw_interval);
    j["P_SF_EXCEEDED"] = json_number(c.p_sf_exceeded);
    j["P_SF_EXCEEDED_interval"] = share_interval(c.p_sf_interval);
    j["decision"] = decision(c.decision);
    j["GW_LIMIT"] = limit_shares(c.gw_limit_share, gw_pathname);
    j["SF_LIMIT"] = limit_shares(c.sf_limit_share, sf_pathname);
    Json q = Json::object();
    for (const mc::QuantitySummary& s : c.quantities) q[s.name] = quantity(s);
    j["quantities"] = std::move(q);
    if (sensitivity && chemicals.size() < sensitivity->chemicals.size()) {
      Json& limiting = j["sensitivity"] = Json::object();
      limiting["quantity"] = "max(GW_RATIO, SF_RATIO)";
      limiting.update(ranked_output_json(*sensitivity, sensitivity->chemicals[chemicals.size()]));
    }
    chemicals.push_back(std::move(j));
  }
  doc["chemicals"] = std::move(chemicals);
  Json convergence = Json::array();
  for (const mc::ConvergenceRow& row : m.convergence) {
    Json j = Json::object();
    j["realizations"] = row.realizations;
    Json per = Json::array();
    for (const mc::Decision& d : row.chemicals) per.push_back(decision(d));
    j["chemicals"] = std::move(per);
    convergence.push_back(std::move(j));
  }
  doc["convergence"] = std::move(convergence);
  return doc.dump(2) + "\n";
}

}  // namespace vorn
