// The page of a probabilistic run, from a real run of the shipped scenario with few
// realizations: well-formed and self-contained; a verdict row per chemical that agrees
// with the statistics and with the deterministic run's concentrations; a convergence row
// per power of two; bands drawn where the percentiles are; numbers as people write them;
// the same bytes whatever the number of threads.
#include <gtest/gtest.h>

#include <cmath>

#include "core/text.hpp"
#include "export/page_checks.hpp"
#include "mc_run/mc_run.hpp"
#include "vorn/mc_documents.hpp"

namespace vorn::test {
namespace {

constexpr std::uint64_t kRealizations = 100;

struct McPage {
  mc_run::McResult run;
  mc_run::McReport report;
  std::string html;
};

McPage shipped_page(unsigned threads) {
  mc_run::McRequest request;
  request.scenario = shipped_scenario();
  request.overrides.realizations = kRealizations;
  request.threads = threads;
  McPage p{mc_run::run_monte_carlo(request), {}, ""};
  p.report = mc_run::report_of(p.run.part);
  p.html =
      mc_html(p.report.summary, p.report.scenario_json, p.report.decision_percentile, test_stamp());
  return p;
}

// The text before the first <br/> of a cell.
std::string first_line(const XmlNode& td) {
  return td.children.empty() ? "" : td.children.front()->all_text();
}

// "12.3 %" as the share 0.123.
double percent_value(const std::string& text) {
  EXPECT_EQ(text.substr(text.size() - 2), " %") << text;
  return page_number(text.substr(0, text.size() - 2)) / 100;
}

void expect_three_digits(double shown, double value, const std::string& text) {
  EXPECT_NEAR(shown, value, std::fabs(value) * 5e-3) << text;
}

// Returns whether the cell reads "no limit".
bool expect_allowable(const XmlNode& td, double value) {
  const std::string text = first_line(td);
  const bool none = value >= NOT_COMPUTED * (1 - 2e-3);
  if (none)
    EXPECT_EQ(text, "no limit");
  else
    expect_three_digits(page_number(text), value, text);
  return none;
}

// The first "<digit>e<digits>" (or E, with an optional sign) in `text`, or "".
std::string computer_exponent(const std::string& text) {
  auto digit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  for (std::size_t k = 1; k + 1 < text.size(); ++k) {
    if ((text[k] != 'e' && text[k] != 'E') || !digit(k - 1)) continue;
    const std::size_t after = k + 1 + ((text[k + 1] == '-' || text[k + 1] == '+') ? 1 : 0);
    if (digit(after)) return text.substr(k - 1, after - k + 2);
  }
  return {};
}

TEST(McPage, ShowsTheVerdictBandsAndConvergenceOfARealRun) {
  const McPage p = shipped_page(1);
  ASSERT_EQ(p.run.baseline.status, Status::completed);
  const Results& det = *p.run.baseline.results;
  const mc::McSummary& m = p.report.summary;
  ASSERT_EQ(m.chemicals.size(), det.chemicals.size());
  expect_expat_parses(p.html);
  const auto page = parse_page(p.html);
  const double decision = p.report.decision_percentile;

  // The verdict: one row per chemical, in input order.
  const auto rows = page->first("table", "verdicts")->first("tbody")->elements("tr");
  ASSERT_EQ(rows.size(), det.chemicals.size());
  std::size_t exceeded = 0, undetermined = 0, no_limit = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Chemical& c = det.chemicals[i];
    const mc::Decision& d = m.chemicals[i].decision;
    SCOPED_TRACE(c.CHEMNAME);
    const auto td = cells(*rows[i]);
    ASSERT_EQ(td.size(), 8u);
    EXPECT_EQ(first_line(*td[0]), std::string(trim_blanks(c.CHEMNAME)));
    EXPECT_EQ(td[0]->first("span", "cas")->all_text(), std::string(trim_blanks(c.CHEMCAS)));
    expect_three_digits(percent_value(first_line(*td[1])), d.p_exceeded, first_line(*td[1]));
    EXPECT_EQ(first_line(*td[2]), "0 %");  // the shipped scenario never fails
    // The deterministic run's concentrations, as it floored them.
    expect_three_digits(page_number(td[3]->all_text()), c.TCLPCONC, td[3]->all_text());
    expect_three_digits(page_number(td[5]->all_text()), c.TOTC, td[5]->all_text());
    no_limit += expect_allowable(*td[4], d.gw_allowable.value);
    no_limit += expect_allowable(*td[6], d.sf_allowable.value);
    // The interval under the share, and the verdict from it.
    const std::string interval = td[1]->first("span", "ci")->all_text();
    EXPECT_EQ(interval.substr(0, 8), "95 % CI ") << interval;
    const auto to = interval.find(" to ");
    ASSERT_NE(to, std::string::npos) << interval;
    expect_three_digits(percent_value(interval.substr(8, to - 8)), d.p_interval.lower, interval);
    expect_three_digits(percent_value(interval.substr(to + 4)), d.p_interval.upper, interval);
    EXPECT_EQ(d.exceeded, d.p_exceeded > (100 - decision) / 100);
    const double allowed = (100 - decision) / 100;
    const std::string verdict = td[7]->all_text();
    if (d.p_interval.lower > allowed) {
      EXPECT_EQ(verdict, "\xE2\x9C\x96 EXCEEDED");
      ++exceeded;
    } else if (d.p_interval.upper <= allowed) {
      EXPECT_EQ(verdict, "\xE2\x9C\x93 not exceeded");
    } else {
      ++undetermined;
      ASSERT_TRUE(d.to_settle);
      EXPECT_EQ(verdict, "? undeterminedabout " + std::to_string(*d.to_settle) +
                             " more realizations would settle it at this estimate");
    }
  }
  EXPECT_GE(undetermined, 1u) << "100 realizations leave some chemical near its 10 %";
  EXPECT_GE(no_limit, 1u) << "Methylmercury has no groundwater limit";
  EXPECT_GE(exceeded, 1u) << "arsenic exceeds in most realizations";
  EXPECT_NE(page->first("span", "outcome")
                ->all_text()
                .find(std::to_string(exceeded) + " of " + std::to_string(rows.size()) +
                      " chemicals exceeded at the 90th percentile, " +
                      std::to_string(undetermined) + " undetermined"),
            std::string::npos);

