// Numbers for SVG and HTML pages: coordinates (exact values are exact_number()).
#pragma once

#include <string>

#include "core/number_text.hpp"

namespace vorn {

// A coordinate with at most two decimals ("12.5", "380").
std::string svg_coord(double value);

}  // namespace vorn
