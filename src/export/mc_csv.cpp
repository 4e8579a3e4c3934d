#include "core/real_text.hpp"
#include "export/export_text.hpp"
#include "export/long_csv.hpp"
#include "export/percent_text.hpp"
#include "mc/mc_summary.hpp"
#include "mc/run_sensitivity.hpp"
#include "vorn/mc_documents.hpp"

namespace vorn {
namespace {

class Rows : public LongCsv {
 public:
  using LongCsv::add;
  void add(const std::string& who, const char* quantity, const std::string& statistic,
           double value) {
    add(who, quantity, statistic, format_real(value));
  }
  void quantity(const std::string& who, const mc::QuantitySummary& q) {
    add(who, q.name, "baseline", q.baseline);
    add(who, q.name, "count", std::to_string(q.count));
    add(who, q.name, "nan", std::to_string(q.nan));
    add(who, q.name, "inf", std::to_string(q.pos_inf));
    add(who, q.name, "-inf", std::to_string(q.neg_inf));
    add(who, q.name, "mean", q.mean);
    add(who, q.name, "sd", q.sd);
    add(who, q.name, "min", q.min);
    add(who, q.name, "max", q.max);
    for (const mc::PercentileValue& v : q.percentiles) {
      const std::string key = "p" + percent_text(v.q);
      add(who, q.name, key, v.value);
      add(who, q.name, key + "_lower", v.lower);
      add(who, q.name, key + "_upper", v.upper);
    }
    if (q.kind == mc::QuantityKind::risk || q.kind == mc::QuantityKind::hazard) {
      add(who, q.name, "P_above_target", q.p_above);
      add(who, q.name, "P_above_target_lower", q.p_above_interval.lower);
      add(who, q.name, "P_above_target_upper", q.p_above_interval.upper);
    }
  }
};

// A row per index of every input: statistic "<index> of <input>".
void ranked(Rows& rows, const std::string& who, const char* quantity, const mc::McSensitivity& s,
            const mc::RankedOutput& o) {
  for (std::size_t k = 0; k < o.inputs.size() && k < o.ranks.inputs.size(); ++k) {
    const numerics::RankIndex& x = o.ranks.inputs[k];
    const std::string of = " of " + export_text(s.inputs[o.inputs[k]].label);
    const std::pair<const char*, double> values[] = {{"spearman", x.spearman},
                                                     {"spearman_lower", x.spearman_lower},
                                                     {"spearman_upper", x.spearman_upper},
                                                     {"prcc", x.prcc},
                                                     {"prcc_lower", x.prcc_lower},
                                                     {"prcc_upper", x.prcc_upper}};
    for (const auto& [name, value] : values) rows.add(who, quantity, csv_field(name + of), value);
    rows.add(who, quantity, csv_field("negligible" + of), x.negligible ? "true" : "false");
  }
}

}  // namespace

std::string mc_csv(const mc::McSummary& m, const mc::McSensitivity* sensitivity) {
  Rows rows;
  rows.quantity("stream", m.stream_risk);
  rows.quantity("stream", m.stream_hazard);
  for (const mc::ChemicalSummary& c : m.chemicals) {
    const std::string who = export_text(c.cas.empty() ? c.name : c.cas);
    const mc::Decision& d = c.decision;
    rows.add(who, "EXCEEDED", "P", d.p_exceeded);
    rows.add(who, "EXCEEDED", "lower", d.p_interval.lower);
    rows.add(who, "EXCEEDED", "upper", d.p_interval.upper);
    rows.add(who, "GW_EXCEEDED", "P", c.p_gw_exceeded);
    rows.add(who, "GW_EXCEEDED", "lower", c.p_gw_interval.lower);
    rows.add(who, "GW_EXCEEDED", "upper", c.p_gw_interval.upper);
    rows.add(who, "SF_EXCEEDED", "P", c.p_sf_exceeded);
    rows.add(who, "SF_EXCEEDED", "lower", c.p_sf_interval.lower);
    rows.add(who, "SF_EXCEEDED", "upper", c.p_sf_interval.upper);
    rows.add(who, "TCLPMAX", "decision", d.gw_allowable.value);
    rows.add(who, "SF_MAX", "decision", d.sf_allowable.value);
    rows.add(who, "EXCEEDED", "decision", d.exceeded ? "true" : "false");
    rows.add(who, "EXCEEDED", "verdict", mc::verdict_words(d.verdict));
    rows.add(who, "FAILED", "share", c.failure_share);
    for (const mc::QuantitySummary& q : c.quantities) rows.quantity(who, q);
  }
  if (!sensitivity) return rows.text();
  // The rows ranked are stored as 32-bit floats, outside the statistics' memory bound.
  rows.add("stream", "SENSITIVITY_ROWS", "count", std::to_string(sensitivity->rows));
  rows.add("stream", "SENSITIVITY_ROWS", "bytes_as_float32", std::to_string(sensitivity->bytes()));
  for (const mc::RunInput& input : sensitivity->inputs)
    if (input.unstratified && !input.repeats)
      rows.add("stream", "UNSTRATIFIED", csv_field(export_text(input.label)), "true");
  ranked(rows, "stream", "RI_TOT", *sensitivity, sensitivity->stream_risk);
  ranked(rows, "stream", "HI_TOT", *sensitivity, sensitivity->stream_hazard);
  for (std::size_t i = 0; i < m.chemicals.size() && i < sensitivity->chemicals.size(); ++i) {
    const mc::ChemicalSummary& c = m.chemicals[i];
    ranked(rows, export_text(c.cas.empty() ? c.name : c.cas), "LIMITING", *sensitivity,
           sensitivity->chemicals[i]);
  }
  return rows.text();
}

}  // namespace vorn
