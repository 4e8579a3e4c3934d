// The printed reports, read back with poppler: the landfill example's and the shipped
// scenario's verdict tables read as on their pages, decision numbers taken from VORN.OUT
// appear, every sheet has its header and footer, no chart block is split and ten chemicals
// fit six A4 sheets; a batch prints every stream in one browser and its index links to their
// PDFs relatively; folded chart blocks print open. The sheets are kept as PNG files in
// printed-pages/ of the test directory, to be looked at.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

#include "export/page_checks.hpp"
#include "pdf/pdf_test_support.hpp"
#include "vorn/version.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;

bool can_print() {
  return have_program("chromium") && have_program("pdftotext") && have_program("pdftoppm");
}

#define SKIP_UNLESS_PRINTING() \
  if (!can_print())            \
  GTEST_SKIP() << "chromium or poppler-utils is missing (scripts/install-deps browser)"

ProcessResult vorn(const ScratchDir& cwd, std::vector<std::string> args) {
  args.insert(args.begin(), VORN_CLI);
  return run_process(args, cwd.path());
}

std::string shell(const std::string& command) {
  ScratchDir dir;
  EXPECT_EQ(std::system((command + " > '" + (dir / "out").string() + "'").c_str()), 0) << command;
  return read_text(dir / "out");
}

// The text of each sheet, laid out as printed.
std::vector<std::string> sheets(const fs::path& pdf) {
  std::string text = shell("pdftotext -layout '" + pdf.string() + "' -");
  for (std::size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;) text.replace(at, 2, " ");
  std::vector<std::string> out;
  for (std::size_t start = 0, ff; (ff = text.find('\f', start)) != std::string::npos;
       start = ff + 1)
    out.push_back(text.substr(start, ff - start));
  return out;
}

