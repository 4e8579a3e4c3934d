// The parts every HTML page of a run shares: the style sheet, the head and the footer.
#pragma once

#include <string>

#include "export/print_style.hpp"

namespace vorn {

// From the doctype to the opening <body>: UTF-8, the shared style sheet followed by
// `extra_style`, then the print style with the `running` header and footer, and `title`
// (already HTML-safe).
std::string page_head(const std::string& title, const std::string& extra_style,
                      const RunningTexts& running);

// The footer naming the program and its version, then `note`, and the page's end.
std::string page_foot(const std::string& note);

// "✖ EXCEEDED" or "✓ " + `within` as a table cell: a word and a sign, not colour alone.
std::string verdict_cell(bool exceeded, const std::string& within = "within");

// An allowable concentration: "no limit" where it holds no computed limit (NOT_COMPUTED,
// 1e30, or within `tolerance` (relative) below it, for estimates of it), else its number.
std::string allowable_text(double allowable, double tolerance = 0);

}  // namespace vorn
