// The counts of a part's state checked against each other and against the realizations of
// its shards. A part comes from another machine: a count that cannot be (more exceedances
// than completed realizations, a quantity counted more often than its chemical completed, a
// block of realizations outside the shards) would merge into a wrong number or index past
// a list, so the reader refuses it.
#pragma once

#include <string>
#include <vector>

#include "mc/mc_tally.hpp"
#include "mc/part_header.hpp"

namespace vorn::mc {

// Throws PartError "<where>state.<field>: ..." at the first count that breaks a rule:
// - completed + failures + unit failures = realizations, for each chemical;
// - exceeded, gw_exceeded and sf_exceeded <= completed, and exceeded between the larger of
//   the two and their sum; the limiting pathways' counts sum to completed;
// - count + NaN + infinities = completed for each quantity of a chemical, = all_completed
//   for the stream's, and above <= count + infinities;
// - a decision block for each power-of-two block the shards reach and none besides, with
//   one entry per chemical, completed within the block's realizations, exceeded <=
//   completed, and sketches holding completed values; the blocks sum to the chemical's.
void check_tally(const McTally& tally, const std::vector<ShardRange>& shards,
                 const std::string& where);

}  // namespace vorn::mc
