#include "export/page_parts.hpp"

#include "export/print_style.hpp"
#include "export/provenance.hpp"
#include "export/readable_number.hpp"
#include "vorn/records.hpp"
#include "vorn/version.hpp"

namespace vorn {
namespace {

constexpr const char* kStyle = R"css(
:root { color: #1a1a1a; background: #fff; }
body { font: 14px/1.45 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; max-width: 720px;
       margin: 1.5em auto; padding: 0 1em; }
h1 { font-size: 1.45em; margin: 0 0 .3em; }
h2 { font-size: 1.2em; border-bottom: 1px solid #bbb; margin: 1.6em 0 .5em; }
h3 { font-size: 1.05em; margin: 1.1em 0 .3em; }
h4 { font-size: .92em; margin: .7em 0 .1em; font-weight: normal; }
p { margin: .4em 0; }
table { border-collapse: collapse; width: 100%; font-size: 11.5px; }
th, td { border: 1px solid #bbb; padding: 2px 5px; text-align: left; vertical-align: top; }
thead th { background: #f0f0f0; }
table.facts { width: auto; font-size: 13px; }
table.facts th { background: none; font-weight: normal; color: #444; }
td.num, td.limit { text-align: right; }
td.num, .limit .value { white-space: nowrap; font-variant-numeric: tabular-nums; }
.via { font-size: .92em; }
.cas, .code { color: #555; font-size: .88em; }
.code { font-family: "DejaVu Sans Mono", "Liberation Mono", monospace; }
.verdict { white-space: nowrap; }
.exceeded { background: #fbe0cf; color: #8a3000; font-weight: bold; }
.ok { color: #00614a; }
.outcome { font-size: 1.05em; padding: .3em .6em; border: 1px solid #bbb; display: inline-block; }
.outcome.failed { border-color: #8a3000; }
svg { max-width: 100%; height: auto; display: block; }
svg text { font-size: 11px; fill: #1a1a1a; }
.row-label { text-anchor: end; }
.tick-label, .axis-label, .target-label { text-anchor: middle; }
.axis-label, .target-label { font-size: 10px; }
.axis-label { fill: #444; }
.grid { stroke: #e2e2e2; }
.tick, .baseline { stroke: #555; }
.bar { fill: #0072b2; }
.bar.over { fill: #d55e00; }
.value.over { font-weight: bold; fill: #8a3000; }
.target-line { stroke: #000; stroke-width: 1.5; stroke-dasharray: 4 3; }
.na { fill: #6b6b6b; font-style: italic; }
.not-drawn { fill: #8a3000; font-style: italic; }
.group-rule { stroke: #bbb; stroke-dasharray: 2 2; }
details.chemical { border: 1px solid #ccc; margin: .6em 0; padding: .2em .7em .5em; }
details.chemical summary { cursor: pointer; font-weight: bold; padding: .2em 0; }
.badge { font-size: .85em; padding: 0 .4em; margin-left: .4em; }
pre { background: #f5f5f5; padding: .5em; white-space: pre-wrap; }
footer { margin-top: 2em; color: #666; font-size: .85em; }
)css";

}  // namespace

std::string page_head(const std::string& title, const std::string& extra_style,
                      const RunningTexts& running) {
  return "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
         "<meta charset=\"utf-8\"/>\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>" +
         title + "</title>\n<style>" + kStyle + kProvenanceStyle + extra_style +
         std::string(print_style()) + running_style(running) + "</style>\n</head>\n<body>\n";
}

std::string page_foot(const std::string& note) {
  return std::string("<footer>Written by vorn ") + kVersion + ". " + note +
         "</footer>\n</body>\n</html>\n";
}

std::string verdict_cell(bool exceeded, const std::string& within) {
  return exceeded ? "<td class=\"verdict exceeded\">&#10006; EXCEEDED</td>"
                  : "<td class=\"verdict ok\">&#10003; " + within + "</td>";
}

std::string allowable_text(double allowable, double tolerance) {
  if (allowable >= NOT_COMPUTED * (1 - tolerance)) return "no limit";
  return readable_number(allowable);
}

}  // namespace vorn
