#include "scenario/scenario_json.hpp"

#include "scenario/resolved_correlation.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "core/json_count.hpp"
#include "numerics/distribution_keys.hpp"

namespace vorn::scenario {

namespace {

using Json = nlohmann::ordered_json;

const char* selector_name(SelectorKind kind) {
  switch (kind) {
    case SelectorKind::unit:
      return "unit";
    case SelectorKind::index:
      return "index";
    case SelectorKind::all:
      return "all";
    case SelectorKind::each:
      return "each";
  }
  return "unknown";
}

Json distribution_json(numerics::Family family, const numerics::DistributionParameters& p) {
  Json dist{{"type", numerics::family_name(family)}};
  for (const auto& s : numerics::kScalarParameters) {
    if (p.*s.member) dist[std::string(s.name)] = *(p.*s.member);
  }
  if (!p.values.empty()) dist["values"] = p.values;
  if (!p.weights.empty()) dist["weights"] = p.weights;
  if (!p.cdf.empty()) {
    Json cdf = Json::array();
    for (const auto& [x, q] : p.cdf) cdf.push_back({x, q});
    dist["cdf"] = cdf;
  }
  return dist;
}

// A nested run names every input's kind; in a one-dimensional one all are variability.
Json vary_json(const ResolvedVary& v, bool nested) {
  Json entry{{"field", v.field}};
  if (nested) entry["kind"] = vary_kind_name(v.kind);
  if (v.selector != SelectorKind::unit) {
    Json chemical{{"kind", selector_name(v.selector)}};
    if (v.selector == SelectorKind::index) chemical["index"] = v.chemical + 1;
    if (v.selector == SelectorKind::each) chemical["key"] = v.keyed_by_cas ? "cas" : "chemical";
    entry["chemical"] = chemical;
  }
  entry["mode"] = v.mode == VaryMode::value ? "value" : "factor";
  entry["dist"] = distribution_json(v.family, v.parameters);
  // Only when given, so that the scenarios without notes keep their documents.
  if (!v.note.empty()) entry["note"] = v.note;
  return entry;
}

// Reading back checks what the types do not: the names and the ranges.
[[noreturn]] void bad(const std::string& what) {
  throw ScenarioError({"resolved scenario JSON: " + what});
}

template <typename Enum, std::size_t N>
Enum named(const std::string& name, const Enum (&values)[N], const char* (*name_of)(Enum),
           const char* what) {
  for (Enum v : values) {
    if (name == name_of(v)) return v;
  }
  bad(std::string("unknown ") + what + " \"" + name + '"');
}

const char* mode_name(VaryMode mode) {
  return mode == VaryMode::value ? "value" : "factor";
}

ResolvedVary vary_from(const Json& entry, const ResolvedScenario& r) {
  static constexpr SelectorKind kKinds[] = {SelectorKind::index, SelectorKind::all,
                                            SelectorKind::each};
  static constexpr VaryMode kModes[] = {VaryMode::value, VaryMode::factor};
  ResolvedVary v;
  static constexpr VaryKind kKindsOfInput[] = {VaryKind::variability, VaryKind::uncertainty};
  v.field = entry.at("field").get<std::string>();
  if (entry.contains("kind")) {
    if (!r.nested()) bad("kind of an input in a run that is not nested");
    v.kind = named(entry.at("kind").get<std::string>(), kKindsOfInput, vary_kind_name, "kind");
  }
  const auto target = vary_target(v.field);
  if (!target) bad("unknown field \"" + v.field + '"');
  v.target = *target;
  if (entry.contains("chemical")) {
    const Json& chemical = entry.at("chemical");
    v.selector = named(chemical.at("kind").get<std::string>(), kKinds, selector_name, "kind");
    if (v.selector == SelectorKind::index) {
      const auto index = json_count_at(chemical, "index");
      if (index < 1 || index > r.chemical_count) bad("chemical index out of range");
      v.chemical = index - 1;
    }
    if (v.selector == SelectorKind::each) v.keyed_by_cas = chemical.at("key") == "cas";
  }
  v.mode = named(entry.at("mode").get<std::string>(), kModes, mode_name, "mode");
  const Json& dist = entry.at("dist");
  const auto family = numerics::family_named(dist.at("type").get<std::string>());
  if (!family) bad("unknown distribution type");
  v.family = *family;
  for (const auto& s : numerics::kScalarParameters) {
    if (dist.contains(s.name)) v.parameters.*s.member = dist.at(std::string(s.name)).get<double>();
  }
  if (dist.contains("values")) v.parameters.values = dist.at("values").get<std::vector<double>>();
  if (dist.contains("weights")) {
    v.parameters.weights = dist.at("weights").get<std::vector<double>>();
  }
  if (dist.contains("cdf")) {
    for (const Json& point : dist.at("cdf")) {
      v.parameters.cdf.emplace_back(point.at(0).get<double>(), point.at(1).get<double>());
    }
  }
  if (entry.contains("note")) {
    v.note = entry.at("note").get<std::string>();
    if (v.note.empty()) bad(v.field + ": an empty note");
  }
  if ((v.target == VaryTarget::unit) != (v.selector == SelectorKind::unit)) {
    bad(v.field + ": a chemical goes with chemical fields and DAF alone");
  }
  if (v.target == VaryTarget::daf && v.mode != VaryMode::factor) bad("DAF is a factor only");
  const auto problems = numerics::distribution_problems(v.family, v.parameters);
  if (!problems.empty()) bad(v.field + ": " + problems.front());
  return v;
}

Json end_json(const CorrelationEnd& end) {
  Json j{{"vary", end.vary + 1}};
  if (end.chemical) j["chemical"] = *end.chemical + 1;
  return j;
}

CorrelationEnd end_from(const Json& j, const ResolvedScenario& r) {
  CorrelationEnd end;
  const auto k = json_count_at(j, "vary");
  if (k < 1 || k > r.vary.size()) bad("a correlation names no [[vary]] entry");
  end.vary = k - 1;
  if (j.contains("chemical")) {
    const auto i = json_count_at(j, "chemical");
    if (r.vary[end.vary].selector != SelectorKind::each || i < 1 || i > r.chemical_count)
      bad("a correlation names a chemical outside its [[vary]] entry");
    end.chemical = i - 1;
  }
  return end;
}

}  // namespace

std::string to_json(const ResolvedScenario& r) {
  Json j;
  j["input_sha256"] = r.input_sha256;
  if (r.nested()) {
    j["outer"] = r.outer;
    j["inner"] = r.inner;
  } else {
    j["realizations"] = r.realizations;
  }
  j["seed"] = r.seed;
  j["sampling"] = numerics::sampling_name(r.sampling);
  j["percentiles"] = r.percentiles;
  j["decision_percentile"] = r.decision_percentile;
  if (r.target_precision) j["target_precision"] = *r.target_precision;
  j["chemicals"] = r.chemical_count;
  j["cas_group"] = r.cas_group;
  j["vary"] = Json::array();
  for (std::size_t k = 0; k < r.vary.size(); ++k) {
    Json entry = vary_json(r.vary[k], r.nested());
    // The copula moves a correlated draw out of its LHS stratum or Sobol point.
    if (r.sampling != numerics::Sampling::random && r.correlated(k)) entry["stratified"] = false;
    j["vary"].push_back(std::move(entry));
  }
  if (!r.correlate.empty()) {
    Json& correlate = j["correlate"] = Json::array();
    for (const auto& c : r.correlate)
      correlate.push_back({{"a", end_json(c.a)}, {"b", end_json(c.b)}, {"spearman", c.spearman}});
  }
  return j.dump();
}

ResolvedScenario from_json(std::string_view text) {
  static constexpr numerics::Sampling kSamplings[] = {
      numerics::Sampling::random, numerics::Sampling::lhs, numerics::Sampling::sobol};
  try {
    const Json j = Json::parse(text);
    ResolvedScenario r;
    r.input_sha256 = j.at("input_sha256").get<std::string>();
    if (j.contains("outer")) {
      r.realizations = 0;
      r.outer = json_count_at(j, "outer");
      r.inner = json_count_at(j, "inner");
      if (r.outer == 0 || r.inner == 0 || j.contains("realizations"))
        bad("a nested run takes outer and inner draws, at least one each, and no realizations");
      if (r.outer > kMaxDraws || r.inner > kMaxDraws)
        bad(std::string("more outer or inner draws than the limit, ") + kMaxDrawsText);
    } else {
      r.realizations = json_count_at(j, "realizations");
      if (r.realizations == 0) bad("no realizations");
      if (r.realizations > kMaxDraws)
        bad(std::string("more realizations than the limit, ") + kMaxDrawsText);
    }
    r.seed = json_count_at(j, "seed");
    r.sampling =
        named(j.at("sampling").get<std::string>(), kSamplings, numerics::sampling_name, "sampling");
    r.percentiles = j.at("percentiles").get<std::vector<double>>();
    r.decision_percentile = j.at("decision_percentile").get<double>();
    if (j.contains("target_precision")) r.target_precision = j.at("target_precision").get<double>();
    const auto outside = [](double p) { return !(p > 0 && p < 100); };
    if (outside(r.decision_percentile) ||
        std::any_of(r.percentiles.begin(), r.percentiles.end(), outside)) {
      bad("a percentile outside (0, 100)");
    }
    if (r.target_precision && !(*r.target_precision > 0)) bad("target precision not positive");
    r.chemical_count = json_count_at(j, "chemicals");
    const Json& cas_group = j.at("cas_group");
    if (!cas_group.is_array() || cas_group.size() != r.chemical_count)
      bad("cas_group does not list every chemical");
    for (const Json& first : cas_group) r.cas_group.push_back(json_count(first, "cas_group"));
    for (std::size_t i = 0; i < r.chemical_count; ++i) {
      if (r.cas_group[i] > i) bad("cas_group points forward");
    }
    for (const Json& entry : j.at("vary")) r.vary.push_back(vary_from(entry, r));
    const bool uncertain = std::any_of(r.vary.begin(), r.vary.end(), [](const ResolvedVary& v) {
      return v.kind == VaryKind::uncertainty;
    });
    if (uncertain != r.nested()) bad("a run is nested exactly when an input is uncertain");
    if (r.nested() && r.target_precision) bad("a nested run with a target precision");
    if (number_parameters(r) > std::numeric_limits<std::uint32_t>::max()) bad("too many draws");
    for (const Json& c : j.value("correlate", Json::array())) {
      const double rho = c.at("spearman").get<double>();
      if (!(std::fabs(rho) <= 1)) bad("a rank correlation outside [-1, 1]");
      r.correlate.push_back({end_from(c.at("a"), r), end_from(c.at("b"), r), rho});
    }
    const auto problems = correlation_problems(r);
    if (!problems.empty()) bad(problems.front().message);
    return r;
  } catch (const nlohmann::json::exception& e) {
    bad(e.what());
  } catch (const std::invalid_argument& e) {
    bad(e.what());
  }
}

}  // namespace vorn::scenario
