// The HTML page of a run: well-formed and self-contained, in agreement with the
// report's tables, charts whose geometry matches the values, safe with hostile
// names, and usable for runs that stopped or hold thousands of chemicals.
#include "vorn/results_html.hpp"

#include "limits/stream_totals.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

#include "export/page_checks.hpp"

namespace vorn::test {
namespace {

std::filesystem::path shipped_example(const std::string& name = "landfill") {
  return data_dir() / ".." / ".." / "examples" / name;
}

// The landfill reference run, whose values the hand counts below come from.
std::filesystem::path reference_landfill() {
  return data_dir() / "reference" / "landfill";
}

struct DirRun {
  Outcome outcome;
  std::string report;
};

DirRun run_copy(const std::filesystem::path& example) {
  ScratchDir dir;
  std::filesystem::copy_file(example / "VORN.IN", dir / "VORN.IN");
  DirRun r{run(dir.path()), ""};
  if (std::filesystem::exists(dir / "VORN.OUT")) r.report = read_text(dir / "VORN.OUT");
  return r;
}

// The number after "<label>=" on the first report line that holds it.
std::string factor(const std::string& report, const std::string& label) {
  for (const std::string& line : lines_of(report)) {
    const auto at = line.find(label);
    if (at != std::string::npos) return trim(line.substr(at + label.size()));
  }
  ADD_FAILURE() << "no " << label;
  return "";
}

std::string latin1_to_utf8(const std::string& s) {
  std::string out;
  for (const char ch : s) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(b < 0xC0 ? 0xC2 : 0xC3);
      out += static_cast<char>(0x80 + (b & 0x3F));
    }
  }
  return out;
}

// The report's summary table ends in the sums over all chemicals; the page's stream totals
// are its HI_TOT and RI_TOT, each against its target, and say the verdict is per chemical.
void expect_stream_totals_agree_with_report(const XmlNode& page, const std::string& report,
                                            const std::string& risk, const std::string& hq) {
  std::vector<std::string> sums;
  bool in_summary = false;
  for (const std::string& line : lines_of(report)) {
    in_summary = in_summary || line.find("HI_TOT,") != std::string::npos;
    if (in_summary && line.rfind("Sum-with Non-Detected COCs", 0) == 0) {
      std::size_t from = 0;
      for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
        sums.push_back(trim(line.substr(from, comma - from)));
      sums.push_back(trim(line.substr(from)));
      break;
    }
  }
  ASSERT_EQ(sums.size(), 8u) << "no totals line in the summary table";
  const auto sections = page.find_all([](const XmlNode& n) {
    return n.name == "section" && n.attr("id") != nullptr && *n.attr("id") == "stream";
  });
  ASSERT_EQ(sections.size(), 1u);
  const XmlNode* section = sections.front();
  EXPECT_NE(section->first("p")->all_text().find("The verdict is per chemical"), std::string::npos);
  std::map<std::string, std::string> facts;
  for (const XmlNode* tr : section->first("table", "facts")->elements("tr"))
    facts[tr->first("th")->all_text()] = tr->first("td")->all_text();
  ASSERT_EQ(facts.size(), 2u);
  for (const auto& [label, total, target] :
       {std::tuple<std::string, std::string, std::string>{"Stream cancer risk", sums[7], risk},
        {"Stream hazard index", sums[4], hq}}) {
    SCOPED_TRACE(label);
    const std::string& text = facts[label];
    const auto comma = text.find(", ");
    ASSERT_NE(comma, std::string::npos) << text;
    expect_same_number(text.substr(0, comma), total);
    const bool above = std::strtod(total.c_str(), nullptr) > std::strtod(target.c_str(), nullptr);
    const std::string against =
        above ? "\xE2\x96\xB2 above the target of " : "not above the target of ";
    ASSERT_EQ(text.substr(comma + 2, against.size()), against) << text;
    expect_same_number(text.substr(comma + 2 + against.size()), target);
  }
}

