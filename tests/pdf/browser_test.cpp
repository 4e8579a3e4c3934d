// Finding the browser and keeping it in hand: the variable or the known names on the path,
// a message that says how to get one, a browser that hangs ended at the timeout and one that
// quits reported with its status, both with the end of their standard error; and one browser
// for any number of pages.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "pdf/browser_settings.hpp"
#include "pdf/pdf_test_support.hpp"
#include "pdf/print_error.hpp"
#include "pdf/print_session.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

pdf::PrintSettings settings_with(const std::optional<std::string>& browser, const std::string& path,
                                 int timeout_seconds = 60) {
  pdf::PrintSettings s;
  s.browser = browser;
  s.search_path = path;
  s.timeout = std::chrono::seconds(timeout_seconds);
  return s;
}

std::string unavailable_message(const pdf::PrintSettings& s) {
  try {
    pdf::find_browser(s);
  } catch (const pdf::BrowserUnavailable& e) {
    return e.what();
  }
  ADD_FAILURE() << "a browser was found";
  return "";
}

TEST(FindBrowser, TakesTheVariableOrTheFirstKnownNameOnThePath) {
  ScratchDir a, b;
  shell_script(a, "google-chrome", "exit 0\n");
  shell_script(b, "chromium-browser", "exit 0\n");
  write_text(b / "chromium", "not executable");
  const std::string path = a.path().string() + ":" + b.path().string();
  // chromium-browser comes before google-chrome among the names, whatever the directories.
  EXPECT_EQ(pdf::find_browser(settings_with({}, path)), b / "chromium-browser");
  EXPECT_EQ(pdf::find_browser(settings_with((a / "google-chrome").string(), "")),
            a / "google-chrome");
  EXPECT_EQ(pdf::find_browser(settings_with("google-chrome", path)), a / "google-chrome");
}

TEST(FindBrowser, WithoutOneTheMessageNamesTheVariableAndThePackages) {
  ScratchDir empty;
  const std::string none = unavailable_message(settings_with({}, empty.path().string()));
  EXPECT_NE(none.find("no Chromium-family browser found"), std::string::npos) << none;
  const std::string missing = unavailable_message(settings_with("/no/such/browser", ""));
  EXPECT_EQ(missing.rfind("VORN_BROWSER=/no/such/browser is not an executable file; ", 0), 0u)
      << missing;
  for (const std::string& m : {none, missing}) {
    EXPECT_NE(m.find("VORN_BROWSER"), std::string::npos) << m;
    EXPECT_NE(m.find("apt-get install chromium"), std::string::npos) << m;
    EXPECT_NE(m.find("scripts/install-deps browser"), std::string::npos) << m;
  }
}

TEST(BrowserSettings, TheTimeoutIsWholeSecondsFromTheEnvironment) {
  {
    const ScopedVariable unset("VORN_BROWSER_TIMEOUT", std::nullopt);
    EXPECT_EQ(pdf::settings_from_environment(pdf::Paper::a4).timeout, std::chrono::seconds(60));
  }
  {
    const ScopedVariable five("VORN_BROWSER_TIMEOUT", "5");
    const ScopedVariable browser("VORN_BROWSER", "/opt/edge");
    const pdf::PrintSettings s = pdf::settings_from_environment(pdf::Paper::letter);
    EXPECT_EQ(s.timeout, std::chrono::seconds(5));
    EXPECT_EQ(s.browser, "/opt/edge");
    EXPECT_EQ(s.paper, pdf::Paper::letter);
  }
  for (const char* bad : {"0", "-3", "1.5", "10s", "86401", " 5"}) {
    const ScopedVariable timeout("VORN_BROWSER_TIMEOUT", bad);
    EXPECT_THROW(pdf::settings_from_environment(pdf::Paper::a4), pdf::BrowserUnavailable) << bad;
  }
}

// What starting a session with `browser` throws, and how long it took.
std::pair<std::string, double> failed_start(const fs::path& browser, int timeout_seconds) {
  const auto start = Clock::now();
  std::string what;
  try {
    pdf::PrintSession session(settings_with(browser.string(), "", timeout_seconds));
    ADD_FAILURE() << "the session started";
  } catch (const pdf::BrowserFailed& e) {
    what = e.what();
  }
  return {what, std::chrono::duration<double>(Clock::now() - start).count()};
}

TEST(PrintSession, ABrowserThatHangsIsEndedAtTheTimeoutWithTheEndOfItsStandardError) {
  ScratchDir dir;
  const fs::path fake = shell_script(
      dir, "hanging-browser",
      "echo 'fake browser: starting' >&2\necho 'fake browser: waiting for nothing' >&2\n"
      "sleep 600 &\necho \"$!\" > '" +
          (dir / "child").string() + "'\nwait\n");
  const auto [what, seconds] = failed_start(fake, 2);
  EXPECT_GE(seconds, 1.9);
  EXPECT_LT(seconds, 20);
  EXPECT_NE(what.find("did not answer within 2 s"), std::string::npos) << what;
  EXPECT_NE(what.find("VORN_BROWSER_TIMEOUT"), std::string::npos) << what;
  EXPECT_NE(what.find("fake browser: starting\nfake browser: waiting for nothing"),
            std::string::npos)
      << what;
  // Its children were ended with it: the shell's child is gone, or dead and unreaped. A
  // signal is delivered, not waited for, so the child is given a moment to die.
  const std::string child = std::to_string(std::stoi(read_text(dir / "child")));
  std::string state;
  for (int tries = 0; tries < 250; ++tries) {
    state.clear();
    if (fs::exists("/proc/" + child + "/stat")) {
      const std::string stat = read_text("/proc/" + child + "/stat");
      state = stat.substr(stat.rfind(')') + 2, 1);
    }
    if (state.empty() || state == "Z") break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(state.empty() || state == "Z") << "the browser's child is still running: " << state;
}

TEST(PrintSession, ABrowserThatQuitsIsReportedWithItsStatus) {
  ScratchDir dir;
  const fs::path fake = shell_script(dir, "quitting-browser", "echo 'no display' >&2\nexit 3\n");
  const auto [what, seconds] = failed_start(fake, 30);
  EXPECT_LT(seconds, 10);
  EXPECT_NE(what.find("the browser ended while starting"), std::string::npos) << what;
  EXPECT_NE(what.find("(exit status 3)"), std::string::npos) << what;
  EXPECT_NE(what.find("no display"), std::string::npos) << what;
}

TEST(PrintSession, OneBrowserPrintsEveryPage) {
  if (!have_program("chromium")) GTEST_SKIP() << "chromium is not installed";
  ScratchDir dir;
  // Counts its starts, then is Chromium.
  const fs::path counting =
      shell_script(dir, "counting-browser",
                   "echo started >> '" + (dir / "starts").string() + "'\nexec chromium \"$@\"\n");
  pdf::PrintSession session(settings_with(counting.string(), ""));
  write_text(dir / "page.html", "<!DOCTYPE html><html><body><p>From a file</p></body></html>");
  for (int k = 0; k < 3; ++k) {
    const std::string bytes = session.print(
        {k == 0 ? dir / "page.html" : fs::path(),
         "<!DOCTYPE html><html><body><p>Page " + std::to_string(k) + "</p></body></html>",
         {}});
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
  }
  EXPECT_EQ(read_text(dir / "starts"), "started\n");
}

}  // namespace
}  // namespace vorn::test
