// The statistics of one decision quantity over realizations, exact and mergeable: sums of
// d = x - b and d^2 around the deterministic value b (d^2 as its rounded square plus the
// rounding error, each summed exactly), a percentile sketch, the counts of values that are
// not numbers, and of values above a target.
#pragma once

#include <cmath>
#include <cstdint>
#include <nlohmann/json_fwd.hpp>

#include "numerics/exact_sum.hpp"
#include "numerics/quantile_sketch.hpp"

namespace vorn::numerics {

class QuantityStats {
 public:
  // `baseline` is the same for every realization of the quantity; NaN and infinities
  // never enter the sums; the sketch counts them and ranks the infinities.
  void add(double x, double baseline) { add(x, baseline, sketch_.counter(x)); }
  // add() in two steps, as QuantileSketch::add.
  std::uint32_t* counter(double x) { return sketch_.counter(x); }
  void add(double x, double baseline, std::uint32_t* counter);
  void count_above() { ++above_; }
  void merge(const QuantityStats& other);

  std::uint64_t count() const { return sketch_.count(); }
  std::uint64_t nan_count() const { return sketch_.nan_count(); }
  std::uint64_t pos_inf_count() const { return sketch_.pos_inf_count(); }
  std::uint64_t neg_inf_count() const { return sketch_.neg_inf_count(); }
  std::uint64_t above() const { return above_; }
  // Of the finite values: NaN while none was added; sd needs two. sd is NaN too when a
  // value or its distance from the baseline passes kLargestSquared in magnitude.
  double mean(double baseline) const;
  double sd(double baseline) const;
  // Past this magnitude a square leaves the range in which sd is computed.
  static constexpr double kLargestSquared = 0x1p510;
  bool beyond_squares(double baseline) const;
  const QuantileSketch& sketch() const { return sketch_; }

  void to_json(nlohmann::ordered_json& out) const;
  static QuantityStats from_json(const nlohmann::ordered_json& in);
  bool operator==(const QuantityStats&) const = default;

 private:
  ExactSum s1_, s2_, e2_;  // e2: the squares' rounding errors
  QuantileSketch sketch_;
  std::uint64_t above_ = 0;
};

// The baseline a quantity's sums are taken around: b itself when finite, else 0.
inline double sum_baseline(double b) {
  return b - b == 0.0 ? b : 0.0;
}

inline void QuantityStats::add(double x, double baseline, std::uint32_t* counter) {
  if (!std::isfinite(x)) return sketch_.add(x, counter);
  const double d = x - sum_baseline(baseline);
  s1_.add(d);
  const double square = d * d;
  s2_.add(square);
  // The square's rounding error, exactly (an explicit fused multiply-add).
  e2_.add(std::fma(d, d, -square));
  sketch_.add(x, counter);
}

}  // namespace vorn::numerics