  // The convergence: per chemical a row per power of two up to the realizations.
  const auto tables = page->elements("table", "convergence");
  ASSERT_EQ(tables.size(), rows.size());
  const std::size_t powers = static_cast<std::size_t>(std::floor(std::log2(kRealizations))) + 1;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const auto trs = tables[i]->first("tbody")->elements("tr");
    ASSERT_EQ(trs.size(), powers);
    for (std::size_t k = 0; k < powers; ++k) {
      const auto td = cells(*trs[k]);
      const mc::Decision& d = m.convergence[k].chemicals[i];
      EXPECT_EQ(td[0]->all_text(), std::to_string(1u << k));
      expect_three_digits(percent_value(first_line(*td[1])), d.p_exceeded, first_line(*td[1]));
      EXPECT_NE(td[1]->first("span", "ci"), nullptr);
      const std::string verdict = td[4]->all_text();
      EXPECT_EQ(verdict.substr(0, 4) == "? un", d.verdict == mc::Verdict::undetermined) << verdict;
      expect_allowable(*td[2], d.gw_allowable.value);
      expect_allowable(*td[3], d.sf_allowable.value);
    }
  }

  // The bands: per chemical two charts of nine pathways, each band spanning its pair of
  // percentiles on the drawn axis, the tick at the middle one, the target from VORN.IN.
  const auto details = page->elements("details", "chemical");
  ASSERT_EQ(details.size(), rows.size());
  std::size_t bands = 0;
  for (std::size_t i = 0; i < details.size(); ++i) {
    for (const bool risk : {true, false}) {
      const XmlNode& svg = *details[i]->first("svg", risk ? "risk" : "hazard");
      const DrawnLogAxis axis = drawn_log_axis(svg);
      const double target = risk ? det.unit.WU_RISKFACT : det.unit.WU_HQFACT;
      EXPECT_NEAR(attr_number(*svg.first("line", "target-line"), "x1"), axis.x(target), 1.0);
      const auto chart_rows = svg.elements("g", "row");
      ASSERT_EQ(chart_rows.size(), 9u);
      for (const XmlNode* row : chart_rows) {
        const std::string slot = *row->attr("data-slot");
        const mc::QuantitySummary* q = nullptr;
        for (const auto& s : m.chemicals[i].quantities)
          if (slot == s.name) q = &s;
        ASSERT_NE(q, nullptr) << slot;
        EXPECT_EQ(
            row->first("text", "value")->drawn_text().find("\xE2\x96\xB2") != std::string::npos,
            q->p_above > 0);
        auto value_at = [&](const std::string& key) -> double {
          for (const mc::PercentileValue& v : q->percentiles)
            if (std::strtod(key.c_str(), nullptr) == v.q) return v.value;
          ADD_FAILURE() << "no percentile " << key;
          return NAN;
        };
        for (const XmlNode* band : row->elements("rect", "band")) {
          ++bands;
          const double lo = value_at(*band->attr("data-lo")), hi = value_at(*band->attr("data-hi"));
          const double x = attr_number(*band, "x");
          if (lo > 0) {
            EXPECT_NEAR(x, axis.x(lo), 1.0) << slot;
          }
          EXPECT_NEAR(x + attr_number(*band, "width"), axis.x(hi), 1.0) << slot;
        }
        if (const XmlNode* mid = row->first("line", "mid")) {
          const double v = value_at(*mid->attr("data-q"));
          if (v > 0) {
            EXPECT_NEAR(attr_number(*mid, "x1"), axis.x(v), 1.0) << slot;
          }
        } else {
          EXPECT_EQ(row->first("text", "na")->drawn_text(), "not applicable") << slot;
          EXPECT_EQ(q->max, 0.0) << slot;
        }
      }
    }
  }
  EXPECT_GT(bands, 100u);

