#include "numerics/quantity_stats.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "core/json_count.hpp"
#include "double_double.hpp"

namespace vorn::numerics {

void QuantityStats::merge(const QuantityStats& other) {
  s1_.merge(other.s1_);
  s2_.merge(other.s2_);
  e2_.merge(other.e2_);
  sketch_.merge(other.sketch_);
  above_ += other.above_;
}

double QuantityStats::mean(double baseline) const {
  const std::uint64_t n = count();
  if (n == 0) return std::numeric_limits<double>::quiet_NaN();
  // A constant quantity sums to exactly 0 and keeps its baseline to the bit.
  return sum_baseline(baseline) + s1_.value() / static_cast<double>(n);
}

bool QuantityStats::beyond_squares(double baseline) const {
  if (count() == 0) return false;
  const double b = sum_baseline(baseline), lo = sketch_.min(), hi = sketch_.max();
  const double largest =
      std::max({std::fabs(lo), std::fabs(hi), std::fabs(lo - b), std::fabs(hi - b)});
  return !(largest <= kLargestSquared);
}

double QuantityStats::sd(double baseline) const {
  const std::uint64_t n = count();
  if (n < 2 || beyond_squares(baseline)) return std::numeric_limits<double>::quiet_NaN();
  // n S2 - S1^2 = n (n - 1) var summed exactly from the products of each sum's three leading
  // doubles (error-free products), then divided in double-double and rounded once. Sums of
  // squares near the double range are taken at 2^(2 scale), with 2^-scale > 2n.
  ExactSum squares = s2_;
  squares.merge(e2_);
  const int scale = squares.value() > 0x1p900 ? -static_cast<int>(std::bit_width(n)) - 1 : 0;
  const std::array<double, 3> s1 = s1_.split(scale), s2 = squares.split(2 * scale);
  const double nd = static_cast<double>(n);
  ExactSum spread;
  auto add = [&spread](DoubleDouble p, double factor) {
    spread.add(factor * p.hi);
    spread.add(factor * p.lo);
  };
  for (double part : s2) add(two_product(nd, part), 1.0);
  for (std::size_t i = 0; i < s1.size(); ++i)
    for (std::size_t j = i; j < s1.size(); ++j)
      add(two_product(s1[i], s1[j]), i == j ? -1.0 : -2.0);
  const std::array<double, 3> t = spread.split();
  const DoubleDouble var = divide(divide(DoubleDouble{t[0], t[1]}, nd), nd - 1);
  const double v = std::ldexp(var.hi + var.lo, -2 * scale);
  return v > 0 ? std::sqrt(v) : 0.0;
}

void QuantityStats::to_json(nlohmann::ordered_json& out) const {
  out = nlohmann::ordered_json::object();
  out["s1"] = s1_.to_string();
  out["s2"] = s2_.to_string();
  out["e2"] = e2_.to_string();
  out["sketch"] = sketch_.to_string();
  out["above"] = above_;
}

QuantityStats QuantityStats::from_json(const nlohmann::ordered_json& in) {
  QuantityStats q;
  q.s1_ = ExactSum::parse(in.at("s1").get<std::string>());
  q.s2_ = ExactSum::parse(in.at("s2").get<std::string>());
  q.e2_ = ExactSum::parse(in.at("e2").get<std::string>());
  q.sketch_ = QuantileSketch::parse(in.at("sketch").get<std::string>());
  q.above_ = json_count_at(in, "above");
  return q;
}

}  // namespace vorn::numerics
