#include "vorn/results_html.hpp"

#include <cstddef>

#include "chemicals/run_sources.hpp"
#include "core/text.hpp"
#include "export/html_text.hpp"
#include "export/log_bar_chart.hpp"
#include "export/page_parts.hpp"
#include "export/page_text.hpp"
#include "export/provenance.hpp"
#include "export/readable_number.hpp"
#include "export/share_chart.hpp"
#include "export/sources_sections.hpp"
#include "vorn/pathways.hpp"
#include "vorn/records.hpp"
#include "vorn/stream_verdict.hpp"

namespace vorn {
namespace {

// Beyond this many chemicals the per-chemical charts start folded.
constexpr std::size_t kOpenChartsUpTo = 20;

std::string name_of(const Chemical& c) {
  return std::string(trim_blanks(c.CHEMNAME));
}
std::string cas_of(const Chemical& c) {
  return std::string(trim_blanks(c.CHEMCAS));
}

std::string unit_type(const WasteUnit& u) {
  if (u.is_landfill()) return "Landfill (LF)";
  if (u.is_impoundment()) return "Surface impoundment (SI)";
  return html_text(u.WU_WMUTYPE);
}

std::string volume_unit(int unit) {
  switch (unit) {
    case 0:
      return "cubic yards";
    case 1:
      return "cubic feet";
    case 2:
      return "cubic metres";
    default:
      return "(unit " + std::to_string(unit) + ")";
  }
}

std::string fact(const std::string& label, const std::string& value) {
  return "<tr><th scope=\"row\">" + label + "</th><td>" + value + "</td></tr>\n";
}

std::string unit_section(const Results& r) {
  const WasteUnit& u = r.unit;
  return "<section id=\"unit\">\n<h2>Waste management unit</h2>\n<table "
         "class=\"facts\">\n<tbody>\n" +
         fact("Site key", std::to_string(u.WU_SITEKEY)) + fact("Unit type", unit_type(u)) +
         fact("Waste volume",
              readable_number(u.WU_WASTEVOL) + " " + volume_unit(u.WU_VOLUNIT) + " per year") +
         fact("Active life", readable_number(u.WU_ACTLIFE) + " years") +
         fact("Target cancer risk", readable_number(u.WU_RISKFACT)) +
         fact("Target hazard quotient", readable_number(u.WU_HQFACT)) +
         fact("DAF scale factor", readable_number(r.DAF_SCALE)) +
         fact("Chemicals", std::to_string(r.chemicals.size())) + "</tbody>\n</table>\n</section>\n";
}

// An allowable concentration with the pathway that sets it.
std::string limit_cell(double allowable, const char* readable, const char* code) {
  std::string s =
      "<td class=\"limit\"><span class=\"value\">" + allowable_text(allowable) + "</span>";
  if (allowable < NOT_COMPUTED)
    s += std::string("<br/><span class=\"via\">") + readable + " <span class=\"code\">" + code +
         "</span></span>";
  return s + "</td>";
}

std::string verdict_section(const Results& r) {
  const bool landfill = r.unit.is_landfill();
  std::size_t gw = 0, sf = 0;
  for (const ChemicalReport& w : r.report) {
    gw += w.GW_EXCEEDED;
    sf += w.SF_EXCEEDED;
  }
  const std::size_t any = stream_verdict(r).exceeding;
  std::string s = "<section id=\"verdict\">\n<h2>Verdict</h2>\n<p class=\"summary\">";
  if (any == 0)
    s += "<span class=\"ok\">&#10003; No chemical exceeds a limit.</span>";
  else
    s += "<span class=\"exceeded\">&#10006; " + std::to_string(any) + " of " +
         std::to_string(r.chemicals.size()) +
         " chemicals exceed a limit</span> (groundwater: " + std::to_string(gw) +
         ", surface: " + std::to_string(sf) + ").";
  s += "</p>\n<p>Groundwater compares the TCLP concentration with the maximum allowable TCLP "
       "concentration; surface compares the ";
  s += landfill ? "total concentration" : "TCLP concentration";
  s += " with the maximum allowable concentration of the surface pathways. The limiting pathway "
       "of each is named below its value.</p>\n";
  const std::string sf_unit = landfill ? "mg/kg" : "mg/L";
  s += "<table class=\"verdicts\">\n<thead>\n<tr><th rowspan=\"2\">Chemical</th>"
       "<th rowspan=\"2\">TCLP (mg/L)</th><th rowspan=\"2\">Total (mg/kg)</th>"
       "<th colspan=\"2\">Groundwater</th><th colspan=\"2\">Surface</th></tr>\n"
       "<tr><th>Max. allowable TCLP (mg/L)</th><th>Verdict</th><th>Max. allowable " +
       std::string(landfill ? "total" : "TCLP") + " (" + sf_unit +
       ")</th><th>Verdict</th></tr>\n</thead>\n<tbody>\n";
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    const Chemical& c = r.chemicals[i];
    const ChemicalReport& w = r.report[i];
    const auto sk = static_cast<std::size_t>(w.SF_LIMIT - 1);
    s += std::string("<tr") + (w.GW_EXCEEDED || w.SF_EXCEEDED ? " class=\"exceeds\"" : "") +
         "><td>" + html_text(name_of(c)) + "<br/><span class=\"cas\">" + html_text(cas_of(c)) +
         "</span></td><td class=\"num\">" + readable_number(c.TCLPCONC) +
         "</td><td class=\"num\">" + readable_number(c.TOTC) + "</td>" +
         limit_cell(w.TCLPMAX, groundwater_limit(w.GW_LIMIT).words, gw_pathname(w.GW_LIMIT)) +
         verdict_cell(w.GW_EXCEEDED) +
         limit_cell(w.SF_ALLOW[sk], surface_limit(w.SF_LIMIT).words, sf_pathname(w.SF_LIMIT)) +
         verdict_cell(w.SF_EXCEEDED) + "</tr>\n";
  }
  return s + "</tbody>\n</table>\n</section>\n";
}

// A stream total against its target.
std::string total_fact(const char* label, double total, double target, bool above) {
  return fact(label, readable_number(total) +
                         (above ? ", &#9650; above the target of " : ", not above the target of ") +
                         readable_number(target));
}

std::string stream_section(const Results& r) {
  const StreamVerdict v = stream_verdict(r);
  return "<section id=\"stream\">\n<h2>Stream totals</h2>\n<p>The verdict is per chemical: "
         "the stream exceeds its limits when any chemical's waste concentration exceeds one of "
         "its limits. The stream's total cancer risk and hazard index, its chemicals' surface "
         "and groundwater sums added up, stand here against the unit's targets; they do not "
         "enter the verdict.</p>\n<table class=\"facts\">\n<tbody>\n" +
         total_fact("Stream cancer risk", v.RI_TOT, v.target_risk, v.risk_above_target()) +
         total_fact("Stream hazard index", v.HI_TOT, v.target_hazard, v.hazard_above_target()) +
         "</tbody>\n</table>\n</section>\n";
}

std::string drivers_section(const Results& r) {
  ShareChart risk{"risk", "cancer risk", r.totals.RI_TOT(), {}};
  ShareChart hazard{"hazard", "hazard index", r.totals.HI_TOT(), {}};
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    const ChemicalReport& w = r.report[i];
    risk.items.push_back({name_of(r.chemicals[i]), w.RI_SF + w.RI_GW});
    hazard.items.push_back({name_of(r.chemicals[i]), w.HI_SF + w.HI_GW});
  }
  return "<section id=\"drivers\">\n<h2>Risk drivers</h2>\n<p>Each chemical's share of the "
         "stream's total cancer risk and hazard index: its surface and groundwater sums (of the "
         "adult and child dermal pathways only the larger counts), over all chemicals, detected "
         "or not.</p>\n<h3>Cancer risk</h3>\n" +
         share_chart(risk) + "<h3>Hazard index</h3>\n" + share_chart(hazard) + "</section>\n";
}

