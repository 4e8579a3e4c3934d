#include "core/real_text.hpp"
#include "export/export_text.hpp"
#include "export/long_csv.hpp"
#include "export/percent_text.hpp"
#include "nested/nested_summary.hpp"
#include "vorn/nested_documents.hpp"

namespace vorn {
namespace {

class Rows : public LongCsv {
 public:
  // statistic_band5, _band50, _band95, and statistic_missing when draws gave no value.
  void band(const std::string& who, const char* quantity, const std::string& statistic,
            const nested::Band& b) {
    for (std::size_t k = 0; k < nested::kBandLevels.size(); ++k)
      add(who, quantity, statistic + "_band" + percent_text(nested::kBandLevels[k]),
          format_real(b.at[k]));
    if (b.missing > 0) add(who, quantity, statistic + "_missing", std::to_string(b.missing));
  }
  void quantity(const std::string& who, const nested::QuantityBands& q,
                const std::vector<double>& percentiles) {
    add(who, q.name, "baseline", format_real(q.baseline));
    for (std::size_t k = 0; k < percentiles.size(); ++k)
      band(who, q.name, 'p' + percent_text(percentiles[k]), q.percentiles[k]);
    if (q.kind == mc::QuantityKind::risk || q.kind == mc::QuantityKind::hazard)
      band(who, q.name, "P_above_target", q.p_above);
  }
};

}  // namespace

std::string nested_csv(const nested::NestedSummary& m) {
  Rows rows;
  rows.quantity("stream", m.stream_risk, m.percentiles);
  rows.quantity("stream", m.stream_hazard, m.percentiles);
  for (const nested::ChemicalBands& c : m.chemicals) {
    const std::string who = export_text(c.cas.empty() ? c.name : c.cas);
    rows.band(who, "EXCEEDED", "P", c.p_exceeded);
    for (std::size_t k = 0; k < nested::kBandLevels.size(); ++k)
      rows.add(who, "EXCEEDED", "decision_band" + percent_text(nested::kBandLevels[k]),
               c.exceeded[k] ? "true" : "false");
    rows.add(who, "EXCEEDED", "outer_share", format_real(c.exceeded_share));
    rows.band(who, "TCLPMAX", "decision", c.gw_allowable);
    rows.band(who, "SF_MAX", "decision", c.sf_allowable);
    rows.band(who, "FAILED", "share", c.failure_share);
    for (const nested::QuantityBands& q : c.quantities) rows.quantity(who, q, m.percentiles);
  }
  return rows.text();
}

}  // namespace vorn
