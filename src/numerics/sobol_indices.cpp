#include "numerics/sobol_indices.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "numerics/random_stream.hpp"

namespace vorn::numerics {
namespace {

// The blocks of the rows used, each less the mean of A so that the sums of squares keep
// their digits.
struct Rows {
  std::size_t n = 0, blocks = 0;
  std::vector<double> values;  // block b, row t at values[b * n + t]
  double at(std::size_t block, std::size_t row) const { return values[block * n + row]; }
};

struct Estimate {
  double variance;
  std::vector<double> first, total;
};

// Saltelli's (2010) first-order and Jansen's total estimators over the rows picked: row t
// of the estimate is row pick(t).
template <class Pick>
Estimate estimate(const Rows& rows, std::size_t groups, Pick pick) {
  const std::size_t n = rows.n;
  double sum = 0;
  for (std::size_t t = 0; t < n; ++t) sum += rows.at(0, pick(t));
  const double mean = sum / static_cast<double>(n);
  double squares = 0;
  for (std::size_t t = 0; t < n; ++t) {
    const double a = rows.at(0, pick(t)) - mean;
    squares += a * a;
  }
  Estimate e{squares / static_cast<double>(n - 1), std::vector<double>(groups, 0.0),
             std::vector<double>(groups, 0.0)};
  if (!(e.variance > 0)) return e;
  // S1 centres f(B) by the mean of every block's values over the rows picked.
  double all = 0;
  for (std::size_t b = 0; b < rows.blocks; ++b)
    for (std::size_t t = 0; t < n; ++t) all += rows.at(b, pick(t));
  const double centre = all / static_cast<double>(n * rows.blocks);
  const double divisor = static_cast<double>(2 * n - 1);
  for (std::size_t i = 0; i < groups; ++i) {
    double first = 0, to_a = 0;
    for (std::size_t t = 0; t < n; ++t) {
      const std::size_t j = pick(t);
      // An input with no effect leaves f(A_B^i) = f(A) in every row: S1 is 0 exactly.
      const double da = rows.at(2 + i, j) - rows.at(0, j);
      first += (rows.at(1, j) - centre) * da;
      to_a += da * da;
    }
    e.first[i] = first / static_cast<double>(n - 1) / e.variance;
    e.total[i] = to_a / divisor / e.variance;
  }
  return e;
}

// The nearest-rank percentile q (0..100) of sorted values.
double percentile(const std::vector<double>& sorted, double q) {
  const auto rank =
      static_cast<std::size_t>(std::ceil(q / 100 * static_cast<double>(sorted.size())));
  return sorted[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace

SobolIndices estimate_sobol_indices(const double* values, std::size_t base_rows, std::size_t groups,
                                    const BootstrapOptions& bootstrap) {
  SobolIndices result;
  result.groups.resize(groups);
  Rows rows;
  rows.blocks = groups + 2;
  std::vector<std::size_t> used;
  for (std::size_t j = 0; j < base_rows; ++j) {
    bool finite = true;
    for (std::size_t b = 0; b < rows.blocks; ++b)
      finite = finite && std::isfinite(values[b * base_rows + j]);
    if (finite) used.push_back(j);
  }
  rows.n = used.size();
  if (rows.n > 0xFFFFFFFFu) throw std::length_error("a design takes fewer than 2^32 base rows");
  result.rows = rows.n;
  result.rows_left_out = base_rows - rows.n;
  if (rows.n < 2) return result;
  rows.values.resize(rows.blocks * rows.n);
  double shift = 0;
  for (std::size_t t = 0; t < rows.n; ++t) shift += values[used[t]];
  shift /= static_cast<double>(rows.n);
  for (std::size_t b = 0; b < rows.blocks; ++b)
    for (std::size_t t = 0; t < rows.n; ++t)
      rows.values[b * rows.n + t] = values[b * base_rows + used[t]] - shift;

  const Estimate whole = estimate(rows, groups, [](std::size_t t) { return t; });
  result.variance = whole.variance;
  std::vector<std::vector<double>> first(groups), total(groups);
  std::vector<std::uint32_t> picks(rows.n);
  for (std::size_t r = 0; r < bootstrap.replicates; ++r) {
    numerics::bootstrap_rows(bootstrap.seed, r, rows.n, picks.data());
    const Estimate e = estimate(rows, groups, [&picks](std::size_t t) { return picks[t]; });
    for (std::size_t i = 0; i < groups; ++i) {
      first[i].push_back(e.first[i]);
      total[i].push_back(e.total[i]);
    }
  }
  for (std::size_t i = 0; i < groups; ++i) {
    SobolIndex& index = result.groups[i];
    index.first = index.first_lower = index.first_upper = whole.first[i];
    index.total = index.total_lower = index.total_upper = whole.total[i];
    if (bootstrap.replicates == 0) continue;
    std::sort(first[i].begin(), first[i].end());
    std::sort(total[i].begin(), total[i].end());
    index.first_lower = percentile(first[i], 2.5);
    index.first_upper = percentile(first[i], 97.5);
    index.total_lower = percentile(total[i], 2.5);
    index.total_upper = percentile(total[i], 97.5);
  }
  return result;
}

}  // namespace vorn::numerics
