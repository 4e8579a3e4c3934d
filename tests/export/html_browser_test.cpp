// The pages in a real browser: headless Chromium renders the landfill example's page and
// the page of the shipped probabilistic scenario to PNGs that show the charts, and their
// DOMs hold every chart's SVG.
// Skipped, with the reason, where Chromium is not installed.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "export/page_checks.hpp"
#include "mc_run/mc_run.hpp"
#include "support/test_support.hpp"
#include "vorn/mc_documents.hpp"
#include "vorn/results_html.hpp"

namespace vorn::test {
namespace {

bool have_chromium() {
  return std::system("command -v chromium >/dev/null 2>&1") == 0;
}

int exit_code(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Chromium without network traffic, in a fresh profile; its own messages go to chromium.log.
std::string chromium(const ScratchDir& dir, const std::string& args) {
  std::filesystem::create_directory(dir / "profile");
  return "timeout 180 chromium --headless --no-sandbox --disable-gpu --no-first-run "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--user-data-dir='" +
         (dir / "profile").string() + "' " + args + " 2>>'" + (dir / "chromium.log").string() + "'";
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

Outcome landfill_run() {
  const std::string input =
      read_text(data_dir() / ".." / ".." / "examples" / "landfill" / "VORN.IN");
  return run_text(input).outcome;
}

// Renders `url` in a window `size` wide and high ("800,2400") and counts the screenshot's
// pixels: width, height, not white, then one count per colour given ("R,G,B ...").
std::vector<long> screenshot_pixels(const ScratchDir& dir, const std::string& url,
                                    const std::string& size, const std::string& colours) {
  const auto png = dir / "page.png";
  EXPECT_EQ(
      exit_code(std::system(chromium(dir, "--hide-scrollbars --window-size=" + size +
                                              " --screenshot='" + png.string() + "' '" + url + "'")
                                .c_str())),
      0)
      << read_text(dir / "chromium.log");
  const std::string cmd = std::string("python3 '") + VORN_PNG_PIXELS + "' '" + png.string() + "' " +
                          colours + " > '" + (dir / "pixels.txt").string() + "'";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  std::istringstream in(read_text(dir / "pixels.txt"));
  std::vector<long> out;
  for (long v = 0; in >> v;) out.push_back(v);
  return out;
}

TEST(HtmlBrowser, LandfillPageRendersItsChartsAndItsDomHoldsEverySvg) {
  if (!have_chromium())
    GTEST_SKIP() << "chromium is not installed (scripts/install-deps browser installs it)";
  ScratchDir dir;
  const Outcome outcome = landfill_run();
  ASSERT_EQ(outcome.status, Status::completed);
  write_text(dir / "landfill.html", html_page(outcome, test_stamp()));
  const std::string url = "file://" + (dir / "landfill.html").string();

  // Pixels of the bar colour and of the above-target colour.
  const std::vector<long> px = screenshot_pixels(dir, url, "800,2400", "0,114,178 213,94,0");
  ASSERT_EQ(px.size(), 5u);
  const long width = px[0], height = px[1], not_white = px[2], bar = px[3], over = px[4];
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 2400);
  EXPECT_GT(not_white, width * height / 20) << "the page looks blank";
  EXPECT_GT(bar, 5000) << "too few pixels of the bar colour: the charts are not drawn";
  EXPECT_GT(over, 100) << "too few pixels of the above-target colour";

  const auto dom = dir / "dom.html";
  ASSERT_EQ(exit_code(std::system(
                chromium(dir, "--dump-dom '" + url + "' > '" + dom.string() + "'").c_str())),
            0)
      << read_text(dir / "chromium.log");
  const std::string text = read_text(dom);
  // Expected from the run's values: per chemical a cancer-risk and a hazard-quotient chart
  // of nine rows, a bar for each positive value and "not applicable" for each zero; one
  // share bar per chemical with a positive total; two share charts and the legend.
  const Results& res = *outcome.results;
  const std::size_t n = res.chemicals.size();
  std::size_t bars = 0, zeros = 0, shares = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const ResultSlots& s = res.results[i];
    for (double v : {s.R_SWING, s.R_AIRPT, s.R_SWFISH, s.R_AIRSOIL, s.R_AIRVOL, s.R_GWING,
                     s.R_GWINH, s.R_GWDERM_A, s.R_GWDERM_C, s.H_SWING, s.H_AIRPT, s.H_SWFISH,
                     s.H_AIRSOIL, s.H_AIRVOL, s.H_GWING, s.H_GWINH, s.H_GWDERM_A, s.H_GWDERM_C})
      (v > 0 ? bars : zeros) += 1;
    const ChemicalReport& w = res.report[i];
    shares += (w.RI_GW + w.RI_SF > 0) + (w.HI_GW + w.HI_SF > 0);
  }
  ASSERT_LE(n, 12u) << "share charts fold more than twelve chemicals";
  EXPECT_EQ(count(text, "<svg "), n * 2 + 2 + 1);
  EXPECT_EQ(count(text, "class=\"chart risk\""), n);
  EXPECT_EQ(count(text, "class=\"chart hazard\""), n);
  EXPECT_EQ(count(text, "<rect class=\"bar"), bars + shares + 2);
  EXPECT_EQ(count(text, "not applicable</text>"), zeros);
  EXPECT_EQ(count(text, "class=\"target-line\""), 2 * n + 1);
}

TEST(HtmlBrowser, MonteCarloPageRendersItsBandsAndItsDomHoldsEveryChart) {
  if (!have_chromium())
    GTEST_SKIP() << "chromium is not installed (scripts/install-deps browser installs it)";
  mc_run::McRequest request;
  request.scenario = shipped_scenario();
  request.overrides.realizations = 200;
  const mc_run::McResult run = mc_run::run_monte_carlo(request);
  ASSERT_EQ(run.baseline.status, Status::completed);
  const mc_run::McReport report = mc_run::report_of(run.part);
  const std::string html =
      mc_html(report.summary, report.scenario_json, report.decision_percentile, test_stamp());
  ScratchDir dir;
  write_text(dir / "mc.html", html);
  const std::string url = "file://" + (dir / "mc.html").string();

  // One band over white (#0072b2 at 35 %), two nested bands, the exceeded verdict's colour.
  const std::vector<long> n =
      screenshot_pixels(dir, url, "960,3200", "166,206,228 108,174,211 251,224,207");
  ASSERT_EQ(n.size(), 6u);
  EXPECT_EQ(n[0], 960);
  EXPECT_GT(n[2], n[0] * n[1] / 20) << "the page looks blank";
  EXPECT_GT(n[3], 1000) << "too few pixels of the outer bands";
  EXPECT_GT(n[4], 1000) << "too few pixels of the inner bands";
  EXPECT_GT(n[5], 500) << "too few pixels of the exceeded verdict";

  const auto dom = dir / "dom.html";
  ASSERT_EQ(exit_code(std::system(
                chromium(dir, "--dump-dom '" + url + "' > '" + dom.string() + "'").c_str())),
            0)
      << read_text(dir / "chromium.log");
  const std::string text = read_text(dom);
  const std::size_t chemicals = report.summary.chemicals.size();
  EXPECT_EQ(count(text, "class=\"chart risk\""), chemicals);
  EXPECT_EQ(count(text, "class=\"chart hazard\""), chemicals);
  EXPECT_EQ(count(text, "<rect class=\"band\""), count(html, "<rect class=\"band\""));
  EXPECT_EQ(count(text, "<table class=\"convergence\""), chemicals);
  EXPECT_NE(text.find("</footer>"), std::string::npos);
}

TEST(HtmlBrowser, TwoThousandChemicalPageOpens) {
  if (!have_chromium())
    GTEST_SKIP() << "chromium is not installed (scripts/install-deps browser installs it)";
  const std::string input =
      read_text(data_dir() / ".." / ".." / "examples" / "landfill" / "VORN.IN");
  const auto lines = lines_of(input);
  InputBuilder in;
  std::size_t k = 0;
  while (lines[k].rfind("ChemicalName", 0) != 0) ++k;
  for (int n = 1; n <= 2000; ++n) {
    const std::string& line = lines[k + 1 + static_cast<std::size_t>(n % 6)];
    in.properties.push_back("C" + std::to_string(n) + " " + line);
    in.concentrations.push_back("0.1 N 10 N");
  }
  while (lines[k].rfind("CHEMCAS", 0) != 0) ++k;
  for (++k; k < lines.size(); ++k) in.daf_rows.push_back(lines[k]);
  const Outcome outcome = run_text(in.text()).outcome;
  ASSERT_EQ(outcome.status, Status::completed);

  ScratchDir dir;
  write_text(dir / "big.html", html_page(outcome, test_stamp()));
  const auto dom = dir / "dom.html";
  ASSERT_EQ(
      exit_code(std::system(chromium(dir, "--dump-dom 'file://" + (dir / "big.html").string() +
                                              "' > '" + dom.string() + "'")
                                .c_str())),
      0)
      << read_text(dir / "chromium.log");
  const std::string text = read_text(dom);
  EXPECT_EQ(count(text, "class=\"chart risk\""), 2000u);
  EXPECT_EQ(count(text, "class=\"chart hazard\""), 2000u);
  EXPECT_NE(text.find("</footer>"), std::string::npos);
}

}  // namespace
}  // namespace vorn::test
