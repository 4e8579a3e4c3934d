#include "numerics/rank_sensitivity.hpp"

#include <Eigen/Cholesky>
#include <Eigen/Core>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "numerics/random_stream.hpp"

namespace vorn::numerics {
namespace {

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

// The indices a Gram matrix of centred rank columns gives: inputs 0..k-1, the output k.
struct Estimates {
  std::vector<double> spearman, prcc;
  std::vector<Excluded> excluded;
  std::size_t partialled = 0;
  bool output_varies = false;
};

Estimates estimates_from(const Eigen::MatrixXd& g) {
  const Eigen::Index y = g.rows() - 1;
  const auto k = static_cast<std::size_t>(y);
  Estimates e{std::vector<double>(k, 0.0), std::vector<double>(k, 0.0),
              std::vector<Excluded>(k, Excluded::no), 0, g(y, y) > 0};

  // The rank correlations; then the inputs kept for partialling, in column order: each
  // must add a share of variance of its own (an incremental Cholesky factorisation).
  Eigen::MatrixXd corr(y + 1, y + 1);
  for (Eigen::Index i = 0; i <= y; ++i)
    for (Eigen::Index j = 0; j <= y; ++j)
      corr(i, j) = g(i, i) > 0 && g(j, j) > 0 ? g(i, j) / std::sqrt(g(i, i) * g(j, j)) : 0.0;
  std::vector<Eigen::Index> kept;
  Eigen::MatrixXd lower = Eigen::MatrixXd::Zero(y, y);
  for (Eigen::Index j = 0; j < y; ++j) {
    Excluded& excluded = e.excluded[static_cast<std::size_t>(j)];
    if (!(g(j, j) > 0)) {
      excluded = Excluded::constant;
      continue;
    }
    const auto size = static_cast<Eigen::Index>(kept.size());
    Eigen::VectorXd w(size);
    for (Eigen::Index a = 0; a < size; ++a) w(a) = corr(kept[static_cast<std::size_t>(a)], j);
    lower.topLeftCorner(size, size).triangularView<Eigen::Lower>().solveInPlace(w);
    const double pivot = 1 - w.squaredNorm();
    if (!(pivot > kCollinear)) {
      excluded = Excluded::collinear;
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
  e.partialled = kept.empty() ? 0 : kept.size() - 1;
  for (Eigen::Index a = 0; a < size; ++a) {
    const double b = beta(a), denominator = std::sqrt(b * b + inverse_diagonal(a) * s2);
    e.prcc[static_cast<std::size_t>(kept[static_cast<std::size_t>(a)])] =
        denominator > 0 ? std::clamp(b / denominator, -1.0, 1.0) : 0.0;
  }
  for (Eigen::Index j = 0; j < y; ++j) e.spearman[static_cast<std::size_t>(j)] = corr(j, y);
  return e;
}

// A column's rows used (compact numbers) in ascending order of value, and at the start of
// each run of equal values the position past its end.
struct SortedColumn {
  std::vector<std::uint32_t> rows, run_end;
};

SortedColumn sorted_column(const float* values, const std::vector<std::uint32_t>& sorted,
                           const std::vector<std::uint32_t>& compact) {
  SortedColumn c;
  const std::size_t m = sorted.size();
  c.rows.resize(m);
  c.run_end.resize(m);
  for (std::size_t first = 0; first < m;) {
    std::size_t end = first + 1;
    while (end < m && values[sorted[end]] == values[sorted[first]]) ++end;
    c.run_end[first] = static_cast<std::uint32_t>(end);
    first = end;
  }
  for (std::size_t i = 0; i < m; ++i) c.rows[i] = compact[sorted[i]];
  return c;
}

// The centred ranks of a resample that holds row i w[i] times, ties averaged: a run of
// equal values with total weight W after `before` smaller ones ranks before + (W + 1) / 2.
void weighted_ranks(const SortedColumn& c, const std::vector<double>& w, double* out) {
  const double centre = (static_cast<double>(c.rows.size()) + 1) / 2;
  double before = 0;
  for (std::size_t first = 0; first < c.rows.size();) {
    const std::size_t end = c.run_end[first];
    double weight = 0;
    for (std::size_t i = first; i < end; ++i) weight += w[c.rows[i]];
    const double rank = before + (weight + 1) / 2 - centre;
    for (std::size_t i = first; i < end; ++i) out[c.rows[i]] = rank;
    before += weight;
    first = end;
  }
}

// The nearest-rank 2.5th and 97.5th percentiles of the replicates on the atanh scale,
// turned back.
std::pair<double, double> percentile_interval(std::vector<double>& z) {
  std::sort(z.begin(), z.end());
  auto at = [&z](double q) {
    const auto rank = static_cast<std::size_t>(std::ceil(q / 100 * static_cast<double>(z.size())));
    return std::tanh(z[std::max<std::size_t>(rank, 1) - 1]);
  };
  return {at(2.5), at(97.5)};
}

// Replicate r resamples the m rows used as the Sobol indices' bootstrap does, by
// Philox(seed, r); each index is recomputed on the resample's own ranks.
void bootstrap(const std::vector<SortedColumn>& columns, const RankBootstrap& options,
               RankSensitivity& result) {
  const std::size_t m = result.rows, k = result.inputs.size();
  const auto rows = static_cast<Eigen::Index>(m), cols = static_cast<Eigen::Index>(k + 1);
  Eigen::MatrixXd ranks(rows, cols);
  std::vector<double> weights(m);
  std::vector<std::uint32_t> picks(m);
  std::vector<std::vector<double>> spearman(k), prcc(k);
  for (std::size_t r = 0; r < options.replicates; ++r) {
    bootstrap_rows(options.seed, r, m, picks.data());
    std::fill(weights.begin(), weights.end(), 0.0);
    for (const std::uint32_t row : picks) weights[row] += 1;
    for (std::size_t j = 0; j <= k; ++j)
      weighted_ranks(columns[j], weights, ranks.col(static_cast<Eigen::Index>(j)).data());
    const Eigen::Map<const Eigen::VectorXd> w(weights.data(), rows);
    const Eigen::MatrixXd weighted = ranks.array().colwise() * w.array();
    const Estimates e = estimates_from(ranks.transpose() * weighted);
    for (std::size_t j = 0; j < k; ++j) {
      spearman[j].push_back(std::atanh(std::clamp(e.spearman[j], -1.0, 1.0)));
      prcc[j].push_back(std::atanh(e.prcc[j]));
    }
  }
  for (std::size_t j = 0; j < k; ++j) {
    RankIndex& index = result.inputs[j];
    if (index.excluded != Excluded::constant)
      std::tie(index.spearman_lower, index.spearman_upper) = percentile_interval(spearman[j]);
    if (index.excluded == Excluded::no)
      std::tie(index.prcc_lower, index.prcc_upper) = percentile_interval(prcc[j]);
  }
}

}  // namespace

RankSensitivity compute_rank_sensitivity(const float* inputs, std::size_t n, std::size_t k,
                                         const float* output, const RankBootstrap& bootstrap) {
  return compute_rank_sensitivity(RankedInputs(inputs, n, k), {}, output, bootstrap);
}

RankSensitivity compute_rank_sensitivity(const RankedInputs& sample,
                                         const std::vector<std::size_t>& selected,
                                         const float* output,
                                         const RankBootstrap& bootstrap_options) {
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
  const Estimates point = estimates_from(gram(ranks, m, k + 1));
  result.output_varies = point.output_varies;
  result.partialled = point.partialled;
  for (std::size_t j = 0; j < k; ++j) {
    RankIndex& index = result.inputs[j];
    index.spearman = point.spearman[j];
    index.prcc = point.prcc[j];
    index.excluded = point.excluded[j];
    // Without replicates, or an output or input that does not vary, the interval is the
    // estimate; a collinear input's PRCC is not known at all.
    index.spearman_lower = index.spearman_upper = index.spearman;
    index.prcc_lower = index.prcc_upper = index.prcc;
    if (index.excluded == Excluded::collinear) index.prcc_lower = -1, index.prcc_upper = 1;
  }
  if (result.output_varies && bootstrap_options.replicates > 0 && m > 0) {
    std::vector<SortedColumn> sorted_columns;
    for (std::size_t j = 0; j < k; ++j) {
      sorted.clear();
      const std::uint32_t* order = sample.order(columns[j]);
      for (std::size_t i = 0; i < n; ++i)
        if (compact[order[i]] != kLeftOut) sorted.push_back(order[i]);
      sorted_columns.push_back(sorted_column(sample.column(columns[j]), sorted, compact));
    }
    sorted.clear();
    for (std::size_t i = 0; i < n; ++i)
      if (compact[output_order[i]] != kLeftOut) sorted.push_back(output_order[i]);
    sorted_columns.push_back(sorted_column(output, sorted, compact));
    bootstrap(sorted_columns, bootstrap_options, result);
  }
  for (RankIndex& index : result.inputs)
    index.negligible =
        std::fabs(index.prcc) < kNegligible || (index.prcc_lower <= 0 && index.prcc_upper >= 0);
  return result;
}

}  // namespace vorn::numerics
