#include "numerics/distribution.hpp"

#include <iterator>
#include <stdexcept>

#include "numerics/distribution_families.hpp"
#include "numerics/distribution_keys.hpp"
#include "numerics/family_model.hpp"
#include "parameter_checker.hpp"

namespace vorn::numerics {
namespace {

std::string join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : "; ") + item;
  return out;
}

}  // namespace

const char* family_name(Family family) {
  return family_entry(family).name.data();
}

void fill_defaults(Family family, DistributionParameters& p) {
  if (const auto defaults = family_entry(family).defaults) defaults(p);
}

namespace detail {

std::vector<std::string> parameter_problems(Family family, const DistributionParameters& p) {
  ParameterChecker c(p);
  family_entry(family).check(c, p);
  const std::pair<const char*, const std::optional<double>*> shared[] = {{"value", &p.value},
                                                                         {"lambda", &p.lambda},
                                                                         {"mode", &p.mode},
                                                                         {"min", &p.min},
                                                                         {"max", &p.max}};
  for (const auto& [name, value] : shared) {
    if (value->has_value() && !family_takes(family, name))
      c.add(std::string(name) + " is not a parameter of " + family_name(family));
  }
  return c.problems;
}

}  // namespace detail

std::vector<std::string> distribution_problems(Family family, const DistributionParameters& p) {
  auto problems = detail::parameter_problems(family, p);
  if (problems.empty()) {
    // What remains needs the distribution itself: a truncation that keeps no probability,
    // parameters it cannot be evaluated with, draws that are not finite.
    try {
      Distribution d(family, p);
    } catch (const std::invalid_argument& e) {
      problems.emplace_back(e.what());
    }
  }
  return problems;
}

Distribution::Distribution(Family family, DistributionParameters parameters)
    : family_(family), p_(std::move(parameters)) {
  const auto problems = detail::parameter_problems(family_, p_);
  if (!problems.empty()) throw std::invalid_argument(join(problems));
  model_ = make_model(family_, p_);
  lowest_ = model_->quantile(kDrawProbes[0]);
  highest_ = model_->quantile(kDrawProbes[std::size(kDrawProbes) - 1]);
}

double Distribution::quantile(double u) const {
  return model_->quantile(u);
}

double Distribution::cdf(double x) const {
  if (x < model_->lo()) return 0;
  if (x >= model_->hi()) return 1;
  return model_->cdf_inside(x);
}

double Distribution::density(double x) const {
  return model_->density(x);
}

double Distribution::mean() const {
  return model_->mean();
}

double Distribution::sd() const {
  return model_->sd();
}

}  // namespace vorn::numerics
