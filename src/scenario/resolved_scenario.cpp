#include "scenario/resolved_scenario.hpp"

#include <algorithm>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <tuple>

#include "core/nearest_word.hpp"
#include "numerics/sha256.hpp"
#include "numerics/sobol_points.hpp"
#include "scenario/resolved_correlation.hpp"
#include "scenario/scenario_words.hpp"

namespace vorn::scenario {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "2", "2 and 5", "2, 5 and 7" (1-based).
std::string listed(const std::vector<std::size_t>& indices) {
  std::string text;
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (i > 0) text += i + 1 == indices.size() ? " and " : ", ";
    text += std::to_string(indices[i] + 1);
  }
  return text;
}

std::vector<std::size_t> matching(const std::vector<Chemical>& chemicals, const std::string& text,
                                  std::string Chemical::*column) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < chemicals.size(); ++i) {
    if (trimmed(chemicals[i].*column) == text) found.push_back(i);
  }
  return found;
}

class Resolver {
 public:
  Resolver(const Scenario& scenario, const std::vector<Chemical>& chemicals)
      : problems(scenario.file_name), chemicals_(chemicals) {}

  void error(SourcePosition at, const std::string& key, const std::string& message) {
    problems.add(at, key, message);
  }

  // The chemical a selector by index or text names, when it names exactly one.
  std::optional<std::size_t> chemical(const ChemicalSelector& selector, const std::string& key) {
    const std::size_t n = chemicals_.size();
    if (selector.kind == ChemicalSelector::Kind::index) {
      const auto number = static_cast<std::uint64_t>(selector.number);
      if (number >= 1 && number <= n) return static_cast<std::size_t>(number - 1);
      error(selector.at, key,
            "chemical " + std::to_string(number) +
                (n == 0 ? " does not exist: the input has no chemicals"
                        : " is outside 1.." + std::to_string(n)));
      return std::nullopt;
    }
    auto found = matching(chemicals_, selector.text, &Chemical::CHEMCAS);
    if (found.empty()) found = matching(chemicals_, selector.text, &Chemical::CHEMNAME);
    if (found.size() == 1) return found.front();
    error(selector.at, key,
          found.empty() ? no_chemical(selector.text)
                        : '"' + selector.text + "\" matches chemicals " + listed(found));
    return std::nullopt;
  }

  // A name or CAS number no chemical has: the nearest of them, and the names when few.
  std::string no_chemical(const std::string& text) const {
    std::vector<std::string> words, names;
    for (const Chemical& c : chemicals_) {
      words.emplace_back(trimmed(c.CHEMNAME));
      names.push_back('"' + words.back() + '"');
      words.emplace_back(trimmed(c.CHEMCAS));
    }
    std::string message = "no chemical has the CAS number or name \"" + text + '"';
    if (const auto near = suggested_word(text, words))
      message += ": did you mean \"" + *near + "\"?";
    constexpr std::size_t kListed = 20;
    if (!names.empty() && names.size() <= kListed)
      message += " (the chemicals: " + word_list(names, "and") + ')';
    return message;
  }

  ScenarioProblems problems;

 private:
  const std::vector<Chemical>& chemicals_;
};

// Two entries replacing one value would leave only the later one in force.
void check_replacements(const Scenario& scenario, const ResolvedScenario& r,
                        const std::vector<bool>& resolved, Resolver& resolver) {
  for (std::size_t k = 0; k < r.vary.size(); ++k) {
    const ResolvedVary& later = r.vary[k];
    if (later.mode != VaryMode::value || !resolved[k]) continue;
    for (std::size_t j = 0; j < k; ++j) {
      const ResolvedVary& earlier = r.vary[j];
      if (earlier.mode != VaryMode::value || !resolved[j] || earlier.field != later.field) continue;
      const bool both_one =
          earlier.selector == SelectorKind::index && later.selector == SelectorKind::index;
      const bool overlap = later.selector == SelectorKind::unit ||
                           (both_one ? earlier.chemical == later.chemical : r.chemical_count > 0);
      if (!overlap) continue;
      resolver.error(scenario.vary[k].field_at, "vary[" + std::to_string(k + 1) + "].field",
                     "vary[" + std::to_string(j + 1) + "] already replaces " + later.field +
                         (both_one ? " of chemical " + std::to_string(later.chemical + 1) : ""));
      break;
    }
  }
}

