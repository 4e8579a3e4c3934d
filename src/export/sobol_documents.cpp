// The JSON and CSV documents of a variance-based sensitivity run.
#include <nlohmann/json.hpp>

#include "core/csv_field.hpp"
#include "core/json_number.hpp"
#include "core/real_text.hpp"
#include "export/export_text.hpp"
#include "mc/sobol_report.hpp"
#include "vorn/mc_documents.hpp"

namespace vorn {
namespace {

constexpr int kSobolDocumentVersion = 2;

using Json = nlohmann::ordered_json;
using mc::SobolReport;
using numerics::SobolIndices;

Json indices_json(const SobolReport& r, const numerics::SobolIndices& x) {
  Json j = Json::object();
  j["rows"] = x.rows;
  j["rows_left_out"] = x.rows_left_out;
  j["variance"] = json_number(x.variance);
  Json groups = Json::array();
  for (std::size_t g = 0; g < x.groups.size() && g < r.groups.size(); ++g) {
    const numerics::SobolIndex& i = x.groups[g];
    groups.push_back({{"input", export_text(r.groups[g])},
                      {"S1", json_number(i.first)},
                      {"S1_lower", json_number(i.first_lower)},
                      {"S1_upper", json_number(i.first_upper)},
                      {"ST", json_number(i.total)},
                      {"ST_lower", json_number(i.total_lower)},
                      {"ST_upper", json_number(i.total_upper)}});
  }
  j["inputs"] = std::move(groups);
  return j;
}

void csv_rows(std::string& out, const std::string& who, const char* quantity, const SobolReport& r,
              const numerics::SobolIndices& x) {
  for (std::size_t g = 0; g < x.groups.size() && g < r.groups.size(); ++g) {
    const numerics::SobolIndex& i = x.groups[g];
    const std::pair<const char*, double> values[] = {
        {"S1", i.first}, {"S1_lower", i.first_lower}, {"S1_upper", i.first_upper},
        {"ST", i.total}, {"ST_lower", i.total_lower}, {"ST_upper", i.total_upper}};
    for (const auto& [name, value] : values)
      out += csv_field(who) + ',' + quantity + ',' +
             csv_field(std::string(name) + " of " + export_text(r.groups[g])) + ',' +
             format_real(value) + kCsvRecordEnd;
  }
}

}  // namespace

std::string sobol_json(const SobolReport& r, const std::string& scenario_json) {
  Json doc = Json::object();
  doc["version"] = kSobolDocumentVersion;
  doc["kind"] = "sobol indices";
  doc["scenario"] = Json::parse(scenario_json);
  doc["method"] =
      "Saltelli design [A; B; A_B^1 ... A_B^p] from a shifted Sobol sequence starting at its "
      "point 0; Saltelli's (2010) estimator of the first-order index (S1), Jansen's of the "
      "total index (ST); 95 % intervals from a bootstrap over base rows";
  doc["interval_method"] =
      "percentile bootstrap over base rows, resampled as if independent: conservative under the "
      "Sobol base, whose estimates spread less than independent rows' would";
  doc["base_rows"] = r.base_rows;
  doc["evaluations"] = r.evaluations;
  doc["bootstrap_replicates"] = r.replicates;
  doc["stream"] = {{"RI_TOT", indices_json(r, r.stream_risk)},
                   {"HI_TOT", indices_json(r, r.stream_hazard)}};
  Json chemicals = Json::array();
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    Json c = Json::object();
    c["index"] = i + 1;
    c["CHEMNAME"] = export_text(r.names[i]);
    c["CHEMCAS"] = export_text(r.cas[i]);
    c["quantity"] = "max(GW_RATIO, SF_RATIO)";
    c.update(indices_json(r, r.chemicals[i]));
    chemicals.push_back(std::move(c));
  }
  doc["chemicals"] = std::move(chemicals);
  return doc.dump(2) + "\n";
}

std::string sobol_csv(const SobolReport& r) {
  std::string out = std::string("chemical,quantity,statistic,value") + kCsvRecordEnd;
  csv_rows(out, "stream", "RI_TOT", r, r.stream_risk);
  csv_rows(out, "stream", "HI_TOT", r, r.stream_hazard);
  for (std::size_t i = 0; i < r.chemicals.size(); ++i)
    csv_rows(out, export_text(r.cas[i].empty() ? r.names[i] : r.cas[i]), "LIMITING", r,
             r.chemicals[i]);
  return out;
}

}  // namespace vorn
