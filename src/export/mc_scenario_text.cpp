#include "export/mc_scenario_text.hpp"

#include <nlohmann/json.hpp>

#include "export/html_text.hpp"
#include "export/page_text.hpp"
#include "export/readable_number.hpp"

namespace vorn {
namespace {

using Json = nlohmann::ordered_json;

std::string text_of(const Json& j) {
  if (j.is_number()) return readable_number(j.get<double>());
  if (j.is_string()) return html_text(j.get<std::string>());
  if (j.is_array()) return std::to_string(j.size()) + " values";
  return html_text(j.dump());
}

// "lognormal (gm 1.00, gsd 1.80)".
std::string distribution_text(const Json& dist) {
  std::string s = dist.contains("type") ? html_text(dist.at("type").get<std::string>()) : "";
  std::string keys;
  for (const auto& [key, value] : dist.items()) {
    if (key == "type") continue;
    keys += (keys.empty() ? "" : ", ") + html_text(key) + " " + text_of(value);
  }
  return keys.empty() ? s : s + " (" + keys + ")";
}

std::string chemical_text(const Json& v, const mc::McSummary& summary) {
  if (!v.contains("chemical")) return "the waste unit";
  const Json& c = v.at("chemical");
  const std::string kind = c.value("kind", "");
  if (kind == "all") return "every chemical, one draw shared";
  if (kind == "each") return "every chemical, a draw each";
  if (kind == "index") {
    const auto index = c.at("index").get<std::size_t>();
    if (index >= 1 && index <= summary.chemicals.size()) {
      const mc::ChemicalSummary& chem = summary.chemicals[index - 1];
      return html_text(chem.name) + " <span class=\"cas\">" + html_text(chem.cas) + "</span>";
    }
    return "chemical " + std::to_string(index);
  }
  return html_text(c.dump());
}

// The cells of a [[vary]] entry: input, chemical, what the draw does, distribution.
std::string vary_cells(const Json& v, const mc::McSummary& summary) {
  const bool factor = v.value("mode", "value") == "factor";
  return "<td class=\"code\">" + html_text(v.value("field", "")) + "</td><td>" +
         chemical_text(v, summary) + "</td><td>" +
         (factor ? "multiplies the value read" : "replaces the value read") + "</td><td>" +
         distribution_text(v.value("dist", Json::object())) + "</td>";
}

std::string fact(const std::string& label, const std::string& value) {
  return "<tr><th scope=\"row\">" + label + "</th><td>" + value + "</td></tr>\n";
}

}  // namespace

std::string sampling_words(const std::string& sampling) {
  if (sampling == "lhs") return "Latin hypercube";
  if (sampling == "sobol") return "Sobol' points, digitally shifted";
  if (sampling == "random") return "independent random draws";
  return html_text(sampling);
}

std::string scenario_section(const std::string& scenario_json, const mc::McSummary& summary) {
  const Json sc = Json::parse(scenario_json);
  std::string s =
      "<section id=\"scenario\">\n<h2>Scenario</h2>\n<table class=\"facts\">\n<tbody>\n";
  if (sc.contains("sampling"))
    s += fact("Sampling", sampling_words(sc.at("sampling").get<std::string>()));
  if (sc.contains("seed")) s += fact("Seed", html_text(sc.at("seed").dump()));
  s += fact("Realizations", std::to_string(summary.realizations));
  if (sc.contains("input_sha256"))
    s += fact(
        "VORN.IN (SHA-256)",
        "<span class=\"code\">" + html_text(sc.at("input_sha256").get<std::string>()) + "</span>");
  s += "</tbody>\n</table>\n";
  const Json vary = sc.value("vary", Json::array());
  if (vary.empty()) return s + "<p>No input varies.</p>\n</section>\n";
  s += "<table class=\"vary\">\n<thead>\n<tr><th>Input</th><th>Of</th><th>Sampled value</th>"
       "<th>Distribution</th></tr>\n</thead>\n<tbody>\n";
  for (const Json& v : vary) s += "<tr>" + vary_cells(v, summary) + "</tr>\n";
  return s + "</tbody>\n</table>\n</section>\n";
}

std::string vary_notes_section(const std::string& scenario_json, const mc::McSummary& summary) {
  const Json vary = Json::parse(scenario_json).value("vary", Json::array());
  bool noted = false;
  for (const Json& v : vary) noted = noted || v.contains("note");
  if (!noted) return "";
  std::string s =
      "<section id=\"differing\">\n<h2>Values that differ from the tables</h2>\n<p>The inputs "
      "the scenario draws in place of the values read, with the note given for each.</p>\n"
      "<table class=\"vary\">\n<thead>\n<tr><th>Input</th><th>Of</th><th>Sampled value</th>"
      "<th>Distribution</th><th>Why</th></tr>\n</thead>\n<tbody>\n";
  for (const Json& v : vary)
    s += "<tr>" + vary_cells(v, summary) + "<td>" +
         (v.contains("note") ? page_text(v.at("note").get<std::string>())
                             : std::string("<em>no note given</em>")) +
         "</td></tr>\n";
  return s + "</tbody>\n</table>\n</section>\n";
}

}  // namespace vorn
