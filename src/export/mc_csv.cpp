#include <charconv>

#include "core/real_text.hpp"
#include "export/export_text.hpp"
#include "export/long_csv.hpp"
#include "mc/mc_summary.hpp"
#include "vorn/mc_documents.hpp"

namespace vorn {
namespace {

std::string percent_key(double q) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, q);
  return "p" + std::string(buf, res.ptr);
}

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
      const std::string key = percent_key(v.q);
      add(who, q.name, key, v.value);
      add(who, q.name, key + "_lower", v.lower);
      add(who, q.name, key + "_upper", v.upper);
    }
    if (q.kind == mc::QuantityKind::risk || q.kind == mc::QuantityKind::hazard)
      add(who, q.name, "P_above_target", q.p_above);
  }
};

}  // namespace

std::string mc_csv(const mc::McSummary& m) {
  Rows rows;
  rows.quantity("stream", m.stream_risk);
  rows.quantity("stream", m.stream_hazard);
  for (const mc::ChemicalSummary& c : m.chemicals) {
    const std::string who = export_text(c.cas.empty() ? c.name : c.cas);
    rows.add(who, "EXCEEDED", "P", c.decision.p_exceeded);
    rows.add(who, "GW_EXCEEDED", "P", c.p_gw_exceeded);
    rows.add(who, "SF_EXCEEDED", "P", c.p_sf_exceeded);
    rows.add(who, "TCLPMAX", "decision", c.decision.gw_allowable.value);
    rows.add(who, "SF_MAX", "decision", c.decision.sf_allowable.value);
    rows.add(who, "EXCEEDED", "decision", c.decision.exceeded ? "true" : "false");
    rows.add(who, "FAILED", "share", c.failure_share);
    for (const mc::QuantitySummary& q : c.quantities) rows.quantity(who, q);
  }
  return rows.text();
}

}  // namespace vorn
