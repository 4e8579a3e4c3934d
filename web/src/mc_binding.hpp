// Probabilistic runs for the engine module: a scenario's plan, one shard of its realizations
// (or of its Sobol design) as a part, and the documents of the parts merged.
#pragma once

#include <string>

#include "binding_values.hpp"

namespace vorn::web {

// mcPlan(scenario, options) -> {ok, problems, nested, targetPrecision, realizations,
// outer, inner, shardable, correlated}: what the page needs to split a run, from the
// scenario as read with the options applied. `options`: {realizations, outer, inner, seed}
// (each may be absent), as `vorn mc` takes them.
val mc_plan(const std::string& scenario, const val& options);

// mcShard(scenario, input, options, index, count, progress) -> {status, exitStatus, message,
// part}: shard `index` of `count` (count 1: the whole run) as the part `vorn mc --shard
// index/count --part` writes; with options.sobol (base rows), the shard of the Sobol design.
// `progress(done, total)` is called now and then. status is the deterministic run's when it
// did not complete, "error" with the message for a scenario the run refuses.
val mc_shard(const std::string& scenario, const val& input, const val& options, unsigned index,
             unsigned count, const val& progress);

// mcDocuments(parts, date) -> {ok, message, kind, json, csv, html}: the parts merged as
// `vorn mc-merge` merges them, and their documents; the page stamped with `date`.
val mc_documents(const val& parts, const std::string& date);

}  // namespace vorn::web