std::string legend() {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"legend\" viewBox=\"0 0 680 22\" "
         "width=\"680\" height=\"22\" role=\"img\" aria-label=\"Legend\">"
         "<rect class=\"bar\" x=\"0\" y=\"6\" width=\"22\" height=\"11\"/>"
         "<text x=\"28\" y=\"15\">value of the pathway</text>"
         "<rect class=\"bar over\" x=\"160\" y=\"6\" width=\"22\" height=\"11\"/>"
         "<text x=\"188\" y=\"15\">above the target &#9650;</text>"
         "<line class=\"target-line\" x1=\"340\" x2=\"340\" y1=\"2\" y2=\"20\"/>"
         "<text x=\"348\" y=\"15\">target</text>"
         "<text class=\"na\" x=\"410\" y=\"15\">not applicable: the value is 0</text></svg>\n";
}

LogChart pathway_chart(const Results& r, std::size_t i, bool risk) {
  LogChart chart;
  chart.css_class = risk ? "risk" : "hazard";
  chart.axis_label =
      risk ? "Cancer risk (probability, log scale)" : "Hazard quotient (dimensionless, log scale)";
  chart.target_name = risk ? "target risk" : "target HQ";
  chart.target = risk ? r.unit.WU_RISKFACT : r.unit.WU_HQFACT;
  chart.group_break = kSurfacePathwayCount;
  for (const Pathway& p : kPathwayTable)
    chart.bars.push_back(
        {p.label, risk ? p.risk_slot : p.hq_slot, r.results[i].*(risk ? p.risk : p.hq)});
  return chart;
}

