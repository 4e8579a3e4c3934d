// What a distribution family does once its parameters are checked: turn uniforms into
// samples and give its cdf, density and moments. Each family implements it in a file of its
// own (family_*.cpp), and the family table (distribution_families.hpp) names it.
#pragma once

namespace vorn::numerics {

class FamilyModel {
 public:
  virtual ~FamilyModel() = default;

  // The support kept: [lo, hi] (truncation bounds included).
  virtual double lo() const = 0;
  virtual double hi() const = 0;
  // The sample for u in (0, 1): nondecreasing in u, inside [lo, hi].
  virtual double quantile(double u) const = 0;
  // P(X <= x) for lo <= x < hi (the callers answer outside).
  virtual double cdf_inside(double x) const = 0;
  // The density at x (truncation included); a discrete family's probability mass at x.
  virtual double density(double x) const = 0;
  virtual double mean() const = 0;
  virtual double sd() const = 0;
};

}  // namespace vorn::numerics
