// Numbers for SVG and HTML pages: coordinates and exact values.
#pragma once

#include <string>

namespace vorn {

// A coordinate with at most two decimals ("12.5", "380").
std::string svg_coord(double value);
// The shortest text that reads back as the same double ("7.2309e-05", "NaN", "Infinity").
std::string exact_number(double value);

}  // namespace vorn
