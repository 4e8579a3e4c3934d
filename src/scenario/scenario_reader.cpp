#include "scenario/scenario_reader.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

#include "core/nearest_word.hpp"
#include "correlation_reader.hpp"
#include "numerics/distribution_keys.hpp"
#include "scenario/scenario_words.hpp"
#include "scenario_toml.hpp"
#include "toml_prescan.hpp"

namespace vorn::scenario {

namespace {

// A percentile given as a fraction, with the percent it likely meant.
std::string in_percent(double p) {
  char percent[32];
  std::snprintf(percent, sizeof percent, "%.10g", p * 100);
  return shortest_text(p) + " reads as a fraction: a percentile is in percent: did you mean " +
         percent + "?";
}

class Reader : public TomlReader {
 public:
  explicit Reader(std::string_view file) : TomlReader(file), file_(file) {}

  bool input_given = false;  // the caller holds VORN.IN's text: `input` may be left out

  Scenario read(const toml::table& root) {
    Scenario s;
    s.file_name = file_;
    bool has_input = false;
    SourcePosition precision_at;
    for (auto&& [k, node] : root) {
      const std::string key(k.str());
      const SourcePosition at = position(k.source());
      if (key == "input") {
        has_input = true;
        s.input_at = at;
        const auto text = node.value<std::string>();
        if (!text || text->empty()) {
          error(at, key, "must be the path of a VORN.IN");
        } else {
          s.input = *text;
        }
      } else if (key == "realizations") {
        s.realizations_at = at;
        if (auto n = integer(node, at, key, 1, kMaxDraws, kMaxDrawsText))
          s.realizations = static_cast<std::uint64_t>(*n);
      } else if (key == "outer" || key == "inner") {
        (key == "outer" ? s.outer_at : s.inner_at) = at;
        if (auto n = integer(node, at, key, 1, kMaxDraws, kMaxDrawsText))
          (key == "outer" ? s.outer : s.inner) = static_cast<std::uint64_t>(*n);
      } else if (key == "seed") {
        if (auto n = integer(node, at, key, 0)) s.seed = static_cast<std::uint64_t>(*n);
      } else if (key == "sampling") {
        read_sampling(node, at, s);
      } else if (key == "percentiles") {
        s.percentiles = numbers(node, at, key);
        if (s.percentiles.empty()) error(at, key, "needs at least one percentile");
        for (double p : s.percentiles) {
          if (!(p > 0 && p < 100)) error(at, key, shortest_text(p) + " is not inside (0, 100)");
          if (p > 0 && p < 1) s.warnings.push_back(located_message(file_, at, key, in_percent(p)));
        }
      } else if (key == "decision_percentile") {
        if (auto p = number(node, at, key)) {
          s.decision_percentile = *p;
          if (*p > 0 && *p < 1)
            error(at, key, in_percent(*p));
          else if (!(*p > 0 && *p < 100))
            error(at, key, shortest_text(*p) + " is not inside (0, 100)");
        }
      } else if (key == "target_precision") {
        precision_at = at;
        if (auto p = number(node, at, key)) {
          s.target_precision = *p;
          if (!(std::isfinite(*p) && *p > 0)) error(at, key, "must be a positive number");
        }
      } else if (key == "vary") {
        read_vary_array(node, at, s);
      } else if (key == "correlate") {
        read_correlate_array(node, at, s);
      } else {
        error(at, key, unknown_word_message("key", key, top_level_keys(), "the keys"));
      }
    }
    if (!has_input && !input_given) error({1, 1}, "input", "missing: name the VORN.IN to run");
    check_nesting(s, precision_at);
    return s;
  }

 private:
  // Uncertainty inputs make the run nested: outer and inner draws replace realizations.
  void check_nesting(const Scenario& s, SourcePosition precision_at) {
    if (s.nested()) {
      if (s.realizations_at.line > 0)
        error(s.realizations_at, "realizations",
              "an input of kind \"uncertainty\" makes the run nested: give outer and inner");
      if (s.target_precision)
        error(precision_at, "target_precision", "a nested run runs all its draws");
      return;
    }
    for (const auto& [at, key] : {std::pair{s.outer_at, "outer"}, std::pair{s.inner_at, "inner"}})
      if (at.line > 0) error(at, key, "needs an input of kind \"uncertainty\"");
  }

