#include "scenario/input_domains.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/number_text.hpp"
#include "core/text.hpp"
#include "numerics/distribution.hpp"
#include "scenario/vary_target.hpp"

namespace vorn::scenario {
namespace {

struct DomainEntry {
  std::string_view field;
  FieldDomain domain;
};

constexpr FieldDomain kPositive{0, true}, kNonNegative{0, false};

// A value outside its domain runs as missing (or, for the unit, stops the run): sizes,
// targets, concentrations and the molecular weight must be positive; toxicity values,
// properties and the chemical's own DAFs at least 0; LOGKOW above the -999 that marks it
// missing. DAF is the factor on the DAFs.
constexpr DomainEntry kDomains[] = {
    {"WU_WASTEVOL", kPositive},
    {"WU_ACTLIFE", kPositive},
    {"WU_RISKFACT", kPositive},
    {"WU_HQFACT", kPositive},
    {"DAF", kPositive},
    {"TCLPCONC", kPositive},
    {"TOTC", kPositive},
    {"MW", kPositive},
    {"CSFO", kNonNegative},
    {"CSFI", kNonNegative},
    {"ORDO", kNonNegative},
    {"ORDI", kNonNegative},
    {"MCL", kNonNegative},
    {"TOX_C", kNonNegative},
    {"ECOCHRON", kNonNegative},
    {"HENRY", kNonNegative},
    {"DIFFW", kNonNegative},
    {"DIFFA", kNonNegative},
    {"SOL", kNonNegative},
    {"VP", kNonNegative},
    {"KPW", kNonNegative},
    {"TAU", kNonNegative},
    {"TSTAR", kNonNegative},
    {"BUNGE", kNonNegative},
    {"BCF", kNonNegative},
    {"BAF", kNonNegative},
    {"KDSW", kNonNegative},
    {"SOILST", kNonNegative},
    {"DAFLF", kNonNegative},
    {"DAFSI", kNonNegative},
    {"LOGKOW", FieldDomain{-999, true}},
};

std::string number(double x) {
  return shortest_text(x + 0.0);  // -0 reads as 0
}

// A draw, to six digits: enough to see where it lies.
std::string drawn(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", x + 0.0);
  return text;
}

std::string chemical_named(const std::vector<Chemical>& chemicals, std::size_t i) {
  std::string id(trim_blanks(chemicals[i].CHEMCAS));
  if (id.empty()) id = trim_blanks(chemicals[i].CHEMNAME);
  return id + " (" + std::to_string(i + 1) + ")";
}

// What keeps a factor's draws inside: a bound on the factor, `bound` / `read`.
std::string factor_fix(const FieldDomain& d, double read) {
  const std::string bound = number(d.bound / read);
  if (read > 0) return d.open ? "a min above " + bound : "min = " + bound;
  return d.open ? "a max below " + bound : "max = " + bound;
}

// What keeps a distribution's draws inside the domain, by the keys its family has.
std::string value_fix(const FieldDomain& d, numerics::Family family) {
  if (family == numerics::Family::constant) return "a value " + d.text();
  if (family == numerics::Family::empirical) return "values " + d.text();
  return d.open ? "a min above " + number(d.bound) : "min = " + number(d.bound);
}

class DomainCheck {
 public:
  DomainCheck(const Scenario& s, const WasteUnit& unit, const std::vector<Chemical>& chemicals)
      : scenario_(s), unit_(unit), chemicals_(chemicals), problems_(s.file_name) {}