// Keeps the sheets as printed-pages/<name>-<n>.png.
void keep_sheets(const fs::path& pdf, const std::string& name) {
  fs::create_directories("printed-pages");
  shell("pdftoppm -r 60 -png '" + pdf.string() + "' 'printed-pages/" + name + "'");
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Words: split at blanks, line ends and no-break spaces. A percent sign belongs to its number
// (the text layer may or may not keep the narrow gap before it).
std::vector<std::string> words(std::string text) {
  for (std::size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;) text.replace(at, 2, " ");
  for (std::size_t at; (at = text.find(" %")) != std::string::npos;) text.erase(at, 1);
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// The value of a report field (" 0.997E-02") as the pages write it: three significant
// digits, plain from 0.001 up, otherwise "d.dd × 10ⁿ". Enough for the fields used here.
std::string as_on_page(const std::string& field) {
  const std::string f = trim(field);
  const std::string digits = f.substr(2, 3);
  const int exponent = std::stoi(f.substr(6));
  if (exponent >= -2 && exponent <= 0) return "0." + std::string(-exponent, '0') + digits;
  static const char* kSuper[] = {"\xE2\x81\xB0", "\xC2\xB9",     "\xC2\xB2",     "\xC2\xB3",
                                 "\xE2\x81\xB4", "\xE2\x81\xB5", "\xE2\x81\xB6", "\xE2\x81\xB7",
                                 "\xE2\x81\xB8", "\xE2\x81\xB9"};
  const int power = exponent - 1;
  EXPECT_LT(power, 0);
  EXPECT_GT(power, -10);
  return digits.substr(0, 1) + "." + digits.substr(1) + " \xC3\x97 10\xE2\x81\xBB" + kSuper[-power];
}

// The comma-separated fields of the report line that starts with `start` after `title`. A
// name may hold commas: count the fields from the end.
std::vector<std::string> report_fields(const std::string& report, const std::string& title,
                                       const std::string& start) {
  bool in_table = false;
  for (const std::string& line : lines_of(report)) {
    in_table = in_table || line.find(title) != std::string::npos;
    if (!in_table || line.rfind(start, 0) != 0) continue;
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
    return fields;
  }
  ADD_FAILURE() << start << " not in " << title;
  return {};
}

// The text of a table as it prints: cells and the lines of a cell apart.
std::string printed_text(const XmlNode& n) {
  if (n.name.empty()) return n.text;
  std::string s;
  for (const auto& c : n.children) s += printed_text(*c);
  return n.name == "td" || n.name == "th" || n.name == "br" ? s + " " : s;
}

// The words of the page's table.verdicts, and those the PDF prints from its header row to
// the heading after it, without the running header and footer.
void expect_verdict_table_as_on_page(const std::string& html, const std::vector<std::string>& pdf,
                                     const std::string& next_heading) {
  const auto page = parse_page(html);
  const XmlNode* table = page->first("table", "verdicts");
  ASSERT_NE(table, nullptr);
  std::string printed;
  bool in_table = false;
  for (const std::string& sheet : pdf) {
    for (const std::string& line : lines_of(sheet)) {
      const std::string t = trim(line);
      if (!in_table && t.rfind("Chemical ", 0) == 0) in_table = true;
      if (in_table && t == next_heading) in_table = false;
      if (!in_table || t.rfind("vorn " + std::string(kVersion) + " \xC2\xB7 run", 0) == 0 ||
          t.find(" \xE2\x80\x94 ") != std::string::npos)
        continue;
      printed += line + "\n";
    }
  }
  const std::vector<std::string> on_paper = sorted(words(printed)),
                                 on_page = sorted(words(printed_text(*table)));
  std::vector<std::string> only_paper, only_page;
  std::set_difference(on_paper.begin(), on_paper.end(), on_page.begin(), on_page.end(),
                      std::back_inserter(only_paper));
  std::set_difference(on_page.begin(), on_page.end(), on_paper.begin(), on_paper.end(),
                      std::back_inserter(only_page));
  EXPECT_EQ(only_paper, std::vector<std::string>()) << "printed, not on the page";
  EXPECT_EQ(only_page, std::vector<std::string>()) << "on the page, not printed";
}

// Every sheet has the running header, the engine and run identity, and "Page k of n".
void expect_running_texts(const std::vector<std::string>& pdf, const std::string& header,
                          const std::string& identity) {
  for (std::size_t k = 0; k < pdf.size(); ++k) {
    SCOPED_TRACE("sheet " + std::to_string(k + 1));
    EXPECT_EQ(trim(pdf[k]).rfind(header, 0), 0u) << pdf[k].substr(0, 200);
    EXPECT_NE(pdf[k].find("vorn " + std::string(kVersion) + " \xC2\xB7 run " + identity),
              std::string::npos);
    EXPECT_NE(pdf[k].find("Page " + std::to_string(k + 1) + " of " + std::to_string(pdf.size())),
              std::string::npos);
  }
}

// A chart block runs from its cancer-risk chart to its hazard-quotient chart's axis: on every
// sheet both appear as often. Returns the blocks per sheet.
std::vector<std::size_t> chart_blocks(const std::vector<std::string>& pdf) {
  std::vector<std::size_t> blocks;
  for (std::size_t k = 0; k < pdf.size(); ++k) {
    const std::size_t opened = count(pdf[k], "Cancer risk by pathway");
    EXPECT_EQ(opened, count(pdf[k], "Hazard quotient (dimensionless, log scale)"))
        << "a chart block is split on sheet " << k + 1;
    blocks.push_back(opened);
  }
  return blocks;
}

std::string provenance_identity(const std::string& html) {
  return provenance_list(*parse_page(html))["Run identity"];
}

TEST(PrintedPages, TheLandfillReportPrintsItsVerdictTableWholeBlocksAndRunningTexts) {
  SKIP_UNLESS_PRINTING();
  ScratchDir cwd;
  fs::create_directory(cwd / "lf");
  fs::copy_file(examples_dir() / "landfill" / "VORN.IN", cwd / "lf" / "VORN.IN");
  ASSERT_EQ(vorn(cwd, {"lf", "--html", "lf.html", "--pdf", "lf.pdf"}).status, 0);
  keep_sheets(cwd / "lf.pdf", "landfill");
  const std::vector<std::string> pdf = sheets(cwd / "lf.pdf");
  const std::string html = read_text(cwd / "lf.html");
  const std::string report = read_text(cwd / "lf" / "VORN.OUT");
  const std::string all = [&] {
    std::string s;
    for (const std::string& p : pdf) s += p;
    return s;
  }();

  EXPECT_LE(pdf.size(), 6u) << "ten chemicals on more than six A4 sheets";
  expect_running_texts(pdf, "lf \xE2\x80\x94 \xE2\x9C\x96 1 of 10 chemicals exceed a limit",
                       provenance_identity(html));
  expect_verdict_table_as_on_page(html, pdf, "Stream totals");

  // Decision numbers from VORN.OUT: arsenic's maximum allowable TCLP (Table 8), the
  // chemicals exceeding a limit (Table 9), the stream's cancer risk (Table 7).
  const auto table8 = report_fields(report, "TABLE 8", "Arsenic");
  EXPECT_NE(all.find(as_on_page(table8[table8.size() - 4])), std::string::npos);
  std::size_t exceeding = 0;
  for (const char* name :
       {"Benzene", "Trichloroethylene", "Tetrachloroethylene", "Naphthalene", "Benzo(a)pyrene",
        "Arsenic", "Cadmium", "Lead", "Mercury", "Methylmercury"}) {
    const auto row = report_fields(report, "Table 9", name);
    exceeding += trim(row[row.size() - 4]) != "--" || trim(row.back()) != "--";
  }
  EXPECT_NE(all.find(std::to_string(exceeding) + " of 10 chemicals exceed a limit"),
            std::string::npos);
  const auto totals = report_fields(report, "TABLE 7", "Sum-with Non-Detected");
  EXPECT_NE(all.find("(all chemicals): " + as_on_page(totals.back())), std::string::npos)
      << as_on_page(totals.back());

  // Every block whole, and two or more to a sheet but where the blocks begin and end.
  const std::vector<std::size_t> blocks = chart_blocks(pdf);
  std::size_t total = 0, first = pdf.size(), last = 0;
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    total += blocks[k];
    if (blocks[k] > 0) first = std::min(first, k), last = k;
  }
  EXPECT_EQ(total, 10u);
  for (std::size_t k = first + 1; k < last; ++k) EXPECT_GE(blocks[k], 2u) << "sheet " << k + 1;
}

TEST(PrintedPages, TheShippedScenarioPrintsItsVerdictTableAndTheBaselineFromVornOut) {
  SKIP_UNLESS_PRINTING();
  ScratchDir cwd;
  const ProcessResult r =
      vorn(cwd, {"mc", shipped_scenario().string(), "--html", "mc.html", "--pdf", "mc.pdf"});
  ASSERT_EQ(r.status, 0) << r.err;
  keep_sheets(cwd / "mc.pdf", "montecarlo");
  const std::vector<std::string> pdf = sheets(cwd / "mc.pdf");
  const std::string html = read_text(cwd / "mc.html");
  std::string all;
  for (const std::string& p : pdf) all += p;
  expect_running_texts(pdf, "Monte Carlo, 10000 realizations \xE2\x80\x94 ",
                       provenance_identity(html));
  expect_verdict_table_as_on_page(html, pdf, "Pathways per chemical");
  chart_blocks(pdf);

  // The deterministic run is the baseline: its stream totals (Table 7) and arsenic's
  // leachate concentration (Table 10), from the VORN.OUT of a run on the same input.
  fs::create_directory(cwd / "lf");
  fs::copy_file(examples_dir() / "landfill" / "VORN.IN", cwd / "lf" / "VORN.IN");
  ASSERT_EQ(vorn(cwd, {"lf"}).status, 0);
  const std::string report = read_text(cwd / "lf" / "VORN.OUT");
  const auto totals = report_fields(report, "TABLE 7", "Sum-with Non-Detected");
  EXPECT_NE(all.find("deterministic " + as_on_page(totals.back())), std::string::npos);
  EXPECT_NE(all.find("deterministic " + as_on_page(totals[totals.size() - 4])), std::string::npos);
  const auto arsenic = report_fields(report, "Table 10", "Arsenic");
  const std::string tclp = as_on_page(arsenic[arsenic.size() - 5]);
  EXPECT_NE(all.find(tclp), std::string::npos) << tclp;
}

TEST(PrintedPages, ABatchPrintsEveryStreamInOneBrowserAndItsIndexLinksToThemRelatively) {
  SKIP_UNLESS_PRINTING();
  ScratchDir cwd;
  for (const char* name : {"streams/east", "streams/west pond"}) {
    fs::create_directories(cwd / name);
    fs::copy_file(examples_dir() / "landfill" / "VORN.IN", cwd / name / "VORN.IN");
  }
  const fs::path counting =
      shell_script(cwd, "counting-browser",
                   "echo started >> '" + (cwd / "starts").string() + "'\nexec chromium \"$@\"\n");
  const ScopedVariable browser("VORN_BROWSER", counting.string());
  fs::create_directory(cwd / "out");
  const ProcessResult r = vorn(cwd, {"batch", "streams/east", "streams/west pond", "--pdf",
                                     "out/index.pdf", "--paper", "letter"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_text(cwd / "starts"), "started\n");
  keep_sheets(cwd / "out" / "index.pdf", "batch-index");
  const std::string index = read_text(cwd / "out" / "index.pdf");
  EXPECT_NE(index.find("/URI (../streams/east/report.pdf)"), std::string::npos);
  EXPECT_NE(index.find("/URI (../streams/west%20pond/report.pdf)"), std::string::npos);
  EXPECT_EQ(index.find("file://"), std::string::npos);
  for (const char* name : {"streams/east", "streams/west pond"}) {
    const std::vector<std::string> pdf = sheets(cwd / name / "report.pdf");
    ASSERT_FALSE(pdf.empty()) << name;
    EXPECT_EQ(trim(pdf[0]).rfind(std::string(name) + " \xE2\x80\x94 ", 0), 0u) << pdf[0];
    EXPECT_FALSE(fs::exists(cwd / name / "report.html"));
  }
  // Letter paper: 8.5 by 11 inches.
  EXPECT_NE(shell("pdfinfo '" + (cwd / "out" / "index.pdf").string() + "'").find("612 x 792 pts"),
            std::string::npos);
}

TEST(PrintedPages, FoldedChartBlocksPrintOpen) {
  SKIP_UNLESS_PRINTING();
  const auto lines = lines_of(read_text(examples_dir() / "landfill" / "VORN.IN"));
  InputBuilder in;
  std::size_t k = 0;
  while (lines[k].rfind("ChemicalName", 0) != 0) ++k;
  for (int n = 1; n <= 21; ++n) {
    in.properties.push_back("C" + std::to_string(n) + " " + lines[k + 1 + n % 6]);
    in.concentrations.push_back("0.1 N 10 N");
  }
  while (lines[k].rfind("CHEMCAS", 0) != 0) ++k;
  for (++k; k < lines.size(); ++k) in.daf_rows.push_back(lines[k]);
  ScratchDir cwd;
  fs::create_directory(cwd / "big");
  write_text(cwd / "big" / "VORN.IN", in.text());
  ASSERT_EQ(vorn(cwd, {"big", "--html", "big.html", "--pdf", "big.pdf"}).status, 0);
  const std::string html = read_text(cwd / "big.html");
  EXPECT_EQ(count(html, "<details class=\"chemical\""), 21u);
  EXPECT_EQ(count(html, " open=\"open\""), 0u);
  keep_sheets(cwd / "big.pdf", "folded");
  const std::vector<std::size_t> blocks = chart_blocks(sheets(cwd / "big.pdf"));
  std::size_t total = 0;
  for (const std::size_t b : blocks) total += b;
  EXPECT_EQ(total, 21u);
}

}  // namespace
}  // namespace vorn::test
