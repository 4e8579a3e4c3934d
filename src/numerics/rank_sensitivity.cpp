#include "numerics/rank_sensitivity.hpp"

#include <Eigen/Cholesky>
#include <Eigen/Core>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace vorn::numerics {
namespace {

constexpr double kZ975 = 1.959963984540054;  // the normal's 97.5th percentile
constexpr double kNegligible = 0.1;
// An input whose ranks keep less than this share of their variance once the earlier
// inputs' ranks are regressed out counts as a linear mix of them.
constexpr double kCollinear = 1e-10;
// Below this share, the output's rank variance left unexplained is rounding: counting it
// as this much keeps an input with no share from taking the limit of +-1.
constexpr double kUnexplainedFloor = 64 * std::numeric_limits<double>::epsilon();

constexpr std::uint32_t kLeftOut = 0xFFFFFFFFu;

// Writes the centred ranks of the rows used, rank - (m + 1) / 2 with ties averaged, to
// out[compact[row]], walking the rows in sorted order. Half-integers, exact in a float
// below 2^23 rows.
void centred_ranks(const float* values, const std::uint32_t* order,
                   const std::vector<std::uint32_t>& compact, std::size_t m,
                   std::vector<std::uint32_t>& sorted, float* out) {
  sorted.clear();
  for (std::size_t i = 0; i < compact.size(); ++i)
    if (compact[order[i]] != kLeftOut) sorted.push_back(order[i]);
  for (std::size_t first = 0; first < m;) {
    std::size_t last = first;
    while (last + 1 < m && values[sorted[last + 1]] == values[sorted[first]]) ++last;
    // 1-based ranks first + 1 .. last + 1 share their mean (first + last + 2) / 2.
    const float centred =
        static_cast<float>(static_cast<double>(first + last + 1) / 2 - static_cast<double>(m) / 2);
    for (std::size_t i = first; i <= last; ++i) out[compact[sorted[i]]] = centred;
    first = last + 1;
  }
}

// The Gram matrix of the rank columns, over blocks of rows so that no double copy of the
// whole sample is made.
Eigen::MatrixXd gram(const std::vector<float>& ranks, std::size_t m, std::size_t columns) {
  constexpr std::size_t kBlock = 4096;
  const auto c = static_cast<Eigen::Index>(columns);
  Eigen::MatrixXd g = Eigen::MatrixXd::Zero(c, c);
  for (std::size_t first = 0; first < m; first += kBlock) {
    const auto rows = static_cast<Eigen::Index>(std::min(kBlock, m - first));
    const Eigen::Map<const Eigen::MatrixXf, 0, Eigen::OuterStride<>> block(
        ranks.data() + first, rows, c, Eigen::OuterStride<>(static_cast<Eigen::Index>(m)));
    const Eigen::MatrixXd b = block.cast<double>();
    g.noalias() += b.transpose() * b;
  }
  return g;
}

struct Interval {
  double lower, upper;
};

Interval fisher_interval(double r, double dof) {
  if (dof < 1) return {-1, 1};
  const double z = std::atanh(r), half = kZ975 / std::sqrt(dof);
  return {std::tanh(z - half), std::tanh(z + half)};
}

}  // namespace

RankSensitivity compute_rank_sensitivity(const float* inputs, std::size_t n, std::size_t k,
                                         const float* output) {
  return compute_rank_sensitivity(RankedInputs(inputs, n, k), {}, output);
}

