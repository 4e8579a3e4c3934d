#include "scenario/scenario_words.hpp"

#include <utility>

#include "core/nearest_word.hpp"
#include "numerics/distribution_families.hpp"
#include "scenario/vary_target.hpp"

namespace vorn::scenario {
namespace {

// Other names a parameter goes by.
constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
    {"sigma", "sd"}, {"std", "sd"},    {"stdev", "sd"}, {"stddev", "sd"}, {"mu", "mean"},
    {"low", "min"},  {"lower", "min"}, {"high", "max"}, {"upper", "max"}};

// The words wrapped to lines of at most `width` characters after `indent`.
std::string wrapped(const std::string& text, std::string_view indent, std::size_t width = 79) {
  std::string out, line(indent);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find(' ', pos);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(pos, end - pos);
    if (line.size() > indent.size() && line.size() + 1 + word.size() > width) {
      out += line + '\n';
      line = std::string(indent) + "  ";
    } else if (line.size() > indent.size()) {
      line += ' ';
    }
    line += word;
    pos = end + 1;
  }
  return out + line + '\n';
}

std::string comma_list(const std::vector<std::string>& words) {
  return word_list(words, "and");
}

}  // namespace

const std::vector<std::string>& top_level_keys() {
  static const std::vector<std::string> keys = {"input",
                                                "realizations",
                                                "outer",
                                                "inner",
                                                "seed",
                                                "sampling",
                                                "percentiles",
                                                "decision_percentile",
                                                "target_precision",
                                                "vary",
                                                "correlate"};
  return keys;
}

const std::vector<std::string>& vary_keys() {
  static const std::vector<std::string> keys = {"field", "chemical", "dist", "mode", "kind"};
  return keys;
}

const std::vector<std::string>& correlate_keys() {
  static const std::vector<std::string> keys = {"a", "b", "spearman"};
  return keys;
}

std::vector<std::string> family_parameters(numerics::Family family) {
  std::vector<std::string> out;
  const std::string_view keys = numerics::family_entry(family).keys;
  std::size_t pos = 0;
  while (pos < keys.size()) {
    const std::size_t start = keys.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    const std::size_t end = keys.find(' ', start);
    out.emplace_back(keys.substr(start, end - start));
    pos = end;
  }
  return out;
}

std::vector<std::string> family_names() {
  std::vector<std::string> out;
  for (const numerics::FamilyEntry& e : numerics::family_entries()) out.emplace_back(e.name);
  return out;
}

std::optional<std::string> suggested_word(std::string_view word,
                                          const std::vector<std::string>& accepted) {
  for (const auto& [alias, name] : kAliases) {
    if (word != alias) continue;
    for (const std::string& a : accepted)
      if (a == name) return a;
  }
  return nearest_word(word, accepted);
}

std::string unknown_word_message(std::string_view what, std::string_view word,
                                 const std::vector<std::string>& accepted, std::string_view label) {
  std::string text = "unknown " + std::string(what) + " \"" + std::string(word) + '"';
  if (const auto near = suggested_word(word, accepted)) text += ": did you mean " + *near + '?';
  return text + " (" + std::string(label) + ": " + word_list(accepted) + ')';
}

std::string scenario_reference(std::string_view indent) {
  std::string out;
  out += wrapped("Top-level keys: " + comma_list(top_level_keys()) + ".", indent);
  out += wrapped("[[vary]] keys: " + comma_list(vary_keys()) +
                     "; dist = { type = \"FAMILY\", PARAMETER = VALUE, ... }.",
                 indent);
  out += wrapped("[[correlate]] keys: " + comma_list(correlate_keys()) +
                     " (a and b each { chemical = ..., field = ... }).",
                 indent);
  out += wrapped("Fields that can vary: " + comma_list(varied_fields()) + ".", indent);
  out += wrapped("Families and their parameters:", indent);
  for (const numerics::FamilyEntry& e : numerics::family_entries())
    out += wrapped(std::string(e.name) + ": " + comma_list(family_parameters(e.family)),
                   std::string(indent) + "  ");
  return out;
}

}  // namespace vorn::scenario