  // Numbers as people write them: no report field, no computer exponent in what is drawn.
  EXPECT_EQ(p.html.find("E+"), std::string::npos);
  EXPECT_EQ(p.html.find("E-"), std::string::npos);
  for (const XmlNode* section : page->elements("section")) {
    const std::string& id = *section->attr("id");
    if (id == "scenario" || id == "provenance") continue;  // hold SHA-256 digests
    const std::string drawn = section->drawn_text();
    EXPECT_EQ(computer_exponent(drawn), std::string()) << "in section " << id;
  }
}

// A concentration the scenario replaces is shown as varied, with its distribution's median,
// not as the value read; one it multiplies, or leaves, keeps the value read.
TEST(McPage, AReplacedConcentrationShowsVariedWithItsMedian) {
  ScratchDir dir;
  const auto input = shipped_scenario().parent_path().parent_path() / "landfill" / "VORN.IN";
  write_text(dir / "replaced.toml",
             "input = \"" + input.string() +
                 "\"\nrealizations = 40\n"
                 "[[vary]]\nchemical = \"71-43-2\"\nfield = \"TCLPCONC\"\n"
                 "dist = { type = \"uniform\", min = 0.01, max = 0.03 }\n"
                 "[[vary]]\nchemical = \"7440-38-2\"\nfield = \"TOTC\"\nmode = \"factor\"\n"
                 "dist = { type = \"uniform\", min = 0.5, max = 1.5 }\n");
  mc_run::McRequest request;
  request.scenario = dir / "replaced.toml";
  request.threads = 1;
  const mc_run::McResult run = mc_run::run_monte_carlo(request);
  ASSERT_EQ(run.baseline.status, Status::completed);
  const mc_run::McReport report = mc_run::report_of(run.part);
  const std::string html =
      mc_html(report.summary, report.scenario_json, report.decision_percentile, test_stamp());
  const auto page = parse_page(html);
  const auto rows = page->first("table", "verdicts")->first("tbody")->elements("tr");
  const Results& det = *run.baseline.results;
  ASSERT_EQ(rows.size(), det.chemicals.size());
  std::size_t varied = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto td = cells(*rows[i]);
    const std::string cas(trim_blanks(det.chemicals[i].CHEMCAS));
    if (cas == "71-43-2") {
      EXPECT_EQ(td[3]->all_text(), "varied (median 0.0200)");
      ++varied;
    } else {
      expect_three_digits(page_number(td[3]->all_text()), det.chemicals[i].TCLPCONC, cas);
    }
    expect_three_digits(page_number(td[5]->all_text()), det.chemicals[i].TOTC, cas);
  }
  EXPECT_EQ(varied, 1u);
}

TEST(McPage, SameBytesWhateverTheThreads) {
  EXPECT_EQ(shipped_page(1).html, shipped_page(2).html);
}

}  // namespace
}  // namespace vorn::test
