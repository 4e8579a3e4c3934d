#include "numerics/quantity_stats.hpp"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "core/json_count.hpp"

namespace vorn::numerics {

void QuantityStats::add_non_finite(double x) {
  if (std::isnan(x))
    ++nan_;
  else
    ++(x > 0 ? pos_inf_ : neg_inf_);
}

void QuantityStats::merge(const QuantityStats& other) {
  s1_.merge(other.s1_);
  s2_.merge(other.s2_);
  sketch_.merge(other.sketch_);
  nan_ += other.nan_;
  pos_inf_ += other.pos_inf_;
  neg_inf_ += other.neg_inf_;
  above_ += other.above_;
}

double QuantityStats::mean(double baseline) const {
  const std::uint64_t n = count();
  if (n == 0) return std::numeric_limits<double>::quiet_NaN();
  // A constant quantity sums to exactly 0 and keeps its baseline to the bit.
  return sum_baseline(baseline) + s1_.value() / static_cast<double>(n);
}

double QuantityStats::sd(double /*baseline*/) const {
  const std::uint64_t n = count();
  if (n < 2) return std::numeric_limits<double>::quiet_NaN();
  const double nd = static_cast<double>(n);
  const double s1 = s1_.value();
  const double var = (s2_.value() - s1 * s1 / nd) / (nd - 1);
  return var > 0 ? std::sqrt(var) : 0.0;
}

void QuantityStats::to_json(nlohmann::ordered_json& out) const {
  out = nlohmann::ordered_json::object();
  out["s1"] = s1_.to_string();
  out["s2"] = s2_.to_string();
  out["sketch"] = sketch_.to_string();
  out["nan"] = nan_;
  out["inf"] = pos_inf_;
  out["-inf"] = neg_inf_;
  out["above"] = above_;
}

QuantityStats QuantityStats::from_json(const nlohmann::ordered_json& in) {
  QuantityStats q;
  q.s1_ = ExactSum::parse(in.at("s1").get<std::string>());
  q.s2_ = ExactSum::parse(in.at("s2").get<std::string>());
  q.sketch_ = QuantileSketch::parse(in.at("sketch").get<std::string>());
  q.nan_ = json_count_at(in, "nan");
  q.pos_inf_ = json_count_at(in, "inf");
  q.neg_inf_ = json_count_at(in, "-inf");
  q.above_ = json_count_at(in, "above");
  return q;
}

}  // namespace vorn::numerics
