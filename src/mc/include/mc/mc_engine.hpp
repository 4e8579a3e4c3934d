// Realizations first..last of a probabilistic run on several threads. The tally is the
// same, bit for bit, whatever the number of threads.
#pragma once

#include <cstdint>
#include <functional>

#include "mc/realization.hpp"

namespace vorn::mc {

// Called for every realization r on the thread that evaluated it, right after it: the
// evaluator holds its values and evaluations.
using RealizationObserver = std::function<void(std::uint64_t r, const RealizationEvaluator&)>;

// `progress` (may be empty) is called now and then from one thread with the count done.
// A realization that throws (an observer's error, a bucket past 2^32 - 1 values) ends the
// run: throws the UnitFailure "realization R: ..." of the lowest one, whatever the threads.
McTally run_realizations(const McInput& input, const scenario::SamplingPlan& plan,
                         std::uint64_t first, std::uint64_t last, unsigned threads,
                         const std::function<void(std::uint64_t)>& progress = {},
                         const RealizationObserver& observe = {});

}  // namespace vorn::mc
