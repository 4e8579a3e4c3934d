#include "export/mc_sensitivity_json.hpp"

#include "core/json_number.hpp"
#include "export/export_text.hpp"

namespace vorn {

using Json = nlohmann::ordered_json;

Json sensitivity_note_json(const mc::McSensitivity& s) {
  Json j = Json::object();
  j["method"] =
      "Spearman and partial rank correlation (PRCC) of each input with the output; an input is "
      "negligible when |PRCC| < 0.1 or its interval holds 0";
  j["interval_method"] =
      "95 % percentile bootstrap on the atanh scale: " + std::to_string(mc::kRankReplicates) +
      " resamples of the rows with replacement, drawn from the run's seed, each index "
      "recomputed on the resample's ranks; it takes the rows as independent draws";
  j["rows"] = s.rows;
  j["stored_as"] = "float32";
  j["bytes"] = s.bytes();
  j["note"] = "realizations 1.." + std::to_string(s.rows) +
              " are stored as 32-bit floats for this "
              "ranking alone (" +
              std::to_string(s.bytes()) +
              " bytes); they fall outside the 100 MB "
              "bound of the statistics";
  Json unstratified = Json::array();
  for (const mc::RunInput& input : s.inputs)
    if (input.unstratified && !input.repeats) unstratified.push_back(export_text(input.label));
  if (!unstratified.empty()) {
    j["unstratified_inputs"] = std::move(unstratified);
    j["unstratified_note"] =
        "these inputs are correlated through a Gaussian copula and lose their LHS strata";
  }
  return j;
}

Json ranked_output_json(const mc::McSensitivity& s, const mc::RankedOutput& output) {
  const numerics::RankSensitivity& r = output.ranks;
  Json j = Json::object();
  j["rows"] = r.rows;
  j["rows_left_out"] = r.rows_left_out;
  j["partialled"] = r.partialled;
  j["output_varies"] = r.output_varies;
  Json inputs = Json::array();
  for (std::size_t k = 0; k < output.inputs.size() && k < r.inputs.size(); ++k) {
    const numerics::RankIndex& x = r.inputs[k];
    Json e = Json::object();
    e["input"] = export_text(s.inputs[output.inputs[k]].label);
    e["spearman"] = json_number(x.spearman);
    e["spearman_lower"] = json_number(x.spearman_lower);
    e["spearman_upper"] = json_number(x.spearman_upper);
    e["prcc"] = json_number(x.prcc);
    e["prcc_lower"] = json_number(x.prcc_lower);
    e["prcc_upper"] = json_number(x.prcc_upper);
    e["negligible"] = x.negligible;
    if (x.excluded != numerics::Excluded::no)
      e["excluded"] = x.excluded == numerics::Excluded::constant ? "constant" : "collinear";
    inputs.push_back(std::move(e));
  }
  j["inputs"] = std::move(inputs);
  return j;
}

}  // namespace vorn
