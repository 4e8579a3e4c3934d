#include "batch/stream_summary.hpp"

#include <cmath>

#include "chemicals/run_sources.hpp"
#include "export/export_text.hpp"
#include "export/readable_number.hpp"
#include "vorn/pathways.hpp"
#include "vorn/stream_verdict.hpp"

namespace vorn::batch {
namespace {

bool is_limit(double allowable) {
  return allowable > 0.0 && allowable < NOT_COMPUTED;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) out += "; ";
    out += export_text(lines[k]);
  }
  return out;
}

}  // namespace

std::optional<WorstChemical> worst_chemical(const Results& results) {
  std::optional<WorstChemical> worst;
  const auto consider = [&](std::size_t k, double conc, double allowable, const Pathway& pathway) {
    if (!is_limit(allowable)) return;
    const double ratio = conc / allowable;
    if (std::isnan(ratio) || (worst && !(ratio > worst->ratio))) return;
    const Chemical& c = results.chemicals[k];
    worst = WorstChemical{export_text(c.CHEMNAME), export_text(c.CHEMCAS), &pathway, ratio};
  };
  for (std::size_t k = 0; k < results.chemicals.size() && k < results.report.size(); ++k) {
    const Chemical& c = results.chemicals[k];
    const ChemicalReport& w = results.report[k];
    if (w.GW_LIMIT >= 1 && w.GW_LIMIT <= kPathways)
      consider(k, c.TCLPCONC, w.TCLPMAX, groundwater_limit(w.GW_LIMIT));
    if (w.SF_LIMIT >= 1 && w.SF_LIMIT <= kPathways) {
      const double conc = results.unit.is_landfill() ? c.TOTC : c.TCLPCONC;
      consider(k, conc, w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)],
               surface_limit(w.SF_LIMIT));
    }
  }
  return worst;
}

std::string StreamSummary::verdict() const {
  if (failed()) return std::string(kNotAssessed) + ": " + status_word(status);
  return verdict_words(exceeding);
}

std::string StreamSummary::line() const {
  std::string text = label + ": " + verdict();
  if (failed()) return text;
  text += ": " + std::to_string(exceeding) + " of " + std::to_string(chemicals) + " chemicals";
  if (worst)
    text += "; worst " + worst->name + " (" + worst->cas + "), " + readable_number(worst->ratio) +
            " \xC3\x97 its allowable (" + worst->pathway->words + ")";
  return text;
}

StreamSummary summarize(const Stream& stream, const Outcome& outcome) {
  StreamSummary s;
  s.label = stream.label;
  s.path = stream.dir.empty() ? std::string(".") : stream.dir.generic_string();
  s.status = outcome.status;
  s.exit_status = outcome.exit_status();
  s.message = joined(outcome.message);
  if (outcome.sources) {
    s.sources_beside = true;
    if (!outcome.sources->sha256.empty()) s.sources_sha256 = outcome.sources->sha256;
    if (!outcome.sources->usable())
      s.sources_warning = chemicals::sources_warning(*outcome.sources);
  }
  s.explanation = outcome.explanation;
  if (outcome.status == Status::completed && outcome.results) {
    const Results& results = *outcome.results;
    s.chemicals = results.chemicals.size();
    s.exceeding = stream_verdict(results).exceeding;
    s.worst = worst_chemical(results);
  }
  return s;
}

}  // namespace vorn::batch
