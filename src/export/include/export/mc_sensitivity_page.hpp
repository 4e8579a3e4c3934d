// The section of the Monte Carlo page that says which inputs matter: per chemical a tornado
// of the inputs that move its limiting quantity most, the same for the stream totals, and
// how the rows ranked were kept.
#pragma once

#include <string>

#include "mc/mc_summary.hpp"
#include "mc/run_sensitivity.hpp"

namespace vorn {

// The style of the tornado charts, for the page's head.
extern const char* const kTornadoStyle;

// `open`: the chemicals' charts start unfolded.
std::string sensitivity_section(const mc::McSummary& m, const mc::McSensitivity& s, bool open);

}  // namespace vorn