// Whether vary entry `v` draws the input an end names (`chemical` resolved for an end
// by index or text); the "each" entry names its chemical's draw.
std::optional<CorrelationEnd> drawn_by(const ResolvedVary& v, std::size_t k,
                                       const CorrelationEndEntry& end,
                                       std::optional<std::size_t> chemical) {
  if (v.field != end.field) return std::nullopt;
  switch (end.chemical.kind) {
    case ChemicalSelector::Kind::none:
      if (v.selector == SelectorKind::unit) return CorrelationEnd{k};
      break;
    case ChemicalSelector::Kind::all:
      if (v.selector == SelectorKind::all) return CorrelationEnd{k};
      break;
    case ChemicalSelector::Kind::each:
      if (v.selector == SelectorKind::each) return CorrelationEnd{k};
      break;
    case ChemicalSelector::Kind::index:
    case ChemicalSelector::Kind::text:
      if (v.selector == SelectorKind::all ||
          (v.selector == SelectorKind::index && v.chemical == *chemical))
        return CorrelationEnd{k};
      if (v.selector == SelectorKind::each) return CorrelationEnd{k, chemical};
      break;
  }
  return std::nullopt;
}

std::string input_named(const CorrelationEndEntry& end, std::optional<std::size_t> chemical) {
  switch (end.chemical.kind) {
    case ChemicalSelector::Kind::none:
      return end.field;
    case ChemicalSelector::Kind::all:
      return end.field + " of every chemical (\"*\")";
    case ChemicalSelector::Kind::each:
      return end.field + " of each chemical";
    default:
      return end.field + " of chemical " + std::to_string(*chemical + 1);
  }
}

// The correlations: each end bound to the one [[vary]] draw it names.
void resolve_correlations(const Scenario& scenario, ResolvedScenario& r,
                          const std::vector<bool>& resolved, Resolver& resolver) {
  // An entry whose selector is in error would only be missed again here.
  if (std::find(resolved.begin(), resolved.end(), false) != resolved.end()) return;
  bool all_bound = true;
  for (std::size_t e = 0; e < scenario.correlate.size(); ++e) {
    const CorrelateEntry& entry = scenario.correlate[e];
    const std::string name = "correlate[" + std::to_string(e + 1) + ']';
    ResolvedCorrelation c;
    c.spearman = entry.spearman;
    for (const auto& [end, out, key] :
         {std::tuple{entry.a, &c.a, ".a"}, std::tuple{entry.b, &c.b, ".b"}}) {
      std::optional<std::size_t> chemical;
      const auto kind = end.chemical.kind;
      if (kind == ChemicalSelector::Kind::index || kind == ChemicalSelector::Kind::text) {
        chemical = resolver.chemical(end.chemical, name + key + ".chemical");
        if (!chemical) {
          all_bound = false;
          continue;
        }
      }
      std::vector<CorrelationEnd> found;
      for (std::size_t k = 0; k < r.vary.size(); ++k) {
        if (const auto match = drawn_by(r.vary[k], k, end, chemical)) found.push_back(*match);
      }
      if (found.size() == 1) {
        *out = found.front();
        continue;
      }
      all_bound = false;
      resolver.error(end.at, name + key,
                     found.empty() ? "no [[vary]] entry varies " + input_named(end, chemical)
                                   : input_named(end, chemical) + " is drawn by vary[" +
                                         std::to_string(found[0].vary + 1) + "] and vary[" +
                                         std::to_string(found[1].vary + 1) +
                                         "]: a correlation names one draw");
    }
    r.correlate.push_back(c);
  }
  if (!all_bound) return;
  for (const CorrelationProblem& p : correlation_problems(r)) {
    const CorrelateEntry& entry = scenario.correlate[p.entry];
    const std::string key(p.key);
    const SourcePosition at = key == "a" ? entry.a.at : key == "b" ? entry.b.at : entry.at;
    resolver.error(
        at, "correlate[" + std::to_string(p.entry + 1) + ']' + (key.empty() ? "" : "." + key),
        p.message);
  }
}

}  // namespace

std::uint32_t ResolvedScenario::parameter_count() const {
  if (vary.empty()) return 0;
  const ResolvedVary& last = vary.back();
  return last.first_parameter +
         static_cast<std::uint32_t>(last.selector == SelectorKind::each ? chemical_count : 1);
}

std::uint32_t ResolvedScenario::parameter(const ResolvedVary& entry, std::size_t chemical) const {
  if (entry.selector != SelectorKind::each) return entry.first_parameter;
  const std::size_t slot = entry.keyed_by_cas ? cas_group.at(chemical) : chemical;
  return entry.first_parameter + static_cast<std::uint32_t>(slot);
}

std::vector<numerics::StreamCorrelation> ResolvedScenario::stream_correlations() const {
  // An "each" end without a chemical pairs every chemical's draw.
  const auto every_chemical = [this](const CorrelationEnd& end) {
    return vary[end.vary].selector == SelectorKind::each && !end.chemical;
  };
  std::vector<numerics::StreamCorrelation> out;
  for (std::size_t e = 0; e < correlate.size(); ++e) {
    const ResolvedCorrelation& c = correlate[e];
    const auto stream = [this](const CorrelationEnd& end, std::size_t chemical) {
      return parameter(vary[end.vary], end.chemical.value_or(chemical));
    };
    const bool spread = every_chemical(c.a) || every_chemical(c.b);
    const std::size_t count = spread ? chemical_count : 1;
    std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint32_t a = stream(c.a, i), b = stream(c.b, i);
      if (seen.insert({a, b}).second) out.push_back({a, b, c.spearman, e});
    }
  }
  return out;
}

