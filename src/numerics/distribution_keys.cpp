#include <algorithm>

#include "numerics/distribution_families.hpp"
#include "numerics/distribution_keys.hpp"

namespace vorn::numerics {

bool family_takes(Family family, std::string_view key) {
  const std::string padded = ' ' + std::string(key) + ' ';
  return family_entry(family).keys.find(padded) != std::string_view::npos;
}

bool is_parameter_key(std::string_view key) {
  if (key == "values" || key == "weights" || key == "cdf") return true;
  return std::any_of(std::begin(kScalarParameters), std::end(kScalarParameters),
                     [&](const ScalarParameter& s) { return s.name == key; });
}

std::string problem_subject(std::string_view problem, Family family) {
  auto word = [&](std::size_t from) {
    const auto end = problem.find_first_of(" (", from);
    return problem.substr(from, end == std::string_view::npos ? end : end - from);
  };
  std::string_view subject = word(0);
  if (subject == "missing" && problem.size() > 8) subject = word(8);
  if (subject == "weight") subject = "weights";
  if (subject == "value" && family == Family::empirical) subject = "values";
  return is_parameter_key(subject) ? std::string(subject) : std::string();
}

std::optional<Family> family_named(std::string_view name) {
  for (const FamilyEntry& entry : family_entries()) {
    if (name == entry.name) return entry.family;
  }
  return std::nullopt;
}

}  // namespace vorn::numerics
