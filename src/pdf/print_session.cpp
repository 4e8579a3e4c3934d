// Printing through a Chromium-family browser on a POSIX system.
#include "pdf/print_session.hpp"

#include <unistd.h>

#include <optional>
#include <utility>

#include "browser_process.hpp"
#include "core/output_file.hpp"
#include "devtools.hpp"
#include "pdf/base64.hpp"
#include "pdf/pdf_links.hpp"
#include "pdf/print_error.hpp"
#include "pdf/temporary_directory.hpp"

namespace vorn::pdf {
namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

// How long a browser that was asked to close may take before it is ended.
constexpr std::chrono::seconds kClosingTime{5};

std::vector<std::string> browser_arguments(const fs::path& profile) {
  std::vector<std::string> args{
      "--headless", "--remote-debugging-pipe", "--user-data-dir=" + profile.string(),
      "--no-first-run", "--no-default-browser-check", "--disable-gpu", "--disable-extensions",
      "--disable-default-apps", "--disable-sync", "--disable-background-networking",
      "--disable-component-update", "--disable-domain-reliability", "--mute-audio",
      // No name resolves and pages run no scripts; the session also emulates being offline.
      "--host-resolver-rules=MAP * ~NOTFOUND", "--blink-settings=scriptEnabled=false"};
  // Chromium refuses to run as root inside its sandbox. (Its switch that turns off the
  // header and footer of --print-to-pdf is not given: through the pipe the print request
  // turns them off, and with that switch the page's renderer ends on loading.)
  if (::geteuid() == 0) args.push_back("--no-sandbox");
  args.push_back("about:blank");
  return args;
}

std::string directory_url(const fs::path& dir) {
  std::string url = file_url(fs::absolute(dir).lexically_normal().generic_string());
  if (url.back() != '/') url += '/';
  return url;
}

// The page's text with a <base> that makes its relative links resolve from `dir`.
std::string with_base(std::string html, const fs::path& dir) {
  const std::size_t head = html.find("<head>");
  if (head != std::string::npos)
    html.insert(head + 6, "\n<base href=\"" + directory_url(dir) + "\"/>");
  return html;
}

}  // namespace

bool printing_supported() {
  return true;
}

class PrintSession::Browser {
 public:
  explicit Browser(const PrintSettings& settings)
      : settings_(settings), program_(find_browser(settings)), temporary_("vorn-pdf-") {
    process_.emplace(program_, browser_arguments(temporary_.path() / "profile"), settings.timeout);
    devtools_.emplace(*process_, settings.timeout);
    const std::string starting = "starting (" + program_.string() + ")";
    const Json target =
        devtools_->call("Target.createTarget", {{"url", "about:blank"}}, "", starting);
    const Json attached = devtools_->call(
        "Target.attachToTarget", {{"targetId", target.value("targetId", "")}, {"flatten", true}},
        "", starting);
    session_ = attached.value("sessionId", "");
    devtools_->call("Page.enable", Json::object(), session_, starting);
    devtools_->call("Emulation.setScriptExecutionDisabled", {{"value", true}}, session_, starting);
    devtools_->call(
        "Network.emulateNetworkConditions",
        {{"offline", true}, {"latency", 0}, {"downloadThroughput", -1}, {"uploadThroughput", -1}},
        session_, starting);
    open_ = true;
  }

  ~Browser() {
    if (!open_) return;
    try {
      devtools_->call("Browser.close", Json::object(), "", "closing");
      process_->finish(BrowserProcess::Clock::now() + kClosingTime);
    } catch (...) {
      // It is ended with its process group all the same.
    }
  }

  std::string print(const PrintJob& job) {
    fs::path page = job.page;
    if (page.empty() || job.links_from) {
      std::string html = job.html;
      if (!page.empty()) {
        std::string why;
        if (!read_file(page.string(), html, why))
          throw PrintError("cannot read " + page.string() + ": " + why);
      }
      if (job.links_from) html = with_base(std::move(html), *job.links_from);
      page = temporary_.path() / ("page-" + std::to_string(++copies_) + ".html");
      std::string why;
      if (!write_file(page.string(), html, why)) throw PrintError(why);
    }
    const std::string url = file_url(fs::absolute(page).lexically_normal().generic_string());
    const std::string what =
        "printing " + (job.page.empty() ? std::string("the page") : job.page.string());
    open_ = false;  // until this page is printed: a failure ends the browser
    devtools_->drop_events();
    const Json navigated = devtools_->call("Page.navigate", {{"url", url}}, session_, what);
    if (navigated.contains("errorText") && navigated["errorText"].is_string())
      process_->fail("the browser could not open " + url + " while " + what + ": " +
                     navigated["errorText"].get<std::string>());
    devtools_->wait_for_event("Page.loadEventFired", session_, what);
    const PaperSize paper = paper_size(settings_.paper);
    const Json printed = devtools_->call("Page.printToPDF",
                                         {{"paperWidth", paper.width},
                                          {"paperHeight", paper.height},
                                          {"printBackground", true},
                                          {"displayHeaderFooter", false},
                                          {"preferCSSPageSize", false}},
                                         session_, what);
    std::optional<std::string> pdf;
    if (printed.contains("data") && printed["data"].is_string())
      pdf = base64_decode(printed["data"].get_ref<const std::string&>());
    if (!pdf) process_->fail("the browser's PDF could not be read while " + what);
    open_ = true;
    if (job.links_from) return relative_links(std::move(*pdf), directory_url(*job.links_from));
    return std::move(*pdf);
  }

 private:
  PrintSettings settings_;
  fs::path program_;
  // Declared before the browser: removed after it has ended.
  TemporaryDirectory temporary_;
  std::optional<BrowserProcess> process_;
  std::optional<DevTools> devtools_;
  std::string session_;
  std::size_t copies_ = 0;
  bool open_ = false;  // started, and nothing failed
};

PrintSession::PrintSession(const PrintSettings& settings)
    : browser_(std::make_unique<Browser>(settings)) {}

PrintSession::~PrintSession() = default;

std::string PrintSession::print(const PrintJob& job) {
  if (!browser_) throw BrowserFailed("the browser has already failed");
  try {
    return browser_->print(job);
  } catch (const BrowserFailed&) {
    browser_.reset();
    throw;
  }
}

}  // namespace vorn::pdf
