// The VORN.IN of one realization, for auditing it with an ordinary run.
#pragma once

#include <cstdint>
#include <string>

#include "mc/realization.hpp"

namespace vorn::mc {

// Draws realization r and writes the records with its values, numbers in shortest
// round-trip form. A DAF factor cannot be written as such: it is written into what it
// multiplies, the unit type's carcinogenic and non-carcinogenic DAFs of the chemical's
// rows, or its own DAF where it has none. An ordinary run on the text gives the
// realization's values bit for bit. Throws std::invalid_argument when the realization's
// values cannot be written so (a DAF factor that is not positive, a text the reader would
// not give back).
std::string realization_input(const McInput& input, RealizationEvaluator& evaluator,
                              std::uint64_t r);

}  // namespace vorn::mc