// Every chemical, every exceedance and limit of Table 9, and both targets.
void expect_page_agrees_with_report(const XmlNode& page, const std::string& report,
                                    std::size_t chemicals) {
  const auto rows = table9(report);
  ASSERT_EQ(rows.size(), chemicals);
  const XmlNode* verdicts = page.first("table", "verdicts");
  ASSERT_NE(verdicts, nullptr);
  const auto trs = verdicts->first("tbody")->elements("tr");
  ASSERT_EQ(trs.size(), rows.size());
  const auto details = page.elements("details", "chemical");
  ASSERT_EQ(details.size(), rows.size());
  const bool landfill = report.find("GW_PATHWAY,     TOTC,") != std::string::npos;

  std::size_t exceeding = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Table9Row& r = rows[i];
    SCOPED_TRACE(r.name);
    const auto td = cells(*trs[i]);
    ASSERT_EQ(td.size(), 7u);
    // The report cuts names to 50 characters and writes them in Latin-1.
    const std::string name = latin1_to_utf8(r.name);
    EXPECT_EQ(td[0]->children.front()->text.rfind(name, 0), 0u);
    EXPECT_EQ(td[0]->first("span", "cas")->all_text(), r.cas);
    expect_same_number(td[1]->all_text(), r.tclp);
    if (landfill) {
      expect_same_number(td[2]->all_text(), r.conc);
    }

    const bool gw = r.gw_pathway != "--";
    const bool sf = r.sf_pathway != "--";
    exceeding += gw || sf;
    EXPECT_EQ(td[4]->all_text().find("EXCEEDED") != std::string::npos, gw);
    EXPECT_EQ(td[4]->all_text().find("within") != std::string::npos, !gw);
    EXPECT_EQ(td[6]->all_text().find("EXCEEDED") != std::string::npos, sf);
    EXPECT_EQ(td[6]->all_text().find("within") != std::string::npos, !sf);
    if (gw) {
      expect_same_number(td[3]->first("span", "value")->all_text(), r.max_gw);
      EXPECT_EQ(td[3]->first("span", "code")->all_text(), r.gw_pathway);
    }
    if (sf) {
      expect_same_number(td[5]->first("span", "value")->all_text(), r.max_sf);
      EXPECT_EQ(td[5]->first("span", "code")->all_text(), r.sf_pathway);
    }

    const XmlNode& summary_node = *details[i]->first("summary");
    const std::string summary = summary_node.all_text();
    EXPECT_EQ(summary.rfind(name, 0), 0u) << summary;
    EXPECT_EQ(summary_node.first("span", "cas")->all_text(), r.cas);
    EXPECT_EQ(summary.find("groundwater exceeded") != std::string::npos, gw);
    EXPECT_EQ(summary.find("surface exceeded") != std::string::npos, sf);
  }
  const std::string verdict_line = page.first("p", "summary")->all_text();
  if (exceeding == 0)
    EXPECT_NE(verdict_line.find("No chemical exceeds a limit"), std::string::npos);
  else
    EXPECT_NE(verdict_line.find(std::to_string(exceeding) + " of " + std::to_string(chemicals) +
                                " chemicals exceed a limit"),
              std::string::npos)
        << verdict_line;

  const std::string risk = factor(report, "Risk Factor=");
  const std::string hq = factor(report, "HQ Factor=");
  std::map<std::string, std::string> facts;
  for (const XmlNode* tr : page.first("table", "facts")->elements("tr"))
    facts[tr->first("th")->all_text()] = tr->first("td")->all_text();
  expect_same_number(facts["Target cancer risk"], risk);
  expect_same_number(facts["Target hazard quotient"], hq);
  for (const XmlNode* label : page.elements("text", "target-label")) {
    const std::string t = label->all_text();
    if (t.rfind("target risk ", 0) == 0)
      expect_same_number(t.substr(12), risk);
    else if (t.rfind("target HQ ", 0) == 0)
      expect_same_number(t.substr(10), hq);
    else
      ADD_FAILURE() << t;
  }
  EXPECT_EQ(page.elements("g", "target").size(), 2 * chemicals);
  expect_stream_totals_agree_with_report(page, report, risk, hq);
}

class ExamplePage : public ::testing::TestWithParam<const char*> {};

