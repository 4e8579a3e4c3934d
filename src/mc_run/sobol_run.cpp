#include "mc_run/sobol_run.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "core/real_text.hpp"
#include "core/text.hpp"
#include "export/csv_field.hpp"
#include "export/export_text.hpp"
#include "mc/sample_rows.hpp"
#include "sensitivity/saltelli_design.hpp"

namespace vorn::mc {

SobolGroups sobol_groups(const ResolvedScenario& scenario, const SamplingPlan& plan) {
  SobolGroups g;
  g.group_of_stream.assign(plan.streams, 0);
  for (std::size_t k = 0; k < scenario.vary.size(); ++k) {
    const ResolvedVary& v = scenario.vary[k];
    if (v.selector == SelectorKind::each) {
      for (std::size_t i = 0; i < scenario.chemical_count; ++i)
        g.group_of_stream[scenario.parameter(v, i)] = k;
      g.labels.push_back(v.field + " of each chemical");
    } else {
      g.group_of_stream[v.first_parameter] = k;
      std::string label = v.field;
      for (const PlanParameter& p : plan.parameters)
        if (p.stream == v.first_parameter) label = p.label;
      g.labels.push_back(label);
    }
  }
  return g;
}

SobolRun evaluate_sobol_design(const McInput& input, const SamplingPlan& plan,
                               const SobolGroups& groups, std::size_t base_rows, unsigned threads,
                               const std::function<void(std::uint64_t)>& progress,
                               std::vector<double>* design_rows) {
  const sensitivity::SaltelliDesign shape(plan.seed, base_rows, groups.group_of_stream);
  const std::size_t blocks = shape.groups() + 2, n = input.chemicals.size();
  const SampleRowLayout layout{plan.parameters.size(), n};
  // outputs[o][block * M + j - 1]: output o (the limiting quantities, then the totals).
  std::vector<std::vector<double>> outputs(n + 2, std::vector<double>(blocks * base_rows));
  if (design_rows) design_rows->assign(shape.evaluations() * layout.columns(), 0.0);
  std::atomic<std::uint64_t> next{1}, done{0};
  auto work = [&](unsigned t) {
    sensitivity::SaltelliDesign design(plan.seed, base_rows, groups.group_of_stream);
    RealizationEvaluator evaluator(input, plan);
    std::vector<double> a(shape.columns()), b(shape.columns()), point(shape.columns());
    for (std::uint64_t j; (j = next.fetch_add(1)) <= base_rows;) {
      design.base_row(j, a.data(), b.data());
      for (std::size_t block = 0; block < blocks; ++block) {
        const double* u = block == 0 ? a.data() : block == 1 ? b.data() : point.data();
        if (block >= 2) design.mixed_row(block - 2, a.data(), b.data(), point.data());
        evaluator.evaluate_at(u);
        const std::size_t at = block * base_rows + (j - 1);
        const bool unit_failed = evaluator.unit_failed();
        ChemicalQuantities q{};
        for (std::size_t i = 0; i < n; ++i) {
          const ChemicalEvaluation* ev = unit_failed ? nullptr : &evaluator.evaluations()[i];
          double x = std::nan("");
          if (ev != nullptr && !ev->failure) {
            chemical_quantities(evaluator.unit(), *ev, q);
            x = limiting_quantity(q[kGwRatio], q[kSfRatio]);
          }
          outputs[i][at] = x;
        }
        const bool totals = evaluator.all_completed();
        outputs[n][at] = totals ? evaluator.stream_risk() : std::nan("");
        outputs[n + 1][at] = totals ? evaluator.stream_hazard() : std::nan("");
        if (design_rows) {
          double* row_out = design_rows->data() + at * layout.columns();
          row_out = std::copy(evaluator.values().begin(), evaluator.values().end(), row_out);
          for (std::size_t o = 0; o < n + 2; ++o) row_out[o] = outputs[o][at];
        }
      }
      const std::uint64_t now = done.fetch_add(blocks) + blocks;
      if (t == 0 && progress) progress(now);
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < std::max(threads, 1u); ++t) pool.emplace_back(work, t);
  work(0);
  for (std::thread& th : pool) th.join();

  SobolRun run;
  run.seed = plan.seed;
  run.base_rows = base_rows;
  run.evaluations = shape.evaluations();
  run.replicates = 1000;
  run.groups = groups.labels;
  for (const Chemical& c : input.chemicals) {
    run.names.emplace_back(trim_blanks(c.CHEMNAME));
    run.cas.emplace_back(trim_blanks(c.CHEMCAS));
  }
  const sensitivity::BootstrapOptions bootstrap{plan.seed, run.replicates};
  auto indices = [&](std::size_t o) {
    return sensitivity::estimate_sobol_indices(outputs[o].data(), base_rows, shape.groups(),
                                               bootstrap);
  };
  // The outputs' bootstraps are independent: shared out among the threads.
  std::vector<sensitivity::SobolIndices> estimates(n + 2);
  std::atomic<std::size_t> next_output{0};
  auto estimate = [&] {
    for (std::size_t o; (o = next_output.fetch_add(1)) < n + 2;) estimates[o] = indices(o);
  };
  pool.clear();
  for (unsigned t = 1; t < std::max(threads, 1u); ++t) pool.emplace_back(estimate);
  estimate();
  for (std::thread& th : pool) th.join();
  run.stream_hazard = std::move(estimates[n + 1]);
  run.stream_risk = std::move(estimates[n]);
  estimates.resize(n);
  run.chemicals = std::move(estimates);
  return run;
}

std::string sobol_design_header(const SamplingPlan& plan, const std::vector<Chemical>& chemicals) {
  std::string header = "evaluation";
  for (const PlanParameter& p : plan.parameters) header += ',' + csv_field(export_text(p.label));
  for (std::size_t i = 0; i < chemicals.size(); ++i) {
    std::string id(trim_blanks(chemicals[i].CHEMCAS));
    if (id.empty()) id = trim_blanks(chemicals[i].CHEMNAME);
    header += ',' + csv_field("limiting ratio of " + export_text(id) + " (" +
                              std::to_string(i + 1) + ")");
  }
  return header + ",RI_TOT of the stream,HI_TOT of the stream" + kCsvRecordEnd;
}

std::string sobol_design_rows(const std::vector<double>& design, std::size_t columns,
                              std::size_t first, std::size_t last) {
  std::string out;
  char buf[kRealTextSize];
  for (std::size_t e = first; e < last; ++e) {
    out += std::to_string(e + 1);
    for (std::size_t c = 0; c < columns; ++c) {
      out += ',';
      const double x = design[e * columns + c];
      if (!std::isnan(x)) out.append(buf, write_real(buf, x));
    }
    out += kCsvRecordEnd;
  }
  return out;
}

}  // namespace vorn::mc
