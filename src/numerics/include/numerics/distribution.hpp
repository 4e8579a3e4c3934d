// A distribution of a varied input: its family, its parameters and what it draws. The
// families themselves, with their parameters and functions, are listed in
// distribution_families.hpp.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorn::numerics {

enum class Family {
  constant,    // value
  uniform,     // min, max
  loguniform,  // min, max (both > 0)
  triangular,  // min, mode, max
  pert,        // min, mode, max, lambda (default 4): a beta rescaled to [min, max]
  normal,      // mean, sd; optional truncation min, max
  lognormal,   // gm, gsd (ln X ~ N(ln gm, ln gsd)) or arithmetic mean, sd; truncation
  beta,        // alpha, beta; rescaled to [min, max], default [0, 1]
  gamma,       // shape, scale; truncation
  weibull,     // shape, scale; truncation
  empirical,   // values with optional weights (discrete), or cdf points (x, p)
};

// The parameters as the input file gives them; each family reads its own.
struct DistributionParameters {
  // Default initializers let callers name only the fields they set.
  std::optional<double> value{};
  std::optional<double> min{}, max{}, mode{};
  std::optional<double> lambda{};
  std::optional<double> mean{}, sd{};
  std::optional<double> gm{}, gsd{};
  std::optional<double> alpha{}, beta{};
  std::optional<double> shape{}, scale{};
  std::vector<double> values{}, weights{};
  std::vector<std::pair<double, double>> cdf{};  // (x, p)
};

// The probabilities a distribution is tried at when it is made: the smallest and the largest
// uniform the samplers give (2^-54 and 1 - 2^-53), 10^-9 from either end and the median. The
// quantile is nondecreasing, so the first and the last bound every draw.
inline constexpr double kDrawProbes[] = {0x1p-54, 1e-9, 0.5, 1 - 1e-9, 1 - 0x1p-53};

// Its name in scenario files and documents ("lognormal").
const char* family_name(Family family);

// Gives the parameters of `family` that have a default (pert: lambda 4; beta: min 0, max 1)
// their default where they were not given, as a scenario's resolved form shows them.
void fill_defaults(Family family, DistributionParameters& p);

// Everything wrong with the parameters of `family`, one short sentence each ("min (5)
// is greater than max (3)"); empty when a Distribution can be made. The caller adds
// where the parameters came from.
std::vector<std::string> distribution_problems(Family family, const DistributionParameters& p);

namespace detail {
// The checks that need no evaluation of the distribution.
std::vector<std::string> parameter_problems(Family family, const DistributionParameters& p);
}  // namespace detail

class FamilyModel;

// A validated distribution, ready to turn uniforms into samples: every draw is a finite
// number (see make_model in distribution_families.hpp). Truncated families sample
// by inversion inside the kept part of the cdf, never by rejection, so one uniform makes one
// sample and LHS / Sobol strata survive.
class Distribution {
 public:
  // Throws std::invalid_argument listing distribution_problems() when there are any.
  Distribution(Family family, DistributionParameters parameters);

  Family family() const { return family_; }
  const DistributionParameters& parameters() const { return p_; }

  // The sample for u in (0, 1): nondecreasing in u (to rounding where the inversion
  // changes tail, at 1/2 of the kept mass), inside the support and bounds.
  double quantile(double u) const;
  double cdf(double x) const;
  // The density at x, truncation included; for a discrete distribution (a constant, an
  // empirical one of values) the probability mass at x.
  double density(double x) const;
  // Closed forms, truncation included.
  double mean() const;
  double sd() const;
  // The smallest and the largest value it can draw: its quantile at the first and the last
  // of kDrawProbes.
  double lowest_draw() const { return lowest_; }
  double highest_draw() const { return highest_; }

 private:
  Family family_;
  DistributionParameters p_;
  std::shared_ptr<const FamilyModel> model_;
  double lowest_ = 0, highest_ = 0;
};

}  // namespace vorn::numerics
