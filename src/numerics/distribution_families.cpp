#include "numerics/distribution_families.hpp"

#include <stdexcept>

#include "family_functions.hpp"

namespace vorn::numerics {
namespace {

// In the order of the enumeration.
constexpr FamilyEntry kEntries[] = {
    {Family::constant, "constant", " value ", nullptr, check_constant, make_constant},
    {Family::uniform, "uniform", " min max ", nullptr, check_uniform, make_uniform},
    {Family::loguniform, "loguniform", " min max ", nullptr, check_loguniform, make_loguniform},
    {Family::triangular, "triangular", " min mode max ", nullptr, check_triangular,
     make_triangular},
    {Family::pert, "pert", " min mode max lambda ", default_pert, check_pert, make_pert},
    {Family::normal, "normal", " mean sd min max ", nullptr, check_normal, make_normal},
    {Family::lognormal, "lognormal", " gm gsd mean sd min max ", nullptr, check_lognormal,
     make_lognormal},
    {Family::beta, "beta", " alpha beta min max ", default_beta, check_beta, make_beta},
    {Family::gamma, "gamma", " shape scale min max ", nullptr, check_gamma, make_gamma},
    {Family::weibull, "weibull", " shape scale min max ", nullptr, check_weibull, make_weibull},
    {Family::empirical, "empirical", " values weights cdf ", nullptr, check_empirical,
     make_empirical},
};

constexpr bool in_enumeration_order() {
  for (std::size_t i = 0; i < std::size(kEntries); ++i)
    if (static_cast<std::size_t>(kEntries[i].family) != i) return false;
  return true;
}
static_assert(in_enumeration_order());

}  // namespace

std::span<const FamilyEntry> family_entries() {
  return kEntries;
}

const FamilyEntry& family_entry(Family family) {
  const auto i = static_cast<std::size_t>(family);
  if (i >= std::size(kEntries)) throw std::invalid_argument("not a distribution family");
  return kEntries[i];
}

}  // namespace vorn::numerics
