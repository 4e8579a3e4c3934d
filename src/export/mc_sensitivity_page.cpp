#include "export/mc_sensitivity_page.hpp"

#include "export/html_text.hpp"
#include "export/tornado_chart.hpp"

namespace vorn {

// Okabe-Ito blue and vermilion: apart for every common kind of colour blindness; the side
// of the axis tells the sign as well.
const char* const kTornadoStyle = R"css(
.tornado-bar.positive { fill: #0072b2; }
.tornado-bar.negative { fill: #d55e00; }
.tornado-bar.negligible { fill: #c8c8c8; }
.tornado .whisker { stroke: #1a1a1a; stroke-width: 1.2; fill: none; }
.tornado .grid { stroke: #e0e0e0; }
.tornado .zero { stroke: #1a1a1a; }
.tornado .value.negligible, .tornado .tick { fill: #555; }
)css";

namespace {

std::string chart_or_note(const mc::McSensitivity& s, const mc::RankedOutput& output,
                          const std::string& what) {
  const std::string chart = tornado_chart(s, output, what);
  if (!chart.empty() && output.ranks.output_varies) return chart;
  if (output.inputs.empty()) return "<p class=\"split\">No sampled input reaches it.</p>\n";
  return "<p class=\"split\">Constant over the " + std::to_string(output.ranks.rows) +
         " rows used: nothing to rank.</p>\n";
}

}  // namespace

std::string sensitivity_section(const mc::McSummary& m, const mc::McSensitivity& s, bool open) {
  std::string text =
      "<section id=\"sensitivity\">\n<h2>Which inputs matter</h2>\n<p>For each chemical, the "
      "inputs that can move it (its own, the unit's and those shared by every chemical) ranked "
      "by their partial rank correlation (PRCC) with its limiting quantity, the larger of its "
      "two ratios of waste to allowable concentration; the ten strongest are drawn. A bar to the "
      "right means a larger input gives a larger ratio. The whiskers are 95 % intervals "
      "(a bootstrap over the rows, taken as independent); an input is negligible, and grey, when "
      "|PRCC| &lt; 0.1 or its interval "
      "holds 0. Ranked from realizations 1.." +
      std::to_string(s.rows) + ", stored as 32-bit floats for this alone (" +
      std::to_string(s.bytes()) +
      " bytes, outside the statistics' memory bound); rows in which the output failed are left "
      "out.</p>\n";
  std::string unstratified;
  for (const mc::RunInput& input : s.inputs)
    if (input.unstratified && !input.repeats)
      unstratified += (unstratified.empty() ? "" : ", ") + html_text(input.label);
  if (!unstratified.empty())
    text +=
        "<p class=\"note\">Correlated through a Gaussian copula, these inputs lose their "
        "LHS strata: " +
        unstratified + ".</p>\n";
  text += tornado_legend();
  for (std::size_t i = 0; i < m.chemicals.size() && i < s.chemicals.size(); ++i) {
    const mc::ChemicalSummary& c = m.chemicals[i];
    const std::string name = html_text(c.name);
    text += "<details class=\"chemical\" id=\"sensitivity-" + std::to_string(c.index) + "\"" +
            (open ? " open=\"open\"" : "") + ">\n<summary>" + name + " <span class=\"cas\">" +
            html_text(c.cas) + "</span></summary>\n" +
            chart_or_note(s, s.chemicals[i], "the limiting ratio of " + name) + "</details>\n";
  }
  text += "<h4>Stream cancer risk <span class=\"code\">RI_TOT</span></h4>\n" +
          chart_or_note(s, s.stream_risk, "the stream cancer risk") +
          "<h4>Stream hazard index <span class=\"code\">HI_TOT</span></h4>\n" +
          chart_or_note(s, s.stream_hazard, "the stream hazard index");
  return text + "</section>\n";
}

}  // namespace vorn