  void read_sampling(const toml::node& node, SourcePosition at, Scenario& s) {
    const auto text = node.value<std::string>();
    for (numerics::Sampling m :
         {numerics::Sampling::random, numerics::Sampling::lhs, numerics::Sampling::sobol}) {
      if (text && *text == numerics::sampling_name(m)) {
        s.sampling = m;
        return;
      }
    }
    error(at, "sampling", "must be \"random\", \"lhs\" or \"sobol\"");
  }

  // The tables of [[name]], or nothing when `node` is not an array of tables.
  const toml::array* tables(const toml::node& node, SourcePosition at, const std::string& name) {
    const auto* array = node.as_array();
    if (!array || (!array->empty() && !array->is_array_of_tables())) {
      error(at, name, "must be [[" + name + "]] tables");
      return nullptr;
    }
    return array;
  }

  void read_vary_array(const toml::node& node, SourcePosition at, Scenario& s) {
    if (const auto* array = tables(node, at, "vary")) {
      for (std::size_t i = 0; i < array->size(); ++i) {
        s.vary.push_back(
            read_vary(*array->get(i)->as_table(), "vary[" + std::to_string(i + 1) + ']'));
      }
    }
  }

  void read_correlate_array(const toml::node& node, SourcePosition at, Scenario& s) {
    if (const auto* array = tables(node, at, "correlate")) {
      for (std::size_t i = 0; i < array->size(); ++i) {
        s.correlate.push_back(read_correlate(*this, *array->get(i)->as_table(),
                                             "correlate[" + std::to_string(i + 1) + ']'));
      }
    }
  }

  VaryEntry read_vary(const toml::table& table, const std::string& name) {
    VaryEntry e;
    e.at = position(table.source());
    InputKeys input;
    bool has_mode = false, has_dist = false;
    SourcePosition mode_at = e.at;
    for (auto&& [k, node] : table) {
      const std::string key = name + '.' + std::string(k.str());
      const SourcePosition at = position(k.source());
      if (input.read(*this, k.str(), node, at, key)) {
        continue;
      } else if (k.str() == "mode") {
        has_mode = true;
        mode_at = at;
        const auto text = node.value<std::string>();
        if (text && (*text == "value" || *text == "factor")) {
          e.mode = *text == "value" ? VaryMode::value : VaryMode::factor;
        } else {
          error(at, key, "must be \"value\" or \"factor\"");
        }
      } else if (k.str() == "kind") {
        const auto text = node.value<std::string>();
        if (text && (*text == "variability" || *text == "uncertainty")) {
          e.kind = *text == "variability" ? VaryKind::variability : VaryKind::uncertainty;
        } else {
          error(at, key, "must be \"variability\" or \"uncertainty\"");
        }
      } else if (k.str() == "dist") {
        has_dist = true;
        e.dist_at = at;
        read_dist(node, at, key, e);
      } else if (k.str() == "note") {
        const auto text = node.value<std::string>();
        if (text && text->find_first_not_of(" \t\r\n") != std::string::npos) {
          e.note = *text;
        } else {
          error(at, key, "must be a text saying why the input differs from the tables");
        }
      } else {
        error(at, key, unknown_word_message("key", k.str(), vary_keys(), "a [[vary]] takes"));
      }
    }
    input.check(*this, e.at, name);
    if (!has_dist) error(e.at, name + ".dist", "missing");
    e.field = input.field;
    e.field_at = input.field_at;
    e.chemical = input.chemical;
    if (input.target == VaryTarget::daf && e.mode != VaryMode::factor) {
      error(mode_at, name + ".mode",
            has_mode ? "DAF takes mode = \"factor\" only" : "missing: DAF takes mode = \"factor\"");
    }
    return e;
  }

