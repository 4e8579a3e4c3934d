// The scenario editor's preview of a distribution: its percentiles and its density, from the
// engine's own reading of the parameters and its own distribution.
#pragma once

#include <string>

#include "binding_values.hpp"

namespace vorn::web {

// distributionPreview(dist, bins) -> {ok, problems, family, mean, sd, logScale,
// percentiles: [{p, x}], bins: [{from, to, density}]}: `dist` is the inline table a [[vary]]
// entry gives (`{ type = "lognormal", gm = 1.0, gsd = 1.8 }`), read as a scenario file reads
// it; problems are the reader's. The bins cover the central 99.8 % (the whole support where
// it is bounded), geometrically spaced on a logarithmic scale when the support is positive
// and spans more than two powers of ten; a discrete distribution gives one bin per value.
val distribution_preview(const std::string& dist, unsigned bins);

// distributionFamilies() -> [{name, keys}]: every family of the engine's family table, in
// its order, with the parameters it reads as scenario files name them.
val distribution_families();

}  // namespace vorn::web
