#pragma once

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

const char* family_name(Family family);

// Everything wrong with the parameters of `family`, one short sentence each ("min (5)
// is greater than max (3)"); empty when a Distribution can be made. The caller adds
// where the parameters came from.
std::vector<std::string> distribution_problems(Family family, const DistributionParameters& p);

namespace detail {
// The checks that need no evaluation of the distribution.
std::vector<std::string> parameter_problems(Family family, const DistributionParameters& p);
}  // namespace detail

// A validated distribution, ready to turn uniforms into samples.
//
// Truncated normal, lognormal, gamma and Weibull sample by inversion inside the kept
// part of the CDF, u' = F(min) + u (F(max) - F(min)), never by rejection, so one
// uniform makes one sample and LHS / Sobol strata survive. Whichever tail u' lies in is
// inverted through that tail's own probability, which keeps full relative accuracy in
// the upper tail as well.
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
  // Closed forms, truncation included.
  double mean() const;
  double sd() const;

 private:
  // The underlying untruncated family's lower and upper tail probabilities.
  double base_cdf(double x) const;
  double base_sf(double x) const;
  double base_quantile(double p) const;
  double base_quantile_upper(double q) const;
  struct Moments {
    double mean, var;
  };
  // Bounds that cut no probability in double precision count as none.
  bool untruncated() const { return cdf_lo_ == 0 && sf_hi_ == 0; }
  Moments untruncated_moments() const;
  // E[X^k; lo < X < hi] of the untruncated family, k = 0 (the kept mass), 1 or 2.
  double raw_moment(int k) const;

  Family family_;
  DistributionParameters p_;
  // Derived at construction.
  double location_ = 0;     // normal mean, lognormal mu, pert/beta alpha
  double spread_ = 0;       // normal sd, lognormal sigma, pert/beta beta
  double lo_ = 0, hi_ = 0;  // support bounds actually applied
  double cdf_lo_ = 0, cdf_hi_ = 1, sf_lo_ = 1, sf_hi_ = 0;
  std::vector<double> xs_, cum_;  // empirical: sorted values / cdf x and cumulative p
};

}  // namespace vorn::numerics
