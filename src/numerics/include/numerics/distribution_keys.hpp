// The names a distribution's parameters go by in scenario files and their JSON form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numerics/distribution.hpp"

namespace vorn::numerics {

struct ScalarParameter {
  std::string_view name;
  std::optional<double> DistributionParameters::*member;
};

// In the order the JSON form writes them; values, weights and cdf follow.
inline constexpr ScalarParameter kScalarParameters[] = {
    {"value", &DistributionParameters::value},   {"min", &DistributionParameters::min},
    {"max", &DistributionParameters::max},       {"mode", &DistributionParameters::mode},
    {"lambda", &DistributionParameters::lambda}, {"mean", &DistributionParameters::mean},
    {"sd", &DistributionParameters::sd},         {"gm", &DistributionParameters::gm},
    {"gsd", &DistributionParameters::gsd},       {"alpha", &DistributionParameters::alpha},
    {"beta", &DistributionParameters::beta},     {"shape", &DistributionParameters::shape},
    {"scale", &DistributionParameters::scale},
};

std::optional<Family> family_named(std::string_view name);

// Whether `key` is a parameter of `family` in a scenario file.
bool family_takes(Family family, std::string_view key);
// Whether `key` is a parameter of any family.
bool is_parameter_key(std::string_view key);

// The parameter key a sentence of distribution_problems() is about ("gsd (0.5) must be
// ...", "missing gsd"); empty when it is about no single parameter.
std::string problem_subject(std::string_view problem, Family family);

}  // namespace vorn::numerics