std::string chemicals_section(const Results& r) {
  const bool open = r.chemicals.size() <= kOpenChartsUpTo;
  std::string s =
      "<section id=\"chemicals\">\n<h2>Pathways per chemical</h2>\n<p>The cancer risk and the "
      "hazard quotient of each of the nine pathways on a logarithmic axis; every bar shows its "
      "exact value on hover. Surface pathways come first, then groundwater (GW).";
  if (!open) s += " Open a chemical to see its charts.";
  s += "</p>\n" + legend();
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    const Chemical& c = r.chemicals[i];
    const ChemicalReport& w = r.report[i];
    s += "<details class=\"chemical\" id=\"chemical-" + std::to_string(i + 1) + "\"" +
         (open ? " open=\"open\"" : "") + ">\n<summary>" + html_text(name_of(c)) +
         " <span class=\"cas\">" + html_text(cas_of(c)) + "</span>";
    if (w.GW_EXCEEDED) s += "<span class=\"badge exceeded\">&#10006; groundwater exceeded</span>";
    if (w.SF_EXCEEDED) s += "<span class=\"badge exceeded\">&#10006; surface exceeded</span>";
    s += "</summary>\n<h4>Cancer risk by pathway</h4>\n" +
         log_bar_chart(pathway_chart(r, i, true)) + "<h4>Hazard quotient by pathway</h4>\n" +
         log_bar_chart(pathway_chart(r, i, false)) + "</details>\n";
  }
  return s + "</section>\n";
}

// The sources of the chemicals' values, when the run read a sources.csv.
Provenance provenance_of(const PageStamp& stamp, const chemicals::RunSources* sources) {
  Provenance p;
  if (!stamp.name.empty()) p.facts.emplace_back("Stream", page_text(stamp.name));
  if (sources != nullptr) p.facts.emplace_back("Chemical data", chemical_data_fact(*sources));
  p.inputs.push_back({"VORN.IN", "VORN.IN (SHA-256)", stamp.input_sha256});
  if (sources != nullptr) {
    std::optional<std::string> digest;
    if (!sources->sha256.empty()) digest = sources->sha256;
    p.inputs.push_back({"sources.csv", "sources.csv (SHA-256)", digest});
  }
  p.date = stamp.date;
  return p;
}

RunningTexts running_texts(const PageStamp& stamp, const Provenance& p,
                           const std::string& verdict) {
  return {running_header(stamp.name, verdict), running_footer(p.identity())};
}

// The verdict in the running header: a sign and words, as the page's summary gives it.
std::string header_verdict(const Results& r) {
  const std::size_t any = stream_verdict(r).exceeding;
  if (any == 0) return "\xE2\x9C\x93 no chemical exceeds a limit";
  return "\xE2\x9C\x96 " + std::to_string(any) + " of " + std::to_string(r.chemicals.size()) +
         " chemicals exceed a limit";
}