  void read_dist(const toml::node& node, SourcePosition at, const std::string& key, VaryEntry& e) {
    const auto* table = node.as_table();
    if (!table) {
      error(at, key, "must be a table such as { type = \"uniform\", min = 1, max = 2 }");
      return;
    }
    const std::size_t errors_before = problems.count();
    const SourcePosition table_at = position(table->source());
    std::optional<numerics::Family> family;
    SourcePosition type_at = table_at;
    std::string type_text;
    for (auto&& [k, value] : *table) {
      if (k.str() != "type") continue;
      type_at = position(k.source());
      if (const auto text = value.value<std::string>()) {
        type_text = *text;
        family = numerics::family_named(*text);
      }
    }
    if (!table->contains("type")) {
      error(table_at, key + ".type", "missing (" + word_list(family_names()) + ")");
    } else if (!family) {
      error(type_at, key + ".type",
            unknown_word_message("type", type_text, family_names(), "the families"));
    }
    numerics::DistributionParameters& p = e.parameters;
    std::vector<std::pair<std::string, SourcePosition>> given;
    for (auto&& [k, value] : *table) {
      const std::string name(k.str());
      const std::string full = key + '.' + name;
      const SourcePosition k_at = position(k.source());
      if (name == "type") continue;
      if (!numerics::is_parameter_key(name) || (family && !numerics::family_takes(*family, name))) {
        parameter_error(k_at, full, name, family);
        if (!numerics::is_parameter_key(name)) continue;
      }
      given.emplace_back(name, k_at);
      if (family && !numerics::family_takes(*family, name)) {
        continue;
      } else if (name == "values") {
        p.values = numbers(value, k_at, full);
      } else if (name == "weights") {
        p.weights = numbers(value, k_at, full);
      } else if (name == "cdf") {
        read_cdf(value, k_at, full, p);
      } else {
        for (const auto& s : numerics::kScalarParameters) {
          if (s.name == name) p.*s.member = number(value, k_at, full);
        }
      }
    }
    if (!family) return;
    e.family = *family;
    numerics::fill_defaults(e.family, p);
    // Parameters already in error would only be reported again as missing.
    if (problems.count() != errors_before) return;
    for (const auto& problem : numerics::distribution_problems(e.family, p)) {
      const std::string subject = numerics::problem_subject(problem, e.family);
      SourcePosition problem_at = table_at;
      for (const auto& [name, k_at] : given) {
        if (name == subject) problem_at = k_at;
      }
      error(problem_at, subject.empty() ? key : key + '.' + subject, problem);
    }
  }

  // A key the family does not read: the family's parameters and the nearest of them.
  void parameter_error(SourcePosition at, const std::string& full, const std::string& name,
                       std::optional<numerics::Family> family) {
    std::vector<std::string> accepted;
    std::string label = "the parameters";
    if (family) {
      accepted = family_parameters(*family);
      label = std::string(numerics::family_name(*family)) + " takes";
    } else {
      for (const auto& p : numerics::kScalarParameters) accepted.emplace_back(p.name);
      for (const char* p : {"values", "weights", "cdf"}) accepted.emplace_back(p);
    }
    if (family && numerics::is_parameter_key(name)) {
      error(at, full,
            "not a parameter of " + std::string(numerics::family_name(*family)) + " (" + label +
                ": " + word_list(accepted) + ')');
      return;
    }
    error(at, full, unknown_word_message("key", name, accepted, label));
  }

  void read_cdf(const toml::node& node, SourcePosition at, const std::string& key,
                numerics::DistributionParameters& p) {
    const auto* array = node.as_array();
    if (!array) {
      error(at, key, "must be an array of [x, p] pairs");
      return;
    }
    for (std::size_t i = 0; i < array->size(); ++i) {
      const auto* pair = array->get(i)->as_array();
      const std::string item = key + '[' + std::to_string(i + 1) + ']';
      const SourcePosition item_at = position(array->get(i)->source());
      if (!pair || pair->size() != 2) {
        error(item_at, item, "must be a pair [x, p]");
        continue;
      }
      auto x = number(*pair->get(0), item_at, item);
      auto q = number(*pair->get(1), item_at, item);
      if (x && q) p.cdf.emplace_back(*x, *q);
    }
  }

  std::string file_;
};

}  // namespace

Scenario parse_scenario(std::string_view toml_text, std::string_view file_name_for_messages,
                        bool input_given) {
  const std::string file(file_name_for_messages);
  if (const std::optional<TomlTextProblem> problem = toml_text_problem(toml_text))
    throw ScenarioError({located_message(file, problem->at, {}, problem->message)});
  toml::table root;
  try {
    root = toml::parse(toml_text, file);
  } catch (const toml::parse_error& e) {
    throw ScenarioError({located_message(file, position(e.source()), {}, e.description())});
  } catch (const TomlParserCheck&) {
    throw ScenarioError({file + ": not TOML: the parser stopped at a malformed value or key"});
  }
  Reader reader(file);
  reader.input_given = input_given;
  Scenario scenario = reader.read(root);
  reader.problems.throw_if_any();
  return scenario;
}

Scenario read_scenario(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ScenarioError({file.string() + ": cannot be read"});
  std::ostringstream text;
  text << in.rdbuf();
  Scenario scenario = parse_scenario(text.str(), file.string());
  if (scenario.input.is_relative()) {
    scenario.input = (file.parent_path() / scenario.input).lexically_normal();
  }
  return scenario;
}

}  // namespace vorn::scenario
