#include "scenario/resolved_correlation.hpp"

// The correlations of a resolved scenario as pairs of random streams, and their checks.
#include <algorithm>
#include <boost/math/constants/constants.hpp>
#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace vorn::scenario {
namespace {

std::string entry_name(std::size_t entry) {
  return "correlate[" + std::to_string(entry + 1) + ']';
}

// "correlate[1]", "correlate[1] and correlate[3]", "correlate[1], correlate[2] and ...".
std::string entries_named(const std::vector<std::size_t>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) text += i + 1 == entries.size() ? " and " : ", ";
    text += entry_name(entries[i]);
  }
  return text;
}

// Whether the rank correlations of the entries `group` are positive definite themselves.
// The copula's matrix holds the normals' correlations 2 sin(pi rho / 6); the rank matrix is
// tried through it by handing the copula rho' = 6 asin(rho / 2) / pi instead.
bool ranks_positive_definite(const std::vector<numerics::StreamCorrelation>& kept,
                             const std::vector<std::size_t>& group) {
  std::vector<numerics::StreamCorrelation> ranks;
  for (numerics::StreamCorrelation p : kept) {
    if (std::find(group.begin(), group.end(), p.source) == group.end()) continue;
    p.spearman = 6 * std::asin(p.spearman / 2) / boost::math::constants::pi<double>();
    ranks.push_back(p);
  }
  return numerics::GaussianCopula(ranks).indefinite_groups().empty();
}

}  // namespace

std::vector<CorrelationProblem> correlation_problems(const ResolvedScenario& r) {
  std::vector<CorrelationProblem> problems;
  for (std::size_t e = 0; e < r.correlate.size(); ++e) {
    const ResolvedCorrelation& c = r.correlate[e];
    for (const auto& [end, key] : {std::pair{c.a, "a"}, std::pair{c.b, "b"}}) {
      if (r.vary[end.vary].family == numerics::Family::constant) {
        problems.push_back({e, key,
                            "vary[" + std::to_string(end.vary + 1) +
                                "] is a constant: only a varied input can be correlated"});
      }
    }
    // An outer draw fixes the uncertain input while the inner realizations vary the other:
    // the copula would pair draws that never meet, and the correlation would vanish.
    const ResolvedVary& a = r.vary[c.a.vary];
    const ResolvedVary& b = r.vary[c.b.vary];
    if (a.kind != b.kind) {
      const bool a_uncertain = a.kind == VaryKind::uncertainty;
      problems.push_back(
          {e, "",
           "vary[" + std::to_string((a_uncertain ? c.a : c.b).vary + 1) +
               "] is an uncertainty input and vary[" +
               std::to_string((a_uncertain ? c.b : c.a).vary + 1) +
               "] a variability input: an uncertain input has one true value per outer draw, "
               "which no draw of the other can follow; correlate inputs of one kind"});
    }
  }
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::size_t> first;
  std::set<std::size_t> reported;
  std::vector<numerics::StreamCorrelation> kept;
  for (const numerics::StreamCorrelation& p : r.stream_correlations()) {
    if (p.a == p.b) {
      if (reported.insert(p.source).second)
        problems.push_back({p.source, "", "a and b name the same draw"});
      continue;
    }
    const auto [it, added] = first.emplace(std::minmax(p.a, p.b), p.source);
    if (added) {
      kept.push_back(p);
    } else if (it->second != p.source && reported.insert(p.source).second) {
      problems.push_back(
          {p.source, "", entry_name(it->second) + " already correlates these draws"});
    }
  }
  const numerics::GaussianCopula copula(kept);
  for (const auto& group : copula.indefinite_groups()) {
    problems.push_back(
        {group.front(), "",
         group.size() == 1
             ? "a rank correlation of 1 or -1 makes a and b one draw: its correlation matrix is "
               "not positive definite"
         : !ranks_positive_definite(kept, group)
             ? "the correlations of " + entries_named(group) +
                   " together are not positive definite: no joint distribution has them"
             : "the correlations of " + entries_named(group) +
                   " together are beyond the Gaussian copula: the normals' correlations "
                   "2 sin(pi rho / 6) it needs for them are not positive definite, though the "
                   "rank correlations are; move them a little apart"});
  }
  return problems;
}

}  // namespace vorn::scenario