// The run's warnings, one item each; nothing when it has none.
std::string warnings_section(const std::vector<std::string>& warnings) {
  if (warnings.empty()) return {};
  std::string s = "<h2>Warnings</h2>\n<ul class=\"warnings\">\n";
  for (const std::string& w : warnings) s += "<li>" + html_text(w) + "</li>\n";
  return s + "</ul>\n";
}

// The stream's totals follow the verdict; with usable sources, the values that differ from
// the tables and those still to supply follow them, and every value's source ends the page.
std::string completed_page(const Results& r, const std::vector<std::string>& warnings,
                           const PageStamp& stamp, const chemicals::RunSources* sources) {
  const std::string what = unit_type(r.unit) + ", " + std::to_string(r.chemicals.size()) +
                           (r.chemicals.size() == 1 ? " chemical" : " chemicals");
  const Provenance provenance = provenance_of(stamp, sources);
  const bool sourced = sources != nullptr && sources->usable();
  return page_head("vorn: " + what, sourced ? kSourcesStyle : "",
                   running_texts(stamp, provenance, header_verdict(r))) +
         "<h1>Waste-stream risk assessment</h1>\n<p>" + what +
         ". <span class=\"outcome\">&#10003; Run completed</span></p>\n" +
         provenance_section(provenance) + warnings_section(warnings) + unit_section(r) + verdict_section(r) + stream_section(r) +
         (sourced ? differing_values_section(*sources) + values_to_supply_section(*sources) : "") +
         drivers_section(r) + chemicals_section(r) +
         (sourced ? value_sources_section(*sources, kOpenChartsUpTo) : "") +
         page_foot("The full tables are in VORN.OUT.");
}

std::string unfinished_page(const Outcome& outcome, const PageStamp& stamp) {
  std::string title, explanation;
  switch (outcome.status) {
    case Status::input_missing:
      title = "Input missing";
      explanation = "VORN.IN cannot be opened; nothing was assessed.";
      break;
    case Status::stopped:
      title = "Run stopped";
      explanation = "A check on the input stopped the run before it completed.";
      if (!outcome.message_file.empty())
        explanation += " The message is at the end of " + html_text(outcome.message_file) + ".";
      break;
    case Status::fatal_input_error:
      title = "Fatal input error";
      explanation =
          "The input could not be read, or an output file could not be created; the run ended.";
      break;
    case Status::completed:
      title = "No results";
      explanation = "The run completed but handed back no results.";
      break;
  }
  const Provenance provenance = provenance_of(stamp, outcome.sources.get());
  std::string s =
      page_head("vorn: " + title, "", running_texts(stamp, provenance, "\xE2\x9C\x96 " + title)) +
      "<h1>Waste-stream risk assessment</h1>\n<p class=\"outcome failed\">"
      "<strong>&#10006; " +
      title + "</strong> (exit status " + std::to_string(outcome.exit_status()) + ")</p>\n<p>" +
      explanation + " There are no results to show.</p>\n" + provenance_section(provenance);
  if (!outcome.message.empty()) {
    s += "<h2>Message</h2>\n<pre class=\"message\">";
    for (std::size_t k = 0; k < outcome.message.size(); ++k) {
      if (k > 0) s += "\n";
      s += html_text(outcome.message[k]);
    }
    s += "</pre>\n";
  }
  if (!outcome.explanation.empty()) {
    s += "<h2>In plain words</h2>\n<p class=\"explanation\">";
    for (std::size_t k = 0; k < outcome.explanation.size(); ++k)
      s += (k > 0 ? "<br/>\n" : "") + html_text(outcome.explanation[k]);
    s += "</p>\n";
  }
  return s + warnings_section(outcome.warnings) + page_foot("The run did not complete.");
}

}  // namespace

std::string html_page(const Outcome& outcome, const PageStamp& stamp) {
  if (outcome.status == Status::completed && outcome.results)
    return completed_page(*outcome.results, outcome.warnings, stamp, outcome.sources.get());
  return unfinished_page(outcome, stamp);
}

}  // namespace vorn
