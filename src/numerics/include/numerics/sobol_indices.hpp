// Variance-based sensitivity indices from a function's values on a Saltelli design:
// Saltelli's (2010) estimator of the first-order index S1 (the share of the output's
// variance that one input group explains alone) and Jansen's of the total index ST (its
// share with every interaction it takes part in), with bootstrap 95 % confidence intervals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorn::numerics {

struct SobolIndex {
  double first = 0.0, first_lower = 0.0, first_upper = 0.0;
  double total = 0.0, total_lower = 0.0, total_upper = 0.0;
};

struct SobolIndices {
  std::size_t rows = 0;           // base rows used
  std::size_t rows_left_out = 0;  // base rows with a value that is not finite in some block
  double variance = 0.0;          // V: of the output over the rows of A used
  std::vector<SobolIndex> groups;
};

struct BootstrapOptions {
  std::uint64_t seed = 1;         // replicate r resamples rows with Philox(seed, r)
  std::size_t replicates = 1000;  // 0: no intervals (they are the estimates)
};

// `values` holds base_rows * (groups + 2) values laid out [A; B; A_B^1 ... A_B^p]: row j
// (0-based) of block b at values[b * base_rows + j]. Base rows with a value that is not
// finite in any block are left out. With n the rows used, V the sample variance of f(A)
// (divisor n - 1) and m the mean of all n (p + 2) values,
//   S1_i = sum_j (f(B)_j - m) (f(A_B^i)_j - f(A)_j) / (n - 1) / V,
//   ST_i = sum_j (f(A)_j - f(A_B^i)_j)^2 / (2n - 1) / V,
// Saltelli's first-order form, 0 exactly for a group with no effect (Jansen's S1 is not),
// and Jansen's total form, with the divisors and centring of OpenTURNS' Mauntz-Kucherenko
// and Jansen estimators, so that they agree on one design. A bootstrap replicate draws n
// base rows with replacement, the same rows for every block and group; the intervals are
// the replicates' 2.5th and 97.5th percentiles (nearest rank). An output with no variance
// over A gives indices of 0.
SobolIndices estimate_sobol_indices(const double* values, std::size_t base_rows, std::size_t groups,
                                    const BootstrapOptions& bootstrap);

}  // namespace vorn::numerics
