// The documents of a probabilistic run, for programs and spreadsheets.
#pragma once

#include <string>

#include "vorn/page_stamp.hpp"

namespace vorn::mc {
struct McSummary;
struct McSensitivity;
struct SobolReport;
}  // namespace vorn::mc

namespace vorn {

// Ordered JSON: the scenario as resolved (`scenario_json`, its canonical form), the
// realizations, the failures, and per chemical and for the stream the statistics of every
// decision quantity, the decision at the decision percentile and the convergence table.
// Holds no thread count, shard, time, host or path: equal results are equal files. With
// `sensitivity`, a "sensitivity" section says how the inputs were ranked, and each chemical
// and the stream gets the indices of its inputs.
std::string mc_json(const mc::McSummary& summary, const std::string& scenario_json,
                    double decision_percentile, const mc::McSensitivity* sensitivity = nullptr);

// The same statistics in long form (RFC 4180, CRLF): chemical, quantity, statistic, value;
// with `sensitivity`, also a row per index: chemical, "SENSITIVITY <output> <input>",
// statistic (spearman, prcc, their bounds, negligible), value.
std::string mc_csv(const mc::McSummary& summary, const mc::McSensitivity* sensitivity = nullptr);

// One self-contained HTML page for people (inline CSS and SVG, no scripts, no links): the
// verdict at the decision percentile per chemical (P(exceeded), the allowable
// concentrations there with their 95 % confidence intervals against the waste
// concentrations), per chemical the percentile bands of every pathway's risk and hazard
// quotient with the targets, the convergence table and the scenario. Same bytes for the
// same results.
// With `sensitivity`, a section "Which inputs matter" adds per chemical a tornado of the
// inputs that move its limiting quantity most. The page starts with the provenance block
// (engine, the VORN.IN's and the scenario's digests, seed, realizations, sampling, the run
// identity and `stamp`'s date) and prints with the verdict at the top of every sheet.
std::string mc_html(const mc::McSummary& summary, const std::string& scenario_json,
                    double decision_percentile, const PageStamp& stamp,
                    const mc::McSensitivity* sensitivity = nullptr);

// The documents of `vorn mc --sobol`: the design, and per chemical (its limiting quantity) and
// for the stream totals the first-order and total Sobol index of every input group with its
// bootstrap 95 % interval, as JSON, as CSV in long form, and as a page of bars (with the
// provenance block of its scenario).
std::string sobol_json(const mc::SobolReport& report, const std::string& scenario_json);
std::string sobol_csv(const mc::SobolReport& report);
std::string sobol_html(const mc::SobolReport& report, const std::string& scenario_json,
                       const PageStamp& stamp);

}  // namespace vorn
