// Which inputs move an output most: one bar per input, its signed partial rank correlation
// (PRCC) on a -1..1 axis with its 95 % confidence interval as a whisker, the strongest on top.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "mc/run_sensitivity.hpp"

namespace vorn {

inline constexpr std::size_t kTornadoBars = 10;

// The inputs of `output` to draw: at most `most` of those ranked (not left out as constant
// or collinear), by |PRCC| descending, ties in input order. Positions into output.inputs.
std::vector<std::size_t> strongest_inputs(const mc::RankedOutput& output,
                                          std::size_t most = kTornadoBars);

// Inline SVG with a <title> on every bar and whisker; positive bars blue, negative orange
// (told apart by side as well as colour), negligible ones grey and labelled so. `what`
// names the output in the titles (already HTML-safe). "" when no input was ranked.
std::string tornado_chart(const mc::McSensitivity& s, const mc::RankedOutput& output,
                          const std::string& what);

// The legend of the tornado charts.
std::string tornado_legend();

}  // namespace vorn
