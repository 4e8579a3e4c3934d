#include "numerics/distribution_families.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <string>

#include "core/number_text.hpp"
#include "family_functions.hpp"

namespace vorn::numerics {
namespace {

// In the order of the enumeration.
constexpr FamilyEntry kEntries[] = {
    {Family::constant, "constant", " value ", false, nullptr, check_constant, nullptr,
     make_constant},
    {Family::uniform, "uniform", " min max ", true, nullptr, check_uniform, nullptr, make_uniform},
    {Family::loguniform, "loguniform", " min max ", true, nullptr, check_loguniform, nullptr,
     make_loguniform},
    {Family::triangular, "triangular", " min mode max ", true, nullptr, check_triangular, nullptr,
     make_triangular},
    {Family::pert, "pert", " min mode max lambda ", true, default_pert, check_pert, derived_pert,
     make_pert},
    {Family::normal, "normal", " mean sd min max ", true, nullptr, check_normal, nullptr,
     make_normal},
    {Family::lognormal, "lognormal", " gm gsd mean sd min max ", true, nullptr, check_lognormal,
     derived_lognormal, make_lognormal},
    // Beta, gamma and Weibull models take the parameters as given, which their checks hold
    // finite and > 0.
    {Family::beta, "beta", " alpha beta min max ", true, default_beta, check_beta, nullptr,
     make_beta},
    {Family::gamma, "gamma", " shape scale min max ", true, nullptr, check_gamma, nullptr,
     make_gamma},
    {Family::weibull, "weibull", " shape scale min max ", true, nullptr, check_weibull, nullptr,
     make_weibull},
    // Values with one distinct value are a constant, and allowed.
    {Family::empirical, "empirical", " values weights cdf ", false, nullptr, check_empirical,
     nullptr, make_empirical},
};

constexpr bool in_enumeration_order() {
  for (std::size_t i = 0; i < std::size(kEntries); ++i)
    if (static_cast<std::size_t>(kEntries[i].family) != i) return false;
  return true;
}
static_assert(in_enumeration_order());

// "Error in function boost::math::tgamma<double>(double): Result of tgamma is too large to
// represent." says no more than its reason to the author of a scenario.
std::string reason(const std::exception& e) {
  std::string text = e.what();
  constexpr std::string_view kPrefix = "Error in function ";
  if (text.rfind(kPrefix, 0) == 0) {
    const auto colon = text.find(": ", kPrefix.size());
    if (colon != std::string::npos) text.erase(0, colon + 2);
  }
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// The probabilities of kDrawProbes as people read them.
constexpr const char* kProbeTexts[] = {"2^-54", "1e-9", "0.5", "1 - 1e-9", "1 - 2^-53"};
static_assert(std::size(kProbeTexts) == std::size(kDrawProbes));

// A value as the documents write it: NaN and the infinities in words.
std::string value_text(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
  return shortest_text(x);
}

}  // namespace

ModelPtr make_model(Family family, const DistributionParameters& p) {
  const FamilyEntry& entry = family_entry(family);
  if (entry.derived) {
    for (const DerivedParameter& d : entry.derived(p)) {
      if (!(std::isfinite(d.value) && d.value > 0))
        throw std::invalid_argument(std::string(d.from) + " give " + d.name + " = " +
                                    value_text(d.value) + ", not a finite number > 0");
    }
  }
  ModelPtr model;
  try {
    model = entry.make(p);
  } catch (const std::invalid_argument&) {
    throw;
  } catch (const std::exception& e) {
    throw std::invalid_argument("cannot be evaluated with these parameters (" + reason(e) + ")");
  }
  constexpr std::size_t kProbes = std::size(kDrawProbes);
  double draws[kProbes];
  for (std::size_t k = 0; k < kProbes; ++k) {
    try {
      draws[k] = model->quantile(kDrawProbes[k]);
    } catch (const std::exception& e) {
      throw std::invalid_argument(std::string("cannot be drawn from at probability ") +
                                  kProbeTexts[k] + " (" + reason(e) + ")");
    }
    if (!std::isfinite(draws[k]))
      throw std::invalid_argument("draws " + value_text(draws[k]) + " at probability " +
                                  kProbeTexts[k] + ": every draw must be a finite number");
  }
  if (entry.continuous &&
      std::all_of(std::begin(draws), std::end(draws), [&](double x) { return x == draws[0]; }))
    throw std::invalid_argument("draws " + value_text(draws[0]) + " at every probability from " +
                                kProbeTexts[0] + " to " + kProbeTexts[kProbes - 1] +
                                ": these parameters leave it no spread (one value is a constant)");
  return model;
}

std::span<const FamilyEntry> family_entries() {
  return kEntries;
}

const FamilyEntry& family_entry(Family family) {
  const auto i = static_cast<std::size_t>(family);
  if (i >= std::size(kEntries)) throw std::invalid_argument("not a distribution family");
  return kEntries[i];
}

}  // namespace vorn::numerics
