// Correlated inputs through a Gaussian copula. The uniforms of the correlated streams
// become standard normals, the normals are mixed by the Cholesky factor of their
// correlation matrix, and the mixed normals become uniforms again, which each input's
// own quantile turns into its value. A rank correlation survives every increasing
// marginal, so the Spearman correlation asked for is met through the normals' Pearson
// correlation 2 sin(pi rho_S / 6).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorn::numerics {

// One requested rank correlation between two random streams.
struct StreamCorrelation {
  std::uint32_t a = 0, b = 0;  // distinct streams
  double spearman = 0.0;       // in [-1, 1]
  std::size_t source = 0;      // the [[correlate]] entry asking for it, 0-based
};

// The Pearson correlation of two standard normals whose Spearman correlation is
// `spearman`: 2 sin(pi spearman / 6), exactly +-1 at +-1.
double normal_correlation(double spearman);

class GaussianCopula {
 public:
  GaussianCopula() = default;  // correlates nothing
  // Streams linked through pairs form a group; each group's matrix is factored apart.
  // A group whose matrix is not positive definite is listed by indefinite_groups() and
  // left unfactored. Throws std::invalid_argument on a pair of a stream with itself or a
  // pair given twice.
  explicit GaussianCopula(const std::vector<StreamCorrelation>& pairs);

  bool empty() const { return groups_.empty(); }
  // For each group that is not positive definite, the sources of its pairs, ascending.
  const std::vector<std::vector<std::size_t>>& indefinite_groups() const { return indefinite_; }
  bool correlates(std::uint32_t stream) const;

  // Replaces u[s] of every correlated stream s by its correlated uniform, strictly
  // inside (0, 1); the other streams keep theirs. Throws std::logic_error when a group
  // is not positive definite.
  void apply(double* u) const;

 private:
  struct Group {
    std::vector<std::uint32_t> streams;  // ascending
    std::vector<double> lower;           // Cholesky factor, lower triangle by rows
  };
  std::vector<Group> groups_;
  std::vector<std::vector<std::size_t>> indefinite_;
};

}  // namespace vorn::numerics
