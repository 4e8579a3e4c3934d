#include "mc_run/samples_table.hpp"

#include "core/csv_field.hpp"
#include "core/real_text.hpp"
#include "core/text.hpp"
#include "export/export_text.hpp"

namespace vorn::mc_run {
namespace {

void put(std::string& out, double x) {
  char buf[kRealTextSize];
  out += ',';
  out.append(buf, write_real(buf, x));
}

}  // namespace

SamplesTable::SamplesTable(const scenario::SamplingPlan& plan,
                           const std::vector<Chemical>& chemicals)
    : chemicals_(chemicals.size()) {
  header_ = "realization";
  for (const scenario::PlanParameter& p : plan.parameters)
    header_ += ',' + csv_field(export_text(p.label));
  for (std::size_t i = 0; i < chemicals.size(); ++i) {
    std::string id(trim_blanks(chemicals[i].CHEMCAS));
    if (id.empty()) id = trim_blanks(chemicals[i].CHEMNAME);
    const std::string who = " of " + export_text(id) + " (" + std::to_string(i + 1) + ")";
    for (const mc::QuantityInfo& q : mc::kChemicalQuantityInfo)
      header_ += ',' + csv_field(q.name + who);
  }
  header_ += ",RI_TOT of the stream,HI_TOT of the stream";
  header_ += kCsvRecordEnd;
}

std::string SamplesTable::row(std::uint64_t r, const mc::RealizationEvaluator& evaluator) const {
  std::string out = std::to_string(r);
  for (const double v : evaluator.values()) put(out, v);
  const bool unit_failed = evaluator.unit_failed();
  mc::ChemicalQuantities q{};
  for (std::size_t i = 0; i < chemicals_; ++i) {
    const ChemicalEvaluation* ev = unit_failed ? nullptr : &evaluator.evaluations()[i];
    if (ev == nullptr || ev->failure) {
      out.append(mc::kChemicalQuantities, ',');
      continue;
    }
    mc::chemical_quantities(evaluator.unit(), *ev, q);
    for (const double x : q) put(out, x);
  }
  if (evaluator.all_completed()) {
    put(out, evaluator.stream_risk());
    put(out, evaluator.stream_hazard());
  } else {
    out += ",,";
  }
  out += kCsvRecordEnd;
  return out;
}

}  // namespace vorn::mc_run
