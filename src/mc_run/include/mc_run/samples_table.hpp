// The samples file of a probabilistic run (CSV, RFC 4180): one row per realization with
// its number, every sampled input and every decision quantity, at full precision, so that
// any realization can be checked against an ordinary run on its own VORN.IN.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mc/realization.hpp"

namespace vorn::mc_run {

class SamplesTable {
 public:
  SamplesTable(const scenario::SamplingPlan& plan, const std::vector<Chemical>& chemicals);
  // "realization", the inputs' labels, then "<QUANTITY> of <chemical> (<index>)" for
  // every chemical and the stream totals "RI_TOT of the stream", "HI_TOT of the stream".
  const std::string& header() const { return header_; }
  // The realization the evaluator evaluated last. A chemical that failed, and every
  // chemical of a unit that failed, has empty cells; so have the stream totals then.
  std::string row(std::uint64_t r, const mc::RealizationEvaluator& evaluator) const;

 private:
  std::string header_;
  std::size_t chemicals_ = 0;
};

}  // namespace vorn::mc_run