TEST_P(ExamplePage, IsWellFormedAndShowsEveryChemicalExceedanceAndTarget) {
  const std::string name = GetParam();
  const std::filesystem::path example = name.rfind("reference-", 0) == 0
                                            ? data_dir() / "reference" / name.substr(10)
                                            : shipped_example(name);
  const DirRun r = run_copy(example);
  ASSERT_EQ(r.outcome.status, Status::completed);
  const std::string html = html_page(r.outcome, test_stamp());
  expect_expat_parses(html);
  const auto page = parse_page(html);
  expect_page_agrees_with_report(*page, r.report, r.outcome.results->chemicals.size());

  // Every allowable reads as its value to three digits, or "no limit" for the sentinel.
  const Results& res = *r.outcome.results;
  std::size_t no_limit = 0;
  const auto trs = page->first("table", "verdicts")->first("tbody")->elements("tr");
  for (std::size_t i = 0; i < trs.size(); ++i) {
    const ChemicalReport& w = res.report[i];
    const double allowed[] = {w.TCLPMAX, w.SF_ALLOW[static_cast<std::size_t>(w.SF_LIMIT - 1)]};
    const auto td = cells(*trs[i]);
    for (int side = 0; side < 2; ++side) {
      const std::string text = td[side == 0 ? 3 : 5]->first("span", "value")->all_text();
      if (allowed[side] >= NOT_COMPUTED) {
        EXPECT_EQ(text, "no limit");
        ++no_limit;
      } else {
        EXPECT_NEAR(page_number(text), allowed[side], allowed[side] * 5e-3) << text;
      }
    }
  }
  if (name == "landfill") {
    EXPECT_GE(no_limit, 1u) << "Methylmercury has no groundwater limit";
  }
  EXPECT_EQ(html.find("E+"), std::string::npos);
  EXPECT_EQ(html.find("E-"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExamplePage,
                         ::testing::Values("landfill", "impoundment", "reference-landfill",
                                           "reference-impoundment"));

const char* const kRiskSlots[] = {"R_SWING", "R_AIRPT", "R_SWFISH",   "R_AIRSOIL", "R_AIRVOL",
                                  "R_GWING", "R_GWINH", "R_GWDERM_A", "R_GWDERM_C"};
const char* const kHazardSlots[] = {"H_SWING", "H_AIRPT", "H_SWFISH",   "H_AIRSOIL", "H_AIRVOL",
                                    "H_GWING", "H_GWINH", "H_GWDERM_A", "H_GWDERM_C"};

double slot_value(const ResultSlots& r, const std::string& slot) {
#define VORN_SLOT_VALUE(name, init) \
  if (slot == #name) return r.name;
  VORN_RESULT_SLOTS(VORN_SLOT_VALUE)
#undef VORN_SLOT_VALUE
  ADD_FAILURE() << "unknown slot " << slot;
  return NAN;
}

struct ChartCounts {
  std::size_t bars = 0, not_applicable = 0, over = 0;
};

// One pathway chart against the values it shows: a bar per non-zero value whose
// end sits at the value on the drawn log axis, "not applicable" for each zero.
ChartCounts check_pathway_chart(const XmlNode& svg, const ResultSlots& values,
                                const char* const (&slots)[9], double target) {
  ChartCounts n;
  const DrawnLogAxis axis = drawn_log_axis(svg);
  const double left = attr_number(*svg.first("line", "baseline"), "x1");
  const XmlNode* line = svg.first("line", "target-line");
  EXPECT_NE(line, nullptr);
  if (line) {
    EXPECT_NEAR(attr_number(*line, "x1"), axis.x(target), 1.0);
    EXPECT_EQ(title_value(*svg.first("g", "target")), target);
  }
  const auto rows = svg.elements("g", "row");
  EXPECT_EQ(rows.size(), 9u);
  for (std::size_t k = 0; k < rows.size() && k < 9; ++k) {
    const XmlNode& row = *rows[k];
    EXPECT_EQ(*row.attr("data-slot"), slots[k]);
    SCOPED_TRACE(slots[k]);
    const double v = slot_value(values, slots[k]);
    const auto bars = row.elements("rect", "bar");
    if (v == 0.0) {
      ++n.not_applicable;
      EXPECT_TRUE(bars.empty());
      EXPECT_EQ(row.first("text", "na")->drawn_text(), "not applicable");
      continue;
    }
    ++n.bars;
    EXPECT_EQ(bars.size(), 1u);
    if (bars.size() != 1) continue;
    const XmlNode& bar = *bars.front();
    EXPECT_EQ(title_value(bar), v);
    EXPECT_EQ(attr_number(bar, "x"), left);
    EXPECT_NEAR(left + attr_number(bar, "width"), axis.x(v), 1.0);
    EXPECT_GT(attr_number(bar, "width"), 0.0);
    EXPECT_EQ(bar.has_class("over"), v > target);
    n.over += bar.has_class("over");
  }
  return n;
}

struct ShareRow {
  std::string label, percent;
};

// The bars of a share chart; their exact shares add up to 100 % and their
// lengths are the shares of the drawn 0 to 100 % axis.
std::vector<ShareRow> check_share_chart(const XmlNode& svg) {
  const auto ticks = svg.elements("text", "tick-label");
  const double x0 = attr_number(*ticks.front(), "x");
  const double x100 = attr_number(*ticks.back(), "x");
  EXPECT_EQ(ticks.back()->all_text(), "100");
  std::vector<ShareRow> rows;
  double sum = 0;
  for (const XmlNode* row : svg.elements("g", "row")) {
    const XmlNode& bar = *row->first("rect", "bar");
    const std::string title = bar.first("title")->all_text();
    const double share = std::strtod(title.c_str() + title.find(": ") + 2, nullptr);
    sum += share;
    EXPECT_NEAR(attr_number(bar, "width"), share / 100 * (x100 - x0), 0.5) << title;
    rows.push_back(
        {row->first("text", "row-label")->all_text(), row->first("text", "pct")->all_text()});
  }
  EXPECT_NEAR(sum, 100.0, 1e-9);
  return rows;
}

TEST(HtmlPage, ChartsDrawTheValuesOnTheLogAxisTheTargetsAndTheShares) {
  const auto r = run_text(read_text(reference_landfill() / "VORN.IN"));
  ASSERT_EQ(r.outcome.status, Status::completed);
  const Results& res = *r.outcome.results;
  const auto page = parse_page(html_page(r.outcome, test_stamp()));

  // Non-zero pathways per chemical and those above the targets, counted by hand from
  // the reference implementation's values.
  const std::size_t risk_bars[] = {9, 7, 0, 0, 0, 0};
  const std::size_t hazard_bars[] = {9, 7, 0, 8, 1, 9};
  const std::size_t risk_over[] = {2, 1, 0, 0, 0, 0};
  const auto details = page->elements("details", "chemical");
  ASSERT_EQ(details.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NE(details[i]->attr("open"), nullptr);
    const ChartCounts risk = check_pathway_chart(*details[i]->first("svg", "risk"), res.results[i],
                                                 kRiskSlots, res.unit.WU_RISKFACT);
    const ChartCounts hazard = check_pathway_chart(
        *details[i]->first("svg", "hazard"), res.results[i], kHazardSlots, res.unit.WU_HQFACT);
    EXPECT_EQ(risk.bars, risk_bars[i]);
    EXPECT_EQ(risk.not_applicable, 9 - risk_bars[i]);
    EXPECT_EQ(risk.over, risk_over[i]);
    EXPECT_EQ(hazard.bars, hazard_bars[i]);
    EXPECT_EQ(hazard.not_applicable, 9 - hazard_bars[i]);
    EXPECT_EQ(hazard.over, 0u);
  }

  // Shares computed independently from the reference implementation's values.
  const auto risk = check_share_chart(*page->first("svg", "risk"));
  ASSERT_EQ(risk.size(), 2u);
  EXPECT_EQ(risk[0].label, "Benzene");
  EXPECT_EQ(risk[0].percent, "70.5 %");
  EXPECT_EQ(risk[1].label, "Arsenic, inorganic");
  EXPECT_EQ(risk[1].percent, "29.5 %");
  const auto hazard = check_share_chart(*page->first("svg", "hazard"));
  const std::vector<std::string> names = {"Benzene", "Arsenic, inorganic", "Mercury",
                                          "Methyl mercury", "Toluene"};
  const std::vector<std::string> percents = {"72.1 %", "14.8 %", "6.61 %", "6.50 %",
                                             "2.86\xC2\xA0\xC3\x97\xC2\xA0"
                                             "10\xE2\x81\xBB\xE2\x81\xB5 %"};
  ASSERT_EQ(hazard.size(), names.size());
  for (std::size_t k = 0; k < names.size(); ++k) {
    EXPECT_EQ(hazard[k].label, names[k]);
    EXPECT_EQ(hazard[k].percent, percents[k]);
  }
  const auto zero = page->elements("p", "zero-shares");
  ASSERT_EQ(zero.size(), 2u);
  EXPECT_EQ(zero[0]->all_text(),
            "No cancer risk (0): Lead and compounds; Mercury; Methyl mercury; Toluene.");
  EXPECT_EQ(zero[1]->all_text(), "No hazard index (0): Lead and compounds.");
  EXPECT_EQ(page->first("section")->first("p", "total"), nullptr);
  const auto totals = page->elements("p", "total");
  ASSERT_EQ(totals.size(), 2u);
  EXPECT_EQ(totals[0]->all_text(),
            "Total cancer risk of the stream (all chemicals): 1.03\xC2\xA0\xC3\x97\xC2\xA0"
            "10\xE2\x81\xBB\xE2\x81\xB4");
  EXPECT_EQ(totals[1]->all_text(), "Total hazard index of the stream (all chemicals): 0.943");
}

// The landfill reference input with three chemicals renamed: one with markup characters
// and a total concentration above its surface limit, two with Latin-1 letters.
std::string hostile_input() {
  std::string in = read_text(reference_landfill() / "VORN.IN");
  auto replace = [&](const std::string& from, const std::string& to) {
    const auto at = in.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    in.replace(at, from.size(), to);
  };
  replace("Benzene @", "<script>alert(1)</script> & \"x\" @");
  replace("0.5 N 100 N", "0.5 N 1.0e9 N");
  replace("Toluene @", "Tolu\xE8ne, m\xE9thylbenzol de qualit\xE9 technique, lot 7 @");
  replace("Mercury @", "Quecksilber (\xB3\xB2) @");
  return in;
}

TEST(HtmlPage, InputTextIsEscapedAndLatin1BecomesUtf8) {
  const auto r = run_text(hostile_input());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const std::string html = html_page(r.outcome, test_stamp());
  expect_expat_parses(html);
  const auto page = parse_page(html);
  expect_page_agrees_with_report(*page, *r.files.report, 6);

  const std::string hostile = "<script>alert(1)</script> & \"x\"";
  EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;x&quot;"),
            std::string::npos);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  const auto rows = page->first("table", "verdicts")->first("tbody")->elements("tr");
  EXPECT_EQ(rows[0]->first("td")->children.front()->text, hostile);
  EXPECT_EQ(check_share_chart(*page->first("svg", "risk"))[0].label, hostile);

  const std::string toluene =
      "Tolu\xC3\xA8ne, m\xC3\xA9thylbenzol de qualit\xC3\xA9 technique, lot 7";
  EXPECT_EQ(rows[5]->first("td")->children.front()->text, toluene);
  EXPECT_EQ(rows[3]->first("td")->children.front()->text, "Quecksilber (\xC2\xB3\xC2\xB2)");
  // Long names are cut in the share chart, whole in its hover text.
  const auto hazard = page->first("svg", "hazard")->elements("g", "row");
  const XmlNode& last = *hazard.back();
  EXPECT_EQ(last.first("text", "row-label")->all_text(),
            "Tolu\xC3\xA8ne, m\xC3\xA9thylbenzol de qualit\xC3\xA9 te\xE2\x80\xA6");
  EXPECT_EQ(last.first("title")->all_text().rfind(toluene + ": ", 0), 0u);
}

TEST(HtmlPage, UnfinishedRunsGetAShortPageWithTheOutcomeAndMessage) {
  struct Case {
    std::optional<std::string> input;
    std::string heading;
    std::string status;
    std::string message;
  };
  InputBuilder stop;
  stop.site = "1\n\xE9X\n1.0E-5\n1.0\n10000\n0\n20\n0\n";
  InputBuilder fatal;
  fatal.site = "one\nLF\n";
  const Case cases[] = {
      {stop.text(), "Run stopped", "(exit status 2)", "Stop, Error: WMUTYPE=  \xC3\xA9X"},
      {std::nullopt, "Input missing", "(exit status 1)", ""},
      {fatal.text(), "Fatal input error", "(exit status 3)", "VORN.IN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.heading);
    MemoryFiles files;
    files.input = c.input;
    const Outcome outcome = run(files);
    ASSERT_NE(outcome.status, Status::completed);
    const std::string html = html_page(outcome, test_stamp());
    expect_expat_parses(html);
    const auto page = parse_page(html);
    const XmlNode* status = page->first("p", "outcome");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->first("strong")->all_text(), "\xE2\x9C\x96 " + c.heading);
    EXPECT_NE(status->all_text().find(c.status), std::string::npos);
    EXPECT_TRUE(page->elements("svg").empty());
    EXPECT_EQ(page->first("table"), nullptr);
    const XmlNode* pre = page->first("pre", "message");
    ASSERT_NE(pre, nullptr);
    EXPECT_NE(pre->all_text().find(c.message), std::string::npos) << pre->all_text();
  }
}

// A run's results built by hand, for values no input produces easily.
std::shared_ptr<Results> two_chemicals() {
  auto r = std::make_shared<Results>();
  r->unit.WU_WMUTYPE = "LF";
  r->unit.WU_RISKFACT = NAN;
  r->unit.WU_HQFACT = 1.0;
  r->unit.WU_WASTEVOL = 1;
  r->unit.WU_ACTLIFE = 1;
  r->DAF_SCALE = 1;
  r->chemicals.resize(2);
  r->chemicals[0].CHEMNAME = "Odd values";
  r->chemicals[1].CHEMNAME = "Wide range";
  r->results.resize(2);
  ResultSlots& a = r->results[0];
  a.R_SWING = -1e-6;
  a.R_AIRPT = INFINITY;
  a.R_GWING = NAN;
  a.R_AIRVOL = 1e-7;
  a.H_GWING = 2.0;
  a.H_AIRSOIL = -INFINITY;
  ResultSlots& b = r->results[1];
  b.R_SWING = 1e-300;
  b.R_GWING = 5e300;
  b.H_GWINH = 1e-3;
  r->report.resize(2);
  r->report[0].RI_SF = INFINITY;
  r->report[0].HI_GW = 2.0;
  r->report[1].RI_GW = 5e300;
  r->report[1].HI_GW = 1e-3;
  r->totals = stream_totals(r->chemicals, r->results, r->report);
  return r;
}

TEST(HtmlPage, NonFiniteAndNegativeValuesAreLabelledAndNeverDrawn) {
  Outcome outcome;
  outcome.results = two_chemicals();
  const auto page = parse_page(html_page(outcome, test_stamp()));
  const auto details = page->elements("details", "chemical");
  ASSERT_EQ(details.size(), 2u);

  const XmlNode& risk = *details[0]->first("svg", "risk");
  const auto rows = risk.elements("g", "row");
  ASSERT_EQ(rows.size(), 9u);
  const std::pair<std::size_t, std::string> labelled[] = {
      {0, "negative: not drawn"}, {1, "Infinity: not drawn"}, {5, "NaN (not a number): not drawn"}};
  for (const auto& [k, text] : labelled) {
    EXPECT_TRUE(rows[k]->elements("rect").empty()) << k;
    EXPECT_EQ(rows[k]->first("text", "not-drawn")->drawn_text(), text);
  }
  EXPECT_EQ(rows[1]->first("text", "value")->all_text(), "\xE2\x88\x9E");
  EXPECT_EQ(risk.elements("rect", "bar").size(), 1u);
  EXPECT_EQ(risk.first("line", "target-line"), nullptr);
  EXPECT_EQ(risk.first("text", "target-label")->all_text(),
            "no target risk line: the target risk is NaN");

  const XmlNode& hazard = *details[0]->first("svg", "hazard");
  EXPECT_EQ(hazard.elements("rect", "over").size(), 1u);
  EXPECT_EQ(hazard.elements("g", "row")[3]->first("text", "not-drawn")->drawn_text(),
            "negative: not drawn");

  // 600 decades: fewer labelled ticks, every bar still at its value.
  const XmlNode& wide = *details[1]->first("svg", "risk");
  const DrawnLogAxis axis = drawn_log_axis(wide);
  EXPECT_LE(axis.ticks, 11u);
  EXPECT_GE(axis.ticks, 6u);
  const double left = attr_number(*wide.first("line", "baseline"), "x1");
  const auto bars = wide.elements("rect", "bar");
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_NEAR(left + attr_number(*bars[0], "width"), axis.x(1e-300), 1.0);
  EXPECT_NEAR(left + attr_number(*bars[1], "width"), axis.x(5e300), 1.0);

  const auto no_shares = page->elements("p", "no-shares");
  ASSERT_EQ(no_shares.size(), 1u);
  EXPECT_EQ(no_shares[0]->all_text(),
            "No shares are drawn: the cancer risk of these chemicals is negative or not a finite "
            "number: Odd values.");
  EXPECT_EQ(check_share_chart(*page->first("svg", "hazard")).size(), 2u);
}

TEST(HtmlPage, ARunWithoutChemicalsSaysThereIsNothingToShow) {
  const auto r = run_text(InputBuilder().text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const std::string html = html_page(r.outcome, test_stamp());
  expect_expat_parses(html);
  const auto page = parse_page(html);
  expect_page_agrees_with_report(*page, *r.files.report, 0);
  EXPECT_TRUE(page->elements("svg", "chart").empty());
  const auto none = page->elements("p", "no-shares");
  ASSERT_EQ(none.size(), 2u);
  EXPECT_EQ(none[0]->all_text(), "No chemical has a cancer risk above 0.");
  EXPECT_EQ(none[1]->all_text(), "No chemical has a hazard index above 0.");
}

TEST(HtmlPage, TwoThousandChemicalsGiveAWellFormedPageWithFoldedCharts) {
  const std::string example = read_text(reference_landfill() / "VORN.IN");
  const auto lines = lines_of(example);
  const std::string benzene = lines[10].substr(lines[10].find(" @ "));
  InputBuilder in;
  for (int k = 1; k <= 2000; ++k) {
    in.properties.push_back("Chemical " + std::to_string(k) + benzene);
    in.concentrations.push_back(std::to_string(0.001 * (k % 97 + 1)) + " N " +
                                std::to_string(k % 13 + 1) + " N");
  }
  std::size_t daf = 0;
  while (lines[daf].rfind("CHEMCAS", 0) != 0) ++daf;
  for (std::size_t k = daf + 1; k < lines.size(); ++k) in.daf_rows.push_back(lines[k]);
  const auto r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const std::string html = html_page(r.outcome, test_stamp());
  EXPECT_LT(html.size(), 32u << 20);
  expect_expat_parses(html);
  const auto page = parse_page(html);
  const auto details = page->elements("details", "chemical");
  ASSERT_EQ(details.size(), 2000u);
  for (const XmlNode* d : details) EXPECT_EQ(d->attr("open"), nullptr);
  EXPECT_EQ(page->elements("svg", "chart").size(), 4000u);
  expect_page_agrees_with_report(*page, *r.files.report, 2000);
  const auto shares = check_share_chart(*page->first("svg", "risk"));
  ASSERT_EQ(shares.size(), 12u);
  EXPECT_EQ(shares.back().label, "1989 other chemicals");
}

}  // namespace
}  // namespace vorn::test