bool ResolvedScenario::correlated(std::size_t k) const {
  return std::any_of(correlate.begin(), correlate.end(),
                     [k](const ResolvedCorrelation& c) { return c.a.vary == k || c.b.vary == k; });
}

std::uint64_t number_parameters(ResolvedScenario& scenario) {
  std::uint64_t next = 0;
  for (auto& v : scenario.vary) {
    v.first_parameter = static_cast<std::uint32_t>(next);
    next += v.selector == SelectorKind::each ? scenario.chemical_count : 1;
  }
  return next;
}

ResolvedScenario resolve_scenario(const Scenario& scenario,
                                  const std::vector<Chemical>& chemicals_as_read,
                                  std::string_view input_bytes) {
  Resolver resolver(scenario, chemicals_as_read);
  ResolvedScenario r;
  r.input_sha256 = numerics::sha256_hex(input_bytes);
  r.realizations = scenario.nested() ? 0 : scenario.realizations;
  if (scenario.nested()) {
    r.outer = scenario.outer;
    r.inner = scenario.inner;
    // A realization is numbered (u - 1) V + v.
    if (r.outer > std::numeric_limits<std::uint64_t>::max() / r.inner)
      resolver.error(scenario.outer_at, "outer",
                     std::to_string(r.outer) + " outer by " + std::to_string(r.inner) +
                         " inner draws are more than 2^64 - 1 realizations");
  }
  r.seed = scenario.seed;
  r.sampling = scenario.sampling;
  r.percentiles = scenario.percentiles;
  r.decision_percentile = scenario.decision_percentile;
  r.target_precision = scenario.target_precision;
  r.chemical_count = chemicals_as_read.size();
  for (std::size_t i = 0; i < r.chemical_count; ++i) {
    const auto cas = trimmed(chemicals_as_read[i].CHEMCAS);
    std::size_t first = i;
    for (std::size_t j = 0; j < i && !cas.empty(); ++j) {
      if (trimmed(chemicals_as_read[j].CHEMCAS) == cas) {
        first = j;
        break;
      }
    }
    r.cas_group.push_back(first);
  }

  std::vector<bool> resolved(scenario.vary.size(), true);
  for (std::size_t k = 0; k < scenario.vary.size(); ++k) {
    const VaryEntry& entry = scenario.vary[k];
    ResolvedVary v;
    v.field = entry.field;
    // Stage one refused every unknown field.
    v.target = vary_target(entry.field).value_or(VaryTarget::unit);
    v.mode = entry.mode;
    v.kind = entry.kind;
    v.family = entry.family;
    v.parameters = entry.parameters;
    v.note = entry.note;
    switch (entry.chemical.kind) {
      case ChemicalSelector::Kind::none:
        v.selector = SelectorKind::unit;
        break;
      case ChemicalSelector::Kind::index:
      case ChemicalSelector::Kind::text:
        v.selector = SelectorKind::index;
        if (const auto found =
                resolver.chemical(entry.chemical, "vary[" + std::to_string(k + 1) + "].chemical")) {
          v.chemical = *found;
        } else {
          resolved[k] = false;
        }
        break;
      case ChemicalSelector::Kind::all:
        v.selector = SelectorKind::all;
        break;
      case ChemicalSelector::Kind::each:
        v.selector = SelectorKind::each;
        v.keyed_by_cas = v.target == VaryTarget::daf;
        break;
    }
    r.vary.push_back(std::move(v));
  }
  check_replacements(scenario, r, resolved, resolver);
  const std::uint64_t parameters = number_parameters(r);
  resolve_correlations(scenario, r, resolved, resolver);

  if (parameters > std::numeric_limits<std::uint32_t>::max()) {
    resolver.error({1, 1}, "vary", std::to_string(parameters) + " draws are too many");
  } else if (r.sampling == numerics::Sampling::sobol &&
             parameters > numerics::SobolPoints::kMaxDimensions) {
    resolver.error({1, 1}, "sampling",
                   "sobol points have at most " +
                       std::to_string(numerics::SobolPoints::kMaxDimensions) +
                       " dimensions; this scenario draws " + std::to_string(parameters) +
                       " values per realization");
  }
  resolver.problems.throw_if_any();
  return r;
}

ResolvedScenario resolve_scenario(const Scenario& scenario,
                                  const std::vector<Chemical>& chemicals_as_read) {
  std::ifstream in(scenario.input, std::ios::binary);
  if (!in) {
    throw ScenarioError({located_message(scenario.file_name, scenario.input_at, "input",
                                         scenario.input.string() + " cannot be read")});
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return resolve_scenario(scenario, chemicals_as_read, bytes.str());
}

}  // namespace vorn::scenario
