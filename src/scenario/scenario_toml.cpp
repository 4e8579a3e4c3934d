#include "scenario_toml.hpp"

#include <limits>

#include "scenario/scenario_words.hpp"

namespace vorn::scenario {

void toml_parser_check_failed(const char* expression) {
  throw TomlParserCheck(expression);
}

std::optional<double> TomlReader::number(const toml::node& node, SourcePosition at,
                                         std::string_view key) {
  if (const auto* i = node.as_integer()) return static_cast<double>(i->get());
  if (const auto* f = node.as_floating_point()) return f->get();
  error(at, key, "must be a number");
  return std::nullopt;
}

std::optional<std::int64_t> TomlReader::integer(const toml::node& node, SourcePosition at,
                                                std::string_view key, std::int64_t least) {
  return integer(node, at, key, least, std::numeric_limits<std::int64_t>::max(), "");
}

std::optional<std::int64_t> TomlReader::integer(const toml::node& node, SourcePosition at,
                                                std::string_view key, std::int64_t least,
                                                std::int64_t most, std::string_view most_text) {
  const auto* i = node.as_integer();
  if (!i) {
    error(at, key, "must be an integer");
  } else if (i->get() < least) {
    error(at, key, "must be at least " + std::to_string(least));
  } else if (i->get() > most) {
    error(at, key, std::to_string(i->get()) + " is more than the limit, " + std::string(most_text));
  } else {
    return i->get();
  }
  return std::nullopt;
}

std::vector<double> TomlReader::numbers(const toml::node& node, SourcePosition at,
                                        const std::string& key) {
  std::vector<double> out;
  const auto* array = node.as_array();
  if (!array) {
    error(at, key, "must be an array of numbers");
    return out;
  }
  for (std::size_t i = 0; i < array->size(); ++i) {
    const auto& item = *array->get(i);
    if (auto x = number(item, position(item.source()), key + '[' + std::to_string(i + 1) + ']')) {
      out.push_back(*x);
    }
  }
  return out;
}

void TomlReader::selector(const toml::node& node, SourcePosition at, const std::string& key,
                          ChemicalSelector& selector) {
  selector.at = at;
  if (node.is_integer()) {
    selector.kind = ChemicalSelector::Kind::index;
    if (auto n = integer(node, at, key, 1)) selector.number = *n;
    return;
  }
  const auto text = node.value<std::string>();
  if (!text) {
    error(at, key, "must be an index, a CAS number, a name, \"*\" or \"each\"");
    return;
  }
  const auto first = text->find_first_not_of(' ');
  selector.text = first == std::string::npos
                      ? std::string()
                      : text->substr(first, text->find_last_not_of(' ') - first + 1);
  if (selector.text == "*") {
    selector.kind = ChemicalSelector::Kind::all;
  } else if (selector.text == "each") {
    selector.kind = ChemicalSelector::Kind::each;
  } else {
    selector.kind = ChemicalSelector::Kind::text;
    if (selector.text.empty()) error(at, key, "names no chemical");
  }
}

bool InputKeys::read(TomlReader& reader, std::string_view key, const toml::node& node,
                     SourcePosition at, const std::string& full_key) {
  if (key == "field") {
    has_field = true;
    field_at = at;
    const auto text = node.value<std::string>();
    if (!text) {
      reader.error(at, full_key, "must be a string");
      return true;
    }
    field = *text;
    target = vary_target(field);
    if (!target)
      reader.error(
          at, full_key,
          unknown_word_message("field", field, varied_fields(), "the fields that can vary"));
    return true;
  }
  if (key == "chemical") {
    has_chemical = true;
    reader.selector(node, at, full_key, chemical);
    return true;
  }
  return false;
}

void InputKeys::check(TomlReader& reader, SourcePosition table_at, const std::string& name) const {
  if (!has_field) reader.error(table_at, name + ".field", "missing");
  if (target == VaryTarget::unit && has_chemical) {
    reader.error(chemical.at, name + ".chemical", field + " is a unit input: it takes no chemical");
  }
  if (target && target != VaryTarget::unit && !has_chemical) {
    reader.error(
        table_at, name + ".chemical",
        "missing: " + field + " needs a chemical (an index, CAS, name, \"*\" or \"each\")");
  }
}

}  // namespace vorn::scenario
