// What a probabilistic run sets up before its first realization, and a range of
// realizations run with the rows of a samples file written in order; shared by the
// one-dimensional and the nested run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "mc/mc_engine.hpp"
#include "mc/realization.hpp"
#include "mc_run/mc_run.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc_run {

// Realizations whose sample rows are held at a time, to write them in order.
inline constexpr std::uint64_t kSampleBatch = 4096;

struct Setup {
  Outcome baseline;  // the deterministic run
  scenario::ResolvedScenario resolved;
  mc::McInput input;
  scenario::SamplingPlan plan;
};

// Reads the scenario, applies the overrides and makes the deterministic run; the rest is
// set only when that run completed. Throws ScenarioError.
Setup set_up(const McRequest& request);

// What a run's units are, for messages: "10000 realizations" for the whole run,
// "realizations 1..5000 of 10000" for a shard (`count` shards of `units` in all).
std::string units_of(const mc::ShardRange& range, std::uint64_t count, std::uint64_t units,
                     const char* word);

// Realizations first..last of `plan`, each also shown to `keep` (may be empty); with a samples
// sink, in batches whose rows are written in order, realization r numbered `number_offset` + r.
mc::McTally run_range(const mc::McInput& input, const scenario::SamplingPlan& plan,
                      const McRequest& request, std::uint64_t first, std::uint64_t last,
                      unsigned threads, std::uint64_t number_offset,
                      const std::function<void(std::uint64_t)>& progress,
                      const mc::RealizationObserver& keep = {});

}  // namespace vorn::mc_run
