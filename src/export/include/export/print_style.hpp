// How every page prints: the rules they share, and the running header and footer each
// printed sheet repeats.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// No paper size is set: the printer's, or --paper's, holds. Every block fits the narrower
// A4 sheet and the shorter Letter sheet; chart blocks, table rows and the provenance block
// are never split, table headers repeat, three chemicals' chart blocks fit an A4 sheet and two
// a Letter sheet; folded blocks print open; colours stay apart in grey and keep their marks.
std::string_view print_style();

// What every printed sheet repeats (UTF-8, any text; the style escapes it): `header` at the
// left of the top margin, `footer` at the left of the bottom margin and "Page x of y" at its
// right.
struct RunningTexts {
  std::string header;
  std::string footer;
};
std::string running_style(const RunningTexts& texts);

// The footer of a run's sheets: "vorn <version> · run <identity>".
std::string running_footer(const std::string& identity);

// "<name> — <verdict>", the name cut to a length a margin holds.
std::string running_header(std::string_view name, std::string_view verdict);

}  // namespace vorn
