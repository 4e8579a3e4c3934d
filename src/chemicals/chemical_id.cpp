#include "chemicals/chemical_id.hpp"

#include <cctype>

namespace vorn::chemicals {
namespace {

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool is_cas_shaped(std::string_view text) {
  const std::size_t first = text.find('-');
  if (first == std::string_view::npos || first < 2 || first > 7) return false;
  return text.size() == first + 5 && text[first + 3] == '-' && all_digits(text.substr(0, first)) &&
         all_digits(text.substr(first + 1, 2)) && all_digits(text.substr(first + 4, 1));
}

int cas_check_digit(std::string_view cas) {
  int weight = 1, sum = 0;
  for (std::size_t k = cas.size() - 1; k-- > 0;) {
    if (cas[k] == '-') continue;
    sum += weight++ * (cas[k] - '0');
  }
  return sum % 10;
}

bool is_registry_id(std::string_view text) {
  return text.size() >= 2 && text.size() <= 13 && text[0] == 'E' && all_digits(text.substr(1));
}

std::string id_problem(std::string_view id) {
  if (is_registry_id(id)) return {};
  if (!is_cas_shaped(id)) {
    return "\"" + std::string(id) +
           "\" is not a CAS number (digits-dd-d) or a registry id (E and digits)";
  }
  const int expected = cas_check_digit(id);
  if (id.back() - '0' == expected) return {};
  return "the check digit of " + std::string(id) + " should be " + std::to_string(expected);
}

ChemicalKey parse_key(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {std::string(trimmed(text)), {}};
  return {std::string(trimmed(text.substr(0, colon))),
          std::string(trimmed(text.substr(colon + 1)))};
}

std::string variant_key(std::string_view name) {
  name = trimmed(name);
  if (name.empty() || name.back() != ')') return {};
  const std::size_t open = name.rfind('(');
  if (open == std::string_view::npos) return {};
  std::string key;
  for (char c : trimmed(name.substr(open + 1, name.size() - open - 2))) {
    if (c == ' ')
      key += '-';
    else
      key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return key;
}

}  // namespace vorn::chemicals
