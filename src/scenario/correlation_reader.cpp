// The [[correlate]] tables of a scenario file, as far as they can be checked without
// the [[vary]] entries resolved.
#include <cmath>

#include "correlation_reader.hpp"

#include "scenario/scenario_words.hpp"

namespace vorn::scenario {
namespace {

CorrelationEndEntry read_end(TomlReader& reader, const toml::node& node, SourcePosition at,
                             const std::string& name) {
  CorrelationEndEntry end;
  end.at = at;
  const auto* table = node.as_table();
  if (!table) {
    reader.error(at, name,
                 "must name a varied input, such as { chemical = \"71-43-2\", field = \"HENRY\" }");
    return end;
  }
  InputKeys input;
  for (auto&& [k, value] : *table) {
    const std::string key = name + '.' + std::string(k.str());
    const SourcePosition k_at = position(k.source());
    if (!input.read(reader, k.str(), value, k_at, key))
      reader.error(k_at, key,
                   unknown_word_message("key", k.str(), {"chemical", "field"}, "an input takes"));
  }
  input.check(reader, at, name);
  end.field = input.field;
  end.chemical = input.chemical;
  return end;
}

}  // namespace

CorrelateEntry read_correlate(TomlReader& reader, const toml::table& table,
                              const std::string& name) {
  CorrelateEntry e;
  e.at = position(table.source());
  bool has_a = false, has_b = false, has_spearman = false;
  for (auto&& [k, node] : table) {
    const std::string key = name + '.' + std::string(k.str());
    const SourcePosition at = position(k.source());
    if (k.str() == "a" || k.str() == "b") {
      (k.str() == "a" ? has_a : has_b) = true;
      (k.str() == "a" ? e.a : e.b) = read_end(reader, node, at, key);
    } else if (k.str() == "spearman") {
      has_spearman = true;
      if (const auto rho = reader.number(node, at, key)) {
        e.spearman = *rho;
        if (!(std::fabs(*rho) <= 1))
          reader.error(at, key, shortest_text(*rho) + " is outside [-1, 1]");
      }
    } else {
      reader.error(at, key,
                   unknown_word_message("key", k.str(), correlate_keys(), "a [[correlate]] takes"));
    }
  }
  if (!has_a) reader.error(e.at, name + ".a", "missing: name the first input");
  if (!has_b) reader.error(e.at, name + ".b", "missing: name the second input");
  if (!has_spearman) reader.error(e.at, name + ".spearman", "missing: the rank correlation");
  return e;
}

}  // namespace vorn::scenario
