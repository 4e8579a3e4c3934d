// Pages printed to PDF by a headless Chromium-family browser, driven through its DevTools
// protocol over a pipe: one browser for any number of pages, with a fresh temporary
// profile, no network, scripts off and its own header and footer off, so each sheet carries
// only the page's own print style (its running header and footer). Nothing is downloaded.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "pdf/browser_settings.hpp"

namespace vorn::pdf {

// Whether this build can print at all (not on Windows).
bool printing_supported();

struct PrintJob {
  // The page: a file, or (when `page` is empty) its text.
  std::filesystem::path page;
  std::string html;
  // The directory the PDF will be in. With it, links of the page to files become relative to
  // it, as the page's links are relative to that directory: the PDF and its targets can move
  // together. Without, links keep the absolute form the browser gives them.
  std::optional<std::filesystem::path> links_from;
};

class PrintSession {
 public:
  // Starts the browser. Throws BrowserUnavailable when there is none (or printing is not
  // supported here), BrowserFailed when it does not start.
  explicit PrintSession(const PrintSettings& settings);
  ~PrintSession();
  PrintSession(const PrintSession&) = delete;
  PrintSession& operator=(const PrintSession&) = delete;

  // The PDF of the job's page on the session's paper. Throws BrowserFailed; the session is
  // then closed and prints nothing more.
  std::string print(const PrintJob& job);

 private:
  class Browser;
  std::unique_ptr<Browser> browser_;
};

}  // namespace vorn::pdf