  void entry(std::size_t k, const ResolvedVary& v) {
    const VaryEntry& e = scenario_.vary[k];
    const std::string key = "vary[" + std::to_string(k + 1) + "].dist";
    const FieldDomain d = field_domain(v.field);
    const numerics::Distribution dist(v.family, v.parameters);
    const double lo = dist.lowest_draw(), hi = dist.highest_draw();
    if (v.mode == VaryMode::value || v.target == VaryTarget::daf) {
      if (!d.holds(lo))
        problems_.add(e.dist_at, key,
                      (v.target == VaryTarget::daf ? "the DAF factor" : v.field) + " must be " +
                          d.text() + ", and this distribution draws down to " + drawn(lo) +
                          ": give it " + value_fix(d, v.family));
      return;
    }
    if (v.target == VaryTarget::unit) {
      check_product(e, key, v.field, unit_.*unit_member(v.field), d, lo, hi);
      return;
    }
    double Chemical::*member = chemical_member(v.field);
    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < chemicals_.size(); ++i) {
      if (v.selector == SelectorKind::index && i != v.chemical) continue;
      const double read = chemicals_[i].*member;
      const std::string named = v.field + " of " + chemical_named(chemicals_, i);
      if (!d.holds(read)) {
        if (v.selector == SelectorKind::index)
          problems_.add(e.chemical.at, "vary[" + std::to_string(k + 1) + "].chemical",
                        named + " is missing as read (" + number(read) + ", not " + d.text() +
                            "): a factor has nothing to multiply; vary its value (mode = "
                            "\"value\") or leave it out");
        missing.push_back(i);
        continue;
      }
      if (!check_product(e, key, named, read, d, lo, hi)) break;
    }
    if (missing.empty() || v.selector == SelectorKind::index) return;
    std::string list;
    for (std::size_t m = 0; m < missing.size(); ++m)
      list += (m == 0                    ? ""
               : m + 1 == missing.size() ? " and "
                                         : ", ") +
              chemical_named(chemicals_, missing[m]);
    notes.push_back(located_message(
        scenario_.file_name, e.at, "vary[" + std::to_string(k + 1) + "]",
        v.field + " of " + list + " is missing as read (not " + d.text() + "): the factor leaves " +
            (missing.size() == 1 ? "it" : "them") + " as read"));
  }

  ScenarioProblems& problems() { return problems_; }
  std::vector<std::string> notes;

 private:
  // The value read times every factor drawn stays inside; false after a problem.
  bool check_product(const VaryEntry& e, const std::string& key, const std::string& named,
                     double read, const FieldDomain& d, double lo, double hi) {
    if (!d.holds(read)) {  // a unit input: its own run stops or warns on it
      problems_.add(e.dist_at, key,
                    named + " must be " + d.text() + ", and its value read (" + number(read) +
                        ") is not: vary its value (mode = \"value\")");
      return false;
    }
    const double low = std::min(read * lo, read * hi);
    if (d.holds(low)) return true;
    problems_.add(e.dist_at, key,
                  named + " must be " + d.text() + ", and this factor times its value read (" +
                      number(read) + ") reaches " + drawn(low) + ": give the factor " +
                      factor_fix(d, read));
    return false;
  }

  const Scenario& scenario_;
  const WasteUnit& unit_;
  const std::vector<Chemical>& chemicals_;
  ScenarioProblems problems_;
};

}  // namespace

std::string FieldDomain::text() const {
  return (open ? "> " : ">= ") + number(bound);
}

FieldDomain field_domain(std::string_view field) {
  for (const DomainEntry& entry : kDomains)
    if (entry.field == field) return entry.domain;
  return FieldDomain{-HUGE_VAL, true};  // not a varied field: any finite value
}

bool factor_applies(std::string_view field, double x) {
  return field_domain(field).holds(x);
}

std::vector<std::string> check_domains(const Scenario& scenario, const ResolvedScenario& resolved,
                                       const WasteUnit& unit_read,
                                       const std::vector<Chemical>& chemicals_read) {
  DomainCheck check(scenario, unit_read, chemicals_read);
  for (std::size_t k = 0; k < resolved.vary.size(); ++k) check.entry(k, resolved.vary[k]);
  check.problems().throw_if_any();
  return std::move(check.notes);
}

}  // namespace vorn::scenario
