// Outer draws first..last of a nested run, each reduced to its record as soon as its inner
// realizations are done: memory grows with the outer draws, not with V. The records do not
// depend on the threads, nor on how they are shared between outer draws and inner
// realizations.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "mc/realization.hpp"
#include "nested/outer_record.hpp"

namespace vorn::nested {

// Runs outer draw u's inner realizations 1..V with `inner`, on `threads` threads.
using InnerRun = std::function<mc::McTally(std::uint64_t u, const scenario::SamplingPlan& inner,
                                           unsigned threads)>;

// `plan` is the run's plan over V realizations. Without `inner_run` the inner realizations
// go through the engine, and outer draws run side by side when there are threads enough;
// with it the outer draws run one after the other, in order, each on every thread.
// `progress` (may be empty) is called now and then from one thread with the realizations
// done. A draw that fails ends the run: throws the mc::UnitFailure "outer draw U: ..." of the
// lowest one, whatever the threads.
std::vector<OuterRecord> run_outer_draws(const mc::McInput& input,
                                         const scenario::SamplingPlan& plan,
                                         const NestedDesign& design, std::uint64_t first,
                                         std::uint64_t last, unsigned threads,
                                         const std::function<void(std::uint64_t)>& progress = {},
                                         const InnerRun& inner_run = {});

}  // namespace vorn::nested
