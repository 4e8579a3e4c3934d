#include "mc_run/sobol_run.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <stdexcept>

#include "core/csv_field.hpp"
#include "core/real_text.hpp"
#include "core/text.hpp"
#include "export/export_text.hpp"
#include "mc/sample_rows.hpp"
#include "mc/unit_pool.hpp"
#include "numerics/saltelli_design.hpp"

namespace vorn::mc_run {

SobolGroups sobol_groups(const scenario::ResolvedScenario& scenario,
                         const scenario::SamplingPlan& plan) {
  SobolGroups g;
  g.group_of_stream.assign(plan.streams, 0);
  for (std::size_t k = 0; k < scenario.vary.size(); ++k) {
    const scenario::ResolvedVary& v = scenario.vary[k];
    if (v.selector == scenario::SelectorKind::each) {
      for (std::size_t i = 0; i < scenario.chemical_count; ++i)
        g.group_of_stream[scenario.parameter(v, i)] = k;
      g.labels.push_back(v.field + " of each chemical");
    } else {
      g.group_of_stream[v.first_parameter] = k;
      std::string label = v.field;
      for (const scenario::PlanParameter& p : plan.parameters)
        if (p.stream == v.first_parameter) label = p.label;
      g.labels.push_back(label);
    }
  }
  return g;
}

std::vector<mc::SobolRow> evaluate_sobol_rows(const mc::McInput& input,
                                              const scenario::SamplingPlan& plan,
                                              const SobolGroups& groups, std::size_t base_rows,
                                              mc::ShardRange range, unsigned threads,
                                              const std::function<void(std::uint64_t)>& progress,
                                              std::vector<double>* design_rows) {
  const numerics::SaltelliDesign shape(plan.seed, base_rows, groups.group_of_stream);
  const std::size_t blocks = shape.groups() + 2, n = input.chemicals.size(), outputs = n + 2;
  const std::size_t count = range.last < range.first ? 0 : range.last + 1 - range.first;
  const mc::SampleRowLayout layout{plan.parameters.size(), n};
  std::vector<mc::SobolRow> rows(count);
  if (design_rows) design_rows->assign(count * blocks * layout.columns(), 0.0);
  std::atomic<std::uint64_t> done{0};
  auto worker = [&](unsigned) -> mc::UnitRunner {
    // A thread's design generator, evaluator and rows of uniforms.
    struct State {
      State(const numerics::SaltelliDesign& shape, const mc::McInput& input,
            const scenario::SamplingPlan& plan, std::size_t base_rows,
            const std::vector<std::size_t>& group_of_stream)
          : design(plan.seed, base_rows, group_of_stream),
            evaluator(input, plan),
            a(shape.columns()),
            b(shape.columns()),
            point(shape.columns()) {}
      numerics::SaltelliDesign design;
      mc::RealizationEvaluator evaluator;
      std::vector<double> a, b, point;
    };
    auto st = std::make_shared<State>(shape, input, plan, base_rows, groups.group_of_stream);
    return [&, st](std::uint64_t j) {
      mc::SobolRow& row = rows[j - range.first];
      row.unit = j;
      row.values.assign(blocks * outputs, std::nan(""));
      st->design.base_row(j, st->a.data(), st->b.data());
      for (std::size_t block = 0; block < blocks; ++block) {
        const double* u = block == 0 ? st->a.data() : block == 1 ? st->b.data() : st->point.data();
        if (block >= 2)
          st->design.mixed_row(block - 2, st->a.data(), st->b.data(), st->point.data());
        mc::RealizationEvaluator& evaluator = st->evaluator;
        evaluator.evaluate_at(u);
        double* out = row.values.data() + block * outputs;
        if (!evaluator.unit_failed()) {
          mc::ChemicalQuantities q{};
          for (std::size_t i = 0; i < n; ++i) {
            const ChemicalEvaluation& ev = evaluator.evaluations()[i];
            if (ev.failure) continue;
            mc::chemical_quantities(evaluator.unit(), ev, q);
            out[i] = mc::limiting_quantity(q[mc::kGwRatio], q[mc::kSfRatio]);
          }
        }
        if (evaluator.all_completed()) {
          out[n] = evaluator.stream_risk();
          out[n + 1] = evaluator.stream_hazard();
        }
        if (design_rows) {
          double* to = design_rows->data() + (block * count + (j - range.first)) * layout.columns();
          to = std::copy(evaluator.values().begin(), evaluator.values().end(), to);
          std::copy_n(out, outputs, to);
        }
      }
    };
  };
  auto chunk_done = [&](unsigned t, std::uint64_t units) {
    const std::uint64_t now = done.fetch_add(units * blocks) + units * blocks;
    if (t == 0 && progress) progress(now);
  };
  mc::run_units(range.first, range.last, mc::UnitPool{threads, 1, "base row"}, worker, chunk_done);
  return rows;
}

SobolRun sobol_indices(const mc::SobolPart& part, unsigned threads) {
  const std::size_t blocks = part.blocks(), outputs = part.outputs(), m = part.base_rows;
  if (!part.complete() || part.rows.size() != m)
    throw std::invalid_argument("Sobol indices need every base row of the design");
  SobolRun run;
  run.seed = part.seed;
  run.base_rows = m;
  run.evaluations = m * blocks;
  run.replicates = kBootstrapReplicates;
  run.groups = part.groups;
  run.names = part.baseline.names;
  run.cas = part.baseline.cas;
  const numerics::BootstrapOptions bootstrap{part.seed, run.replicates};
  // Output o over the design, laid out [A; B; A_B^1 ... A_B^p] as the estimators read it.
  auto indices = [&](std::size_t o) {
    std::vector<double> values(blocks * m);
    for (std::size_t j = 0; j < m; ++j)
      for (std::size_t block = 0; block < blocks; ++block)
        values[block * m + j] = part.rows[j].values[block * outputs + o];
    return numerics::estimate_sobol_indices(values.data(), m, blocks - 2, bootstrap);
  };
  // The outputs' bootstraps are independent: shared out among the threads. Output o is
  // unit o + 1: chemical o + 1, then the stream's risk and hazard index.
  std::vector<numerics::SobolIndices> estimates(outputs);
  mc::run_units(1, outputs, mc::UnitPool{threads, 1, "output"}, [&](unsigned) -> mc::UnitRunner {
    return [&](std::uint64_t o) { estimates[o - 1] = indices(o - 1); };
  });
  run.stream_hazard = std::move(estimates[outputs - 1]);
  run.stream_risk = std::move(estimates[outputs - 2]);
  estimates.resize(outputs - 2);
  run.chemicals = std::move(estimates);
  return run;
}

std::string sobol_design_header(const scenario::SamplingPlan& plan,
                                const std::vector<Chemical>& chemicals) {
  std::string header = "evaluation";
  for (const scenario::PlanParameter& p : plan.parameters)
    header += ',' + csv_field(export_text(p.label));
  for (std::size_t i = 0; i < chemicals.size(); ++i) {
    std::string id(trim_blanks(chemicals[i].CHEMCAS));
    if (id.empty()) id = trim_blanks(chemicals[i].CHEMNAME);
    header += ',' + csv_field("limiting ratio of " + export_text(id) + " (" +
                              std::to_string(i + 1) + ")");
  }
  return header + ",RI_TOT of the stream,HI_TOT of the stream" + kCsvRecordEnd;
}

std::string sobol_design_rows(const std::vector<double>& design, std::size_t columns,
                              std::size_t first, std::size_t last, std::uint64_t number) {
  std::string out;
  char buf[kRealTextSize];
  for (std::size_t e = first; e < last; ++e) {
    out += std::to_string(number + (e - first));
    for (std::size_t c = 0; c < columns; ++c) {
      out += ',';
      const double x = design[e * columns + c];
      if (!std::isnan(x)) out.append(buf, write_real(buf, x));
    }
    out += kCsvRecordEnd;
  }
  return out;
}

}  // namespace vorn::mc_run
