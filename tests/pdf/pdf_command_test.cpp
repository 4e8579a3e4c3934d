// --pdf when no PDF can be made: every other output is still written; the status is 69 only
// when it would otherwise be 0, and the message says why (no browser: the variable and the
// packages; a browser that hangs: the timeout). Also the options' usage errors.
#include <gtest/gtest.h>

#include <chrono>

#include "pdf/pdf_test_support.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;

ProcessResult vorn(const ScratchDir& cwd, std::vector<std::string> args) {
  args.insert(args.begin(), VORN_CLI);
  return run_process(args, cwd.path());
}

void copy_example(const ScratchDir& cwd, const std::string& name, const std::string& to) {
  fs::create_directories(cwd / to);
  fs::copy_file(examples_dir() / name / "VORN.IN", cwd / to / "VORN.IN");
}

TEST(PdfCommand, WithoutABrowserARunWritesAllElseAndEndsWith69) {
  const ScopedVariable browser("VORN_BROWSER", "/no/such/browser");
  ScratchDir cwd;
  copy_example(cwd, "landfill", "lf");
  const ProcessResult r =
      vorn(cwd, {"lf", "--json", "r.json", "--pdf", "r.pdf", "--html", "r.html"});
  EXPECT_EQ(r.status, 69);
  EXPECT_EQ(r.out, " NORMAL TERMINATION...\n");
  EXPECT_EQ(without_warnings(r.err).rfind(
                "vorn: no PDF: VORN_BROWSER=/no/such/browser is not an executable file", 0),
            0u)
      << r.err;
  EXPECT_NE(r.err.find("apt-get install chromium"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(cwd / "r.pdf"));
  for (const char* written : {"r.json", "r.html", "lf/VORN.OUT", "lf/VORN.DBG"})
    EXPECT_TRUE(fs::exists(cwd / written)) << written;
}

TEST(PdfCommand, AnotherFailureKeepsItsStatusAndTheBrowserMessageGoesToStandardError) {
  const ScopedVariable browser("VORN_BROWSER", "/no/such/browser");
  ScratchDir cwd;
  ProcessResult r = vorn(cwd, {"nowhere", "--pdf", "r.pdf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("vorn: no PDF: VORN_BROWSER="), std::string::npos) << r.err;
  // A page that cannot be written is a fatal error, whatever the PDF.
  copy_example(cwd, "landfill", "lf");
  fs::create_directory(cwd / "page.html");
  r = vorn(cwd, {"lf", "--html", "page.html", "--pdf", "r.pdf"});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("cannot create page.html"), std::string::npos) << r.err;
}

TEST(PdfCommand, ABrowserThatHangsIsEndedAtTheTimeoutAndTheRunEndsWith69) {
  ScratchDir cwd;
  const fs::path fake = shell_script(cwd, "hanging", "echo 'fake: stuck' >&2\nexec sleep 600\n");
  const ScopedVariable browser("VORN_BROWSER", fake.string());
  const ScopedVariable timeout("VORN_BROWSER_TIMEOUT", "2");
  copy_example(cwd, "landfill", "lf");
  const auto start = std::chrono::steady_clock::now();
  const ProcessResult r = vorn(cwd, {"lf", "--pdf", "r.pdf"});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  EXPECT_EQ(r.status, 69);
  EXPECT_NE(r.err.find("did not answer within 2 s"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("fake: stuck"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(cwd / "r.pdf"));
}

TEST(PdfCommand, ProbabilisticRunsAndBatchesWriteAllElseWithoutABrowser) {
  const ScopedVariable browser("VORN_BROWSER", "/no/such/browser");
  ScratchDir cwd;
  ProcessResult r = vorn(cwd, {"mc", shipped_scenario().string(), "--realizations", "32", "--json",
                               "mc.json", "--pdf", "mc.pdf"});
  EXPECT_EQ(r.status, 69);
  EXPECT_NE(r.err.find("vorn: no PDF: VORN_BROWSER="), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(cwd / "mc.json"));

  copy_example(cwd, "landfill", "east");
  r = vorn(cwd, {"batch", "east", "--summary", "s.csv", "--pdf", "index.pdf"});
  EXPECT_EQ(r.status, 69);
  EXPECT_NE(r.err.find("vorn batch: no PDF: VORN_BROWSER="), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(cwd / "s.csv"));
  EXPECT_TRUE(fs::exists(cwd / "east" / "VORN.OUT"));
  EXPECT_FALSE(fs::exists(cwd / "east" / "report.pdf"));
  EXPECT_FALSE(fs::exists(cwd / "east" / "report.html"));
}

TEST(PdfCommand, BadSettingsAndOptionsAreNamed) {
  ScratchDir cwd;
  copy_example(cwd, "landfill", "lf");
  {
    const ScopedVariable date("SOURCE_DATE_EPOCH", "yesterday");
    const ProcessResult r = vorn(cwd, {"lf", "--html", "p.html"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.err.rfind("vorn: SOURCE_DATE_EPOCH=yesterday: ", 0), 0u) << r.err;
    EXPECT_FALSE(fs::exists(cwd / "lf" / "VORN.OUT"));
    // Without a page the date is not needed.
    EXPECT_EQ(vorn(cwd, {"lf", "--json", "r.json"}).status, 0);
  }
  {
    const ScopedVariable timeout("VORN_BROWSER_TIMEOUT", "soon");
    const ProcessResult r = vorn(cwd, {"lf", "--pdf", "p.pdf"});
    EXPECT_EQ(r.status, 69);
    EXPECT_NE(r.err.find("VORN_BROWSER_TIMEOUT=soon"), std::string::npos) << r.err;
  }
  ProcessResult r = vorn(cwd, {"lf", "--paper", "letter"});
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(r.err.rfind("vorn: --paper goes with --pdf\n", 0), 0u) << r.err;
  r = vorn(cwd, {"lf", "--pdf", "p.pdf", "--paper", "a3"});
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(r.err.rfind("vorn: --paper takes a4 or letter\n", 0), 0u) << r.err;
  r = vorn(cwd, {"mc", shipped_scenario().string(), "--paper", "letter", "--json", "x.json"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("--paper goes with --pdf"), std::string::npos) << r.err;
  r = vorn(cwd, {"batch", "lf", "--pdf", "-", "--summary", "-"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("only one document can go to standard output"), std::string::npos);
}

}  // namespace
}  // namespace vorn::test
