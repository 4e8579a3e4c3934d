#include "export/mc_verdict_table.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/number_text.hpp"
#include "export/readable_number.hpp"

namespace vorn {
namespace {

using Row = std::array<std::string, 4>;

// Characters, not bytes: the numbers hold no-break spaces and superscripts.
std::size_t width(const std::string& s) {
  return static_cast<std::size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string percent(double share) {
  return readable_number(share * 100) + " %";
}

std::string verdict_text(const mc::ChemicalSummary& c) {
  if (c.completed == 0) return "not assessed: no realization completed";
  const mc::Decision& d = c.decision;
  if (d.verdict != mc::Verdict::undetermined) return mc::verdict_words(d.verdict);
  return d.to_settle ? "undetermined: about " + std::to_string(*d.to_settle) +
                           " more realizations would settle it"
                     : "undetermined: cannot be settled at this estimate";
}

}  // namespace

std::string mc_verdict_table(const mc::McSummary& m, double decision_percentile) {
  std::vector<Row> rows = {{"Chemical", "P(exceeded)", "95 % interval", "Verdict"}};
  for (const mc::ChemicalSummary& c : m.chemicals) {
    const mc::Decision& d = c.decision;
    const bool assessed = c.completed > 0;
    rows.push_back(
        {c.name + (c.cas.empty() ? "" : " (" + c.cas + ")"), assessed ? percent(d.p_exceeded) : "-",
         assessed ? percent(d.p_interval.lower) + " to " + percent(d.p_interval.upper) : "-",
         verdict_text(c)});
  }
  std::array<std::size_t, 3> widths{};
  for (const Row& r : rows)
    for (std::size_t k = 0; k < widths.size(); ++k) widths[k] = std::max(widths[k], width(r[k]));

  std::string out = "Verdict at decision percentile " + exact_number(decision_percentile) + ", " +
                    std::to_string(m.realizations) +
                    " realizations: exceeded when P(exceeded)'s whole interval lies above " +
                    exact_number(100 - decision_percentile) + " %\n";
  for (const Row& r : rows) {
    std::string line;
    for (std::size_t k = 0; k < widths.size(); ++k) {
      // The name flush left, the numbers flush right.
      const std::string pad(widths[k] - width(r[k]), ' ');
      line += k == 0 ? r[k] + pad : pad + r[k];
      line += "  ";
    }
    out += line + r[3] + "\n";
  }
  return out;
}

}  // namespace vorn
