// Numbers for SVG and HTML pages: coordinates, exact values and the report's field.
#pragma once

#include <string>

namespace vorn {

// A coordinate with at most two decimals ("12.5", "380").
std::string svg_coord(double value);
// The shortest text that reads back as the same double ("7.2309e-05", "NaN", "Infinity").
std::string exact_number(double value);
// The report's three-significant-digit field without its padding ("0.723E-04").
std::string report_number(double value);

}  // namespace vorn
