// Which browser prints, and how long it may take: from the environment, or given.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "pdf/paper.hpp"

namespace vorn::pdf {

// The variables the program reads.
inline constexpr const char* kBrowserVariable = "VORN_BROWSER";
inline constexpr const char* kTimeoutVariable = "VORN_BROWSER_TIMEOUT";
inline constexpr std::chrono::seconds kDefaultTimeout{60};

struct PrintSettings {
  // A browser's path, or a name looked up in `search_path`; none: the first of the known
  // Chromium-family names found there.
  std::optional<std::string> browser;
  std::string search_path;  // directories separated by ':' (PATH)
  // How long the browser may take for each step: starting, loading a page, printing it.
  std::chrono::seconds timeout = kDefaultTimeout;
  Paper paper = Paper::a4;
};

// VORN_BROWSER (when set and not empty), PATH and VORN_BROWSER_TIMEOUT (whole seconds, 1 to
// 86400; default 60). Throws BrowserUnavailable naming the variable when the timeout is not
// such a number.
PrintSettings settings_from_environment(Paper paper);

// The executable to run. Throws BrowserUnavailable, naming VORN_BROWSER and the packages,
// when there is none.
std::filesystem::path find_browser(const PrintSettings& settings);

}  // namespace vorn::pdf
