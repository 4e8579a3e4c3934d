// The page in a real browser: headless Chromium renders the landfill example's
// page to a PNG that shows the charts, and its DOM holds every chart's SVG.
// Skipped, with the reason, where Chromium is not installed.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "support/test_support.hpp"
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

TEST(HtmlBrowser, LandfillPageRendersItsChartsAndItsDomHoldsEverySvg) {
  if (!have_chromium())
    GTEST_SKIP() << "chromium is not installed (scripts/install-deps browser installs it)";
  ScratchDir dir;
  const Outcome outcome = landfill_run();
  ASSERT_EQ(outcome.status, Status::completed);
  write_text(dir / "landfill.html", html_page(outcome));
  const std::string url = "file://" + (dir / "landfill.html").string();

  const auto png = dir / "landfill.png";
  ASSERT_EQ(exit_code(std::system(chromium(dir,
                                           "--hide-scrollbars --window-size=800,2400 "
                                           "--screenshot='" +
                                               png.string() + "' '" + url + "'")
                                      .c_str())),
            0)
      << read_text(dir / "chromium.log");
  ASSERT_TRUE(std::filesystem::exists(png));

  // Width, height, pixels not white, then pixels of the bar colour and of the above-target colour.
  const std::string cmd = std::string("python3 '") + VORN_PNG_PIXELS + "' '" + png.string() +
                          "' 0,114,178 213,94,0 > '" + (dir / "pixels.txt").string() + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::istringstream pixels(read_text(dir / "pixels.txt"));
  long width = 0, height = 0, not_white = 0, bar = 0, over = 0;
  pixels >> width >> height >> not_white >> bar >> over;
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
  write_text(dir / "big.html", html_page(outcome));
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
