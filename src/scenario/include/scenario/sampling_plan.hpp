// What a probabilistic run samples: each input with its distribution and where its value
// goes, and how the uniforms of a realization are drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numerics/distribution.hpp"
#include "numerics/gaussian_copula.hpp"
#include "numerics/sampling.hpp"
#include "numerics/sobol_points.hpp"
#include "vorn/records.hpp"

namespace vorn::scenario {

inline numerics::DistributionParameters constant_parameters(double value = 1.0) {
  numerics::DistributionParameters p;
  p.value = value;
  return p;
}

// One sampled input; it draws from random stream `stream` (several inputs may share one).
struct PlanParameter {
  enum class Target { unit, chemical, daf_factor };
  Target target = Target::unit;
  std::string field;  // as the scenario names it: "TCLPCONC", "DAF"
  double WasteUnit::*unit_field = nullptr;
  double Chemical::*chemical_field = nullptr;
  bool factor = false;                 // multiplies the value read instead of replacing it
  std::vector<std::size_t> chemicals;  // 0-based: the chemicals the one draw goes to
  numerics::Distribution distribution{numerics::Family::constant, constant_parameters()};
  std::string label;  // the column of a samples file
  std::uint32_t stream = 0;
  bool correlated = false;  // its stream goes through the copula: no LHS stratum or Sobol net
  bool uncertain = false;   // drawn once per outer draw of a nested run
};

struct SamplingPlan {
  std::uint64_t seed = 1;
  std::uint64_t realizations = 1;  // N: realizations are numbered 1..N (a nested run: V)
  numerics::Sampling sampling = numerics::Sampling::lhs;
  std::vector<PlanParameter> parameters;
  std::uint32_t streams = 0;        // one more than the largest stream
  numerics::GaussianCopula copula;  // applied to the design's uniforms
};

// The uniforms of one realization, strictly inside (0, 1): a pure function of (seed, N,
// parameter, realization), correlated through the plan's copula. One per thread (Sobol points are
// drawn from a generator).
class PlanSampler {
 public:
  explicit PlanSampler(const SamplingPlan& plan);
  // u[s] for every stream s < plan.streams.
  void uniforms(std::uint64_t realization, double* u);

 private:
  const SamplingPlan& plan_;
  std::vector<numerics::SobolPoints> sobol_;
};

// The inputs of one realization: `values` (one per parameter) put into working copies
// of the records read. Fields no parameter touches keep the values read.
void apply_values(const SamplingPlan& plan, const double* values, const WasteUnit& unit_read,
                  const std::vector<Chemical>& read, WasteUnit& unit,
                  std::vector<Chemical>& chemicals, std::vector<double>& daf_factors);

}  // namespace vorn::scenario
