// Reading the tables of a scenario file: what the readers of [[vary]] and [[correlate]]
// share. Private to the layer: it exposes the TOML parser's types.
#pragma once

#include <stdexcept>

namespace vorn::scenario {
// What the TOML parser's own checks throw here. It asserts some properties of the text it
// reads (a value does not start at its end, a header's key starts with a key character)
// that malformed text can break; built without assertions it would assume them, which for
// such text is undefined. Its checks are therefore kept in every build, and a failed one
// throws this instead of ending the process.
class TomlParserCheck : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
[[noreturn]] void toml_parser_check_failed(const char* expression);
}  // namespace vorn::scenario

#define TOML_ASSERT(expr) \
  ((expr) ? static_cast<void>(0) : ::vorn::scenario::toml_parser_check_failed(#expr))
#pragma push_macro("NDEBUG")
#undef NDEBUG
#include <toml++/toml.h>
#pragma pop_macro("NDEBUG")

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.hpp"
#include "scenario/scenario.hpp"
#include "scenario/vary_target.hpp"

namespace vorn::scenario {

inline SourcePosition position(const toml::source_region& region) {
  return {region.begin.line, region.begin.column};
}

// Typed values with the problems of a file collected, never thrown one by one.
class TomlReader {
 public:
  explicit TomlReader(std::string_view file) : problems(std::string(file)) {}

  void error(SourcePosition at, std::string_view key, std::string_view message) {
    problems.add(at, key, message);
  }

  std::optional<double> number(const toml::node& node, SourcePosition at, std::string_view key);
  // An integer from `least` to `most` (`most_text` names it in the message).
  std::optional<std::int64_t> integer(const toml::node& node, SourcePosition at,
                                      std::string_view key, std::int64_t least);
  std::optional<std::int64_t> integer(const toml::node& node, SourcePosition at,
                                      std::string_view key, std::int64_t least, std::int64_t most,
                                      std::string_view most_text);
  std::vector<double> numbers(const toml::node& node, SourcePosition at, const std::string& key);
  // An index, a CAS number or name, "*" or "each".
  void selector(const toml::node& node, SourcePosition at, const std::string& key,
                ChemicalSelector& out);

  ScenarioProblems problems;
};

// The `field` and `chemical` keys that name an input, in a [[vary]] table or at an end
// of a [[correlate]] pair.
struct InputKeys {
  std::string field;
  std::optional<VaryTarget> target;
  ChemicalSelector chemical;
  bool has_field = false, has_chemical = false;
  SourcePosition field_at;

  // Reads the key when it is `field` or `chemical`; false for any other key.
  bool read(TomlReader& reader, std::string_view key, const toml::node& node, SourcePosition at,
            const std::string& full_key);
  // After the table: the field is there, and a chemical goes with chemical fields alone.
  void check(TomlReader& reader, SourcePosition table_at, const std::string& name) const;
};

}  // namespace vorn::scenario
