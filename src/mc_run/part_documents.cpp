#include "mc_run/part_documents.hpp"

#include "vorn/mc_documents.hpp"
#include "vorn/nested_documents.hpp"

namespace vorn::mc_run {
namespace {

std::variant<McReport, NestedReport, SobolReport> report(const AnyPart& part, unsigned threads) {
  if (const std::string missing = missing_shards(header_of(part)); !missing.empty())
    throw mc::PartError("the parts do not cover the run: " + missing);
  if (const auto* nested = std::get_if<nested::NestedPart>(&part)) return report_of(*nested);
  if (const auto* sobol = std::get_if<mc::SobolPart>(&part)) return report_of(*sobol, threads);
  return report_of(std::get<mc::McPart>(part));
}

}  // namespace

PartDocuments::PartDocuments(const AnyPart& part, unsigned threads)
    : report_(report(part, threads)) {}

std::string PartDocuments::json() const {
  if (const auto* r = std::get_if<McReport>(&report_))
    return mc_json(r->summary, r->scenario_json, r->decision_percentile, &r->sensitivity);
  if (const auto* r = std::get_if<NestedReport>(&report_))
    return nested_json(r->summary, r->scenario_json);
  const SobolReport& r = std::get<SobolReport>(report_);
  return sobol_json(r.run, r.scenario_json);
}

std::string PartDocuments::csv() const {
  if (const auto* r = std::get_if<McReport>(&report_)) return mc_csv(r->summary, &r->sensitivity);
  if (const auto* r = std::get_if<NestedReport>(&report_)) return nested_csv(r->summary);
  return sobol_csv(std::get<SobolReport>(report_).run);
}

std::string PartDocuments::html(const PageStamp& stamp) const {
  if (const auto* r = std::get_if<McReport>(&report_))
    return mc_html(r->summary, r->scenario_json, r->decision_percentile, stamp, &r->sensitivity);
  if (const auto* r = std::get_if<NestedReport>(&report_))
    return nested_html(r->summary, r->scenario_json, stamp);
  const SobolReport& r = std::get<SobolReport>(report_);
  return sobol_html(r.run, r.scenario_json, stamp);
}

}  // namespace vorn::mc_run
