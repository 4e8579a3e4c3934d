#include "export/print_style.hpp"

#include "export/css_string.hpp"
#include "export/utf8_sequence.hpp"
#include "vorn/version.hpp"

namespace vorn {
namespace {

// A4 is the narrower sheet (210 mm against 215.9 mm), Letter the shorter (279.4 mm against
// 297 mm): with these margins a block is at most 184 mm wide and 248 mm high. Charts print at
// 60 % of that width, so a chemical's block (two pathway charts) is about 86 mm high.
constexpr std::string_view kPrintStyle = R"css(
@page { margin: 16mm 13mm 15mm; }
@media print {
  :root { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
  body { max-width: none; margin: 0; padding: 0; font-size: 11px; }
  h1 { font-size: 1.35em; }
  h2 { margin: 1em 0 .35em; }
  h2, h3, h4, summary { break-after: avoid; }
  table, table.facts, dl.provenance { font-size: 9.5px; }
  th, td { padding: 1px 3px; }
  .code { white-space: nowrap; }
  thead { display: table-header-group; }
  tr, svg, section.provenance, details.chemical { break-inside: avoid; }
  details::details-content { content-visibility: visible; }
  summary { list-style: none; }
  summary::-webkit-details-marker { display: none; }
  details.chemical { margin: .25em 0; padding: 0 .5em .2em; }
  details.chemical h4 { margin: .15em 0 0; font-size: 9px; }
  details.chemical svg, svg.shares { width: 60%; }
  details.chemical svg text, svg.shares text { font-size: 13px; }
  .bar, .tornado-bar.positive { fill: #56b4e9; }
  footer { margin-top: .8em; }
  a { color: inherit; }
}
)css";

// Margin boxes take the page's font only in part: each is given it.
constexpr std::string_view kMarginFont =
    "font: 8pt \"DejaVu Sans\", \"Liberation Sans\", Arial, sans-serif; color: #333;";

// Long enough for a path or a label; the rest of the margin holds the verdict.
constexpr std::size_t kNameCodePoints = 48;

}  // namespace

std::string_view print_style() {
  return kPrintStyle;
}

std::string running_style(const RunningTexts& texts) {
  const std::string font(kMarginFont);
  return "@page {\n  @top-left { content: " + css_string(texts.header) + "; " + font +
         " }\n  @bottom-left { content: " + css_string(texts.footer) + "; " + font +
         " }\n  @bottom-right { content: \"Page \" counter(page) \" of \" counter(pages); " + font +
         " }\n}\n";
}

std::string running_footer(const std::string& identity) {
  return std::string("vorn ") + kVersion + " \xC2\xB7 run " + identity;
}

std::string running_header(std::string_view name, std::string_view verdict) {
  std::size_t end = 0, code_points = 0;
  while (end < name.size() && code_points < kNameCodePoints) {
    const std::size_t n = utf8_sequence_length(name, end);
    end += n == 0 ? 1 : n;
    ++code_points;
  }
  std::string header(name.substr(0, end));
  if (end < name.size()) header += "\xE2\x80\xA6";
  if (!header.empty() && !verdict.empty()) header += " \xE2\x80\x94 ";
  return header + std::string(verdict);
}

}  // namespace vorn