RankSensitivity compute_rank_sensitivity(const RankedInputs& sample,
                                         const std::vector<std::size_t>& selected,
                                         const float* output) {
  std::vector<std::size_t> columns = selected;
  if (columns.empty()) {
    columns.resize(sample.columns());
    std::iota(columns.begin(), columns.end(), std::size_t{0});
  }
  const std::size_t n = sample.rows(), k = columns.size();
  RankSensitivity result;
  result.inputs.resize(k);
  std::vector<char> used(n);
  for (std::size_t i = 0; i < n; ++i) used[i] = !std::isnan(output[i]);
  for (std::size_t c : columns) {
    const float* column = sample.column(c);
    for (std::size_t i = 0; i < n; ++i) used[i] = used[i] && !std::isnan(column[i]);
  }
  std::vector<std::uint32_t> compact(n, kLeftOut);
  std::size_t m = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (used[i]) compact[i] = static_cast<std::uint32_t>(m++);
  if (m >= (std::size_t{1} << 23))
    throw std::length_error("rank sensitivity takes fewer than 2^23 rows");
  result.rows = m;
  result.rows_left_out = n - m;

  // Columns 0..k-1 the inputs, column k the output.
  std::vector<float> ranks(m * (k + 1));
  std::vector<std::uint32_t> sorted;
  for (std::size_t j = 0; j < k; ++j) {
    centred_ranks(sample.column(columns[j]), sample.order(columns[j]), compact, m, sorted,
                  &ranks[j * m]);
  }
  std::vector<std::uint32_t> output_order(n);
  sort_rows(output, n, 1, output_order.data());
  centred_ranks(output, output_order.data(), compact, m, sorted, &ranks[k * m]);
  const Eigen::MatrixXd g = gram(ranks, m, k + 1);
  const auto y = static_cast<Eigen::Index>(k);
  result.output_varies = g(y, y) > 0;

  // The rank correlations; then the inputs kept for partialling, in column order: each
  // must add a share of variance of its own (an incremental Cholesky factorisation).
  Eigen::MatrixXd corr(y + 1, y + 1);
  for (Eigen::Index i = 0; i <= y; ++i)
    for (Eigen::Index j = 0; j <= y; ++j)
      corr(i, j) = g(i, i) > 0 && g(j, j) > 0 ? g(i, j) / std::sqrt(g(i, i) * g(j, j)) : 0.0;
  std::vector<Eigen::Index> kept;
  Eigen::MatrixXd lower = Eigen::MatrixXd::Zero(y, y);
  for (Eigen::Index j = 0; j < y; ++j) {
    RankIndex& index = result.inputs[static_cast<std::size_t>(j)];
    if (!(g(j, j) > 0)) {
      index.excluded = Excluded::constant;
      continue;
    }
    const auto size = static_cast<Eigen::Index>(kept.size());
    Eigen::VectorXd w(size);
    for (Eigen::Index a = 0; a < size; ++a) w(a) = corr(kept[static_cast<std::size_t>(a)], j);
    lower.topLeftCorner(size, size).triangularView<Eigen::Lower>().solveInPlace(w);
    const double pivot = 1 - w.squaredNorm();
    if (!(pivot > kCollinear)) {
      index.excluded = Excluded::collinear;
      continue;
    }
    lower.row(size).head(size) = w.transpose();
    lower(size, size) = std::sqrt(pivot);
    kept.push_back(j);
  }

  // With R the kept inputs' correlation matrix and r their correlations with the output,
  // the inverse of the whole matrix gives PRCC_j = beta_j / sqrt(beta_j^2 + (R^-1)_jj s2),
  // beta = R^-1 r and s2 = 1 - r.beta the output's share of rank variance left
  // unexplained. s2 -> 0 leaves the limit sign(beta_j), taken at kUnexplainedFloor.
  const auto size = static_cast<Eigen::Index>(kept.size());
  Eigen::VectorXd r(size), beta(size), inverse_diagonal(size);
  for (Eigen::Index a = 0; a < size; ++a) r(a) = corr(kept[static_cast<std::size_t>(a)], y);
  const Eigen::MatrixXd kept_lower = lower.topLeftCorner(size, size);
  const auto l = kept_lower.triangularView<Eigen::Lower>();
  beta = l.transpose().solve(l.solve(r));
  const Eigen::MatrixXd l_inverse = l.solve(Eigen::MatrixXd::Identity(size, size));
  inverse_diagonal = l_inverse.colwise().squaredNorm().transpose();
  const double s2 = std::max(kUnexplainedFloor, 1 - r.dot(beta));
  result.partialled = kept.empty() ? 0 : kept.size() - 1;

  const double spearman_dof = static_cast<double>(m) - 3;
  const double prcc_dof = spearman_dof - static_cast<double>(result.partialled);
  for (Eigen::Index a = 0; a < size; ++a) {
    RankIndex& index = result.inputs[static_cast<std::size_t>(kept[static_cast<std::size_t>(a)])];
    const double b = beta(a), denominator = std::sqrt(b * b + inverse_diagonal(a) * s2);
    index.prcc = denominator > 0 ? std::clamp(b / denominator, -1.0, 1.0) : 0.0;
    const Interval ci =
        result.output_varies ? fisher_interval(index.prcc, prcc_dof) : Interval{0, 0};
    index.prcc_lower = ci.lower;
    index.prcc_upper = ci.upper;
  }
  for (Eigen::Index j = 0; j < y; ++j) {
    RankIndex& index = result.inputs[static_cast<std::size_t>(j)];
    index.spearman = corr(j, y);
    const bool informative = result.output_varies && index.excluded != Excluded::constant;
    const Interval ci =
        informative ? fisher_interval(index.spearman, spearman_dof) : Interval{0, 0};
    index.spearman_lower = ci.lower;
    index.spearman_upper = ci.upper;
    if (index.excluded == Excluded::collinear) index.prcc_lower = -1, index.prcc_upper = 1;
    index.negligible =
        std::fabs(index.prcc) < kNegligible || (index.prcc_lower <= 0 && index.prcc_upper >= 0);
  }
  return result;
}

}  // namespace vorn::numerics
