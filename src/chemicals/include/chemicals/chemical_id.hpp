// The ids chemicals are known by: CAS numbers with their check digit, the registry ids that
// the screening tables give where a substance has no CAS number, and the variant keys that
// tell apart the rows sharing one CAS number.
#pragma once

#include <string>
#include <string_view>

namespace vorn::chemicals {

// 2 to 7 digits, a hyphen, 2 digits, a hyphen and the check digit.
bool is_cas_shaped(std::string_view text);
// The check digit a CAS-shaped text should end in: the other digits, taken from the right and
// weighted 1, 2, 3 ..., summed modulo 10.
int cas_check_digit(std::string_view cas);
// "E" and 1 to 12 digits (E1790670): no check digit.
bool is_registry_id(std::string_view text);

// Empty when `id` is a CAS number with the right check digit or a registry id; otherwise
// why it is not ("the check digit of 71-43-3 should be 2", "... is not a CAS number").
std::string id_problem(std::string_view id);

// A chemical as a lookup names it: the id and, after a colon, a variant key.
struct ChemicalKey {
  std::string id;
  std::string variant;  // empty: none given
  std::string text() const { return variant.empty() ? id : id + ":" + variant; }
};

// Splits "7440-43-9:water" at its first colon; blanks around either part are dropped.
ChemicalKey parse_key(std::string_view text);

// The key of a variant row: its name's last parenthesised part, lower-cased, blanks as
// hyphens ("Cadmium (Water)" -> "water", "PCBs (low risk)" -> "low-risk"); empty when the
// name ends in no parenthesis.
std::string variant_key(std::string_view name);

}  // namespace vorn::chemicals
