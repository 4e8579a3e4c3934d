// Counts and indices read from JSON that came from elsewhere (a part written on another
// machine). Asked for an unsigned integer, the JSON library turns -1 into 2^64 - 1 and 2.5
// into 2; these refuse both, naming the field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vorn {

// `value` as a count; std::invalid_argument "<name>: -1 is not a count ..." otherwise.
template <class Json>
std::uint64_t json_count(const Json& value, const std::string& name) {
  if (!value.is_number_unsigned()) {
    std::string shown = value.dump();
    if (shown.size() > 40) shown = shown.substr(0, 37) + "...";
    throw std::invalid_argument(name + ": " + shown +
                                " is not a count (a whole number, 0 or more)");
  }
  return value.template get<std::uint64_t>();
}

// The count under `key` of an object, named `path` + `key` in errors; the JSON library's
// out_of_range when it is missing.
template <class Json>
std::uint64_t json_count_at(const Json& object, const std::string& path, const std::string& key) {
  return json_count(object.at(key), path + key);
}
template <class Json>
std::uint64_t json_count_at(const Json& object, const std::string& key) {
  return json_count_at(object, "", key);
}

// An array of exactly N counts under `key`.
template <std::size_t N, class Json>
std::array<std::uint64_t, N> json_counts_at(const Json& object, const std::string& path,
                                            const std::string& key) {
  const Json& a = object.at(key);
  const std::string name = path + key;
  if (!a.is_array() || a.size() != N)
    throw std::invalid_argument(name + ": not an array of " + std::to_string(N) + " counts");
  std::array<std::uint64_t, N> counts{};
  for (std::size_t k = 0; k < N; ++k)
    counts[k] = json_count(a[k], name + "[" + std::to_string(k) + "]");
  return counts;
}

}  // namespace vorn
