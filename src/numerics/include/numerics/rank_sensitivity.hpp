// Which inputs drive an output, read from an ordinary Monte Carlo sample at no extra
// model cost: Spearman's rank correlation and the partial rank correlation coefficient
// (PRCC) of each input with the output, with 95 % confidence intervals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "numerics/ranked_inputs.hpp"

namespace vorn::numerics {

// An input left out of the partial correlations.
enum class Excluded {
  no,
  constant,   // one value in every row used: it cannot drive anything
  collinear,  // its ranks are a linear mix of an earlier input's ranks
};

struct RankIndex {
  double spearman = 0.0;
  double spearman_lower = 0.0, spearman_upper = 0.0;
  double prcc = 0.0;
  double prcc_lower = 0.0, prcc_upper = 0.0;
  // |PRCC| < 0.1, or its interval holds 0: too small to tell from noise.
  bool negligible = true;
  Excluded excluded = Excluded::no;
};

// Intervals come from a bootstrap over the rows used: each replicate resamples them with
// replacement and recomputes every index on the resample's own ranks (ties averaged); the
// interval is the replicates' nearest-rank 2.5th and 97.5th percentile on the atanh scale.
// The rows are taken as independent draws. A constant input's interval is [0, 0], a
// collinear input's PRCC interval [-1, 1], and an output that does not vary has every
// index and interval 0.
struct RankSensitivity {
  std::size_t rows = 0;           // n: the rows used
  std::size_t rows_left_out = 0;  // rows with a NaN input or output
  std::size_t partialled = 0;     // k of a PRCC: the inputs kept, less the one correlated
  bool output_varies = false;     // false: every index is 0, negligible
  std::vector<RankIndex> inputs;  // in column order
};

struct RankBootstrap {
  std::uint64_t seed = 1;         // replicate r resamples rows with Philox(seed, r)
  std::size_t replicates = 1000;  // 0: no intervals (they are the estimates)
};

// Spearman and PRCC of the inputs `columns` of `sample` (every column when empty), in
// that order, against `output`, one value per row of the sample. Rows with a NaN output
// or a NaN in a column used are left out, and the ranks are those among the rows used,
// ties averaged. A PRCC partials out the ranks of every other input kept, through the
// inverse of the rank correlation matrix; where the output's ranks are a linear mix of
// the inputs' ranks, a PRCC takes its limit, the sign of that input's share (0 for an
// input with none). The rank sums are exact below 300,000 rows. Throws
// std::length_error at 2^23 rows used or more (ranks are kept as floats).
//
// Costs: beyond the sample's one sort per column, a sort of the output, a pass per
// column used, and the (k + 1)^2 rank products of every row used; each bootstrap replicate
// as much again, without the sorts.
RankSensitivity compute_rank_sensitivity(const RankedInputs& sample,
                                         const std::vector<std::size_t>& columns,
                                         const float* output, const RankBootstrap& bootstrap = {});

// The same for one output: `inputs` holds n rows of k values, row i at inputs + i * k.
RankSensitivity compute_rank_sensitivity(const float* inputs, std::size_t n, std::size_t k,
                                         const float* output, const RankBootstrap& bootstrap = {});

}  // namespace vorn::numerics
