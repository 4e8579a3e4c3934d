// What a probabilistic run keeps of its realizations: per chemical the statistics of its
// decision quantities, its failures, exceedances and limiting pathways; the stream totals;
// and, per block of realizations between powers of two, the decision items the
// convergence table needs. Every part merges exactly, so threads and shards cannot change
// a bit.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <nlohmann/json_fwd.hpp>
#include <vector>

#include "core/failure.hpp"
#include "mc/decision_quantities.hpp"
#include "numerics/quantity_stats.hpp"
#include "vorn/records.hpp"

namespace vorn::mc {

inline constexpr std::size_t kFailureKinds =
    static_cast<std::size_t>(FailureKind::backward_interpolation) + 1;
using FailureCounts = std::array<std::uint64_t, kFailureKinds>;

struct ChemicalTally {
  std::array<numerics::QuantityStats, kChemicalQuantities> quantities;
  std::uint64_t completed = 0;
  FailureCounts failures{};
  std::uint64_t gw_exceeded = 0, sf_exceeded = 0, exceeded = 0;
  std::array<std::uint64_t, kPathways> gw_limit{}, sf_limit{};
  void merge(const ChemicalTally& other);
  bool operator==(const ChemicalTally&) const = default;
};

// Realizations 2^(k-1)+1 .. 2^k of block k (block 0: realization 1).
struct DecisionBlock {
  std::vector<numerics::QuantileSketch> tclpmax, sfmax;  // per chemical
  std::vector<std::uint64_t> completed, exceeded;
  void merge(const DecisionBlock& other);
  bool operator==(const DecisionBlock&) const = default;
};
int block_of(std::uint64_t realization);

struct McTally {
  std::uint64_t realizations = 0;  // evaluated
  std::uint64_t unit_failed = 0;
  FailureCounts unit_failures{};
  std::uint64_t all_completed = 0;  // realizations in which every chemical completed
  std::vector<ChemicalTally> chemicals;
  numerics::QuantityStats stream_risk, stream_hazard;
  std::map<int, DecisionBlock> blocks;

  explicit McTally(std::size_t chemical_count = 0) : chemicals(chemical_count) {}
  DecisionBlock& block(int k);
  void merge(const McTally& other);
  // What the tally holds in memory, its sketches' pages included.
  std::size_t memory_bytes() const;
  void to_json(nlohmann::ordered_json& out) const;
  static McTally from_json(const nlohmann::ordered_json& in);
  bool operator==(const McTally&) const = default;
};

}  // namespace vorn::mc
