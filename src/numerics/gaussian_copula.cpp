#include "numerics/gaussian_copula.hpp"

#include <Eigen/Cholesky>
#include <Eigen/Core>
#include <algorithm>
#include <boost/math/constants/constants.hpp>
#include <boost/math/special_functions/erf.hpp>
#include <cmath>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>
#include <utility>

#include "math_policy.hpp"

namespace vorn::numerics {
namespace {

constexpr double kLowest = 0x1p-54, kHighest = 1 - 0x1p-53;  // as unit_open draws them

double normal_quantile(double u) {
  return -boost::math::constants::root_two<double>() * boost::math::erfc_inv(2 * u, MathPolicy());
}

// Each tail through its own erfc, so the lower tail keeps its relative accuracy.
double normal_cdf(double z) {
  const double t = z * boost::math::constants::one_div_root_two<double>();
  const double u = z < 0 ? 0.5 * boost::math::erfc(-t, MathPolicy())
                         : 1 - 0.5 * boost::math::erfc(t, MathPolicy());
  return std::clamp(u, kLowest, kHighest);
}

std::size_t root(std::vector<std::size_t>& parent, std::size_t i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

}  // namespace

double normal_correlation(double spearman) {
  if (std::fabs(spearman) == 1) return spearman;
  return 2 * std::sin(boost::math::constants::pi<double>() * spearman / 6);
}

GaussianCopula::GaussianCopula(const std::vector<StreamCorrelation>& pairs) {
  std::map<std::uint32_t, std::size_t> index;  // stream -> node, in stream order
  std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
  for (const StreamCorrelation& p : pairs) {
    if (p.a == p.b) throw std::invalid_argument("a stream correlated with itself");
    if (!seen.insert(std::minmax(p.a, p.b)).second)
      throw std::invalid_argument("a pair of streams correlated twice");
    index.emplace(p.a, 0);
    index.emplace(p.b, 0);
  }
  std::vector<std::uint32_t> stream_of;
  for (auto& [stream, node] : index) {
    node = stream_of.size();
    stream_of.push_back(stream);
  }
  std::vector<std::size_t> parent(stream_of.size());
  std::iota(parent.begin(), parent.end(), std::size_t{0});
  for (const StreamCorrelation& p : pairs)
    parent[root(parent, index[p.a])] = root(parent, index[p.b]);

  // Groups in the order of their first stream, streams ascending within a group.
  std::map<std::size_t, std::size_t> group_of_root;
  std::vector<Group> groups;
  std::vector<std::size_t> position(stream_of.size());
  for (std::size_t node = 0; node < stream_of.size(); ++node) {
    const auto [it, added] = group_of_root.emplace(root(parent, node), groups.size());
    if (added) groups.emplace_back();
    position[node] = groups[it->second].streams.size();
    groups[it->second].streams.push_back(stream_of[node]);
  }
  std::vector<Eigen::MatrixXd> matrices;
  std::vector<std::vector<std::size_t>> sources(groups.size());
  for (const Group& g : groups) {
    const auto n = static_cast<Eigen::Index>(g.streams.size());
    matrices.push_back(Eigen::MatrixXd::Identity(n, n));
  }
  for (const StreamCorrelation& p : pairs) {
    const std::size_t g = group_of_root[root(parent, index[p.a])];
    const auto i = static_cast<Eigen::Index>(position[index[p.a]]);
    const auto j = static_cast<Eigen::Index>(position[index[p.b]]);
    matrices[g](i, j) = matrices[g](j, i) = normal_correlation(p.spearman);
    sources[g].push_back(p.source);
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const Eigen::LLT<Eigen::MatrixXd> llt(matrices[g]);
    if (llt.info() != Eigen::Success) {
      std::sort(sources[g].begin(), sources[g].end());
      sources[g].erase(std::unique(sources[g].begin(), sources[g].end()), sources[g].end());
      indefinite_.push_back(std::move(sources[g]));
      continue;
    }
    const Eigen::MatrixXd lower = llt.matrixL();
    for (Eigen::Index i = 0; i < lower.rows(); ++i)
      for (Eigen::Index j = 0; j <= i; ++j) groups[g].lower.push_back(lower(i, j));
  }
  groups_ = std::move(groups);
}

bool GaussianCopula::correlates(std::uint32_t stream) const {
  return std::any_of(groups_.begin(), groups_.end(), [stream](const Group& g) {
    return std::binary_search(g.streams.begin(), g.streams.end(), stream);
  });
}

void GaussianCopula::apply(double* u) const {
  if (!indefinite_.empty()) throw std::logic_error("a copula that is not positive definite");
  for (const Group& g : groups_) {
    const std::size_t n = g.streams.size();
    for (std::uint32_t s : g.streams) u[s] = normal_quantile(u[s]);
    // z' = L z in place: row i reads z_0..z_i, so the rows go from the last up.
    for (std::size_t i = n; i-- > 0;) {
      const double* row = g.lower.data() + i * (i + 1) / 2;
      double z = 0;
      for (std::size_t j = 0; j <= i; ++j) z += row[j] * u[g.streams[j]];
      u[g.streams[i]] = z;
    }
    for (std::uint32_t s : g.streams) u[s] = normal_cdf(u[s]);
  }
}

}  // namespace vorn::numerics
