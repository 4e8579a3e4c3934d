// A nested run's outer draws (all, or one shard's), after the set-up.
#pragma once

#include "nested/nested_part.hpp"
#include "run_setup.hpp"

namespace vorn::mc_run {

// Throws McUsageError when the samples file would pass its limit unforced.
nested::NestedPart run_nested(const Setup& setup, const McRequest& request);

}  // namespace vorn::mc_run
