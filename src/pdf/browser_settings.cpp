#include "pdf/browser_settings.hpp"

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "pdf/print_error.hpp"

namespace vorn::pdf {
namespace fs = std::filesystem;
namespace {

constexpr const char* kKnownBrowsers[] = {"chromium", "chromium-browser", "google-chrome",
                                          "microsoft-edge"};
constexpr long kLongestTimeout = 86400;

constexpr const char* kHowToGetOne =
    "install Chromium (Debian: apt-get install chromium, or scripts/install-deps browser), "
    "Google Chrome or Microsoft Edge, or set VORN_BROWSER to the path of one";

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

bool executable_file(const fs::path& file) {
  std::error_code ec;
  const fs::file_status st = fs::status(file, ec);
  if (ec || !fs::is_regular_file(st)) return false;
  const fs::perms exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  return (st.permissions() & exec) != fs::perms::none;
}

std::optional<fs::path> on_search_path(const std::string& name, const std::string& search_path) {
  std::string_view rest = search_path;
  while (true) {
    const std::size_t colon = rest.find(':');
    const std::string_view dir = rest.substr(0, colon);
    // An empty entry is the current directory, as for the shell.
    const fs::path candidate = (dir.empty() ? fs::path(".") : fs::path(dir)) / name;
    if (executable_file(candidate)) return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    rest.remove_prefix(colon + 1);
  }
}

}  // namespace

PrintSettings settings_from_environment(Paper paper) {
  PrintSettings s;
  s.paper = paper;
  if (std::string browser = environment(kBrowserVariable); !browser.empty()) s.browser = browser;
  s.search_path = environment("PATH");
  if (const std::string timeout = environment(kTimeoutVariable); !timeout.empty()) {
    long seconds = 0;
    const char* end = timeout.data() + timeout.size();
    const auto [ptr, ec] = std::from_chars(timeout.data(), end, seconds);
    if (ec != std::errc() || ptr != end || seconds < 1 || seconds > kLongestTimeout)
      throw BrowserUnavailable(std::string(kTimeoutVariable) + "=" + timeout +
                               ": give the seconds the browser may take per page as a whole "
                               "number from 1 to " +
                               std::to_string(kLongestTimeout));
    s.timeout = std::chrono::seconds(seconds);
  }
  return s;
}

fs::path find_browser(const PrintSettings& settings) {
  if (settings.browser) {
    const std::string& given = *settings.browser;
    const bool is_path = given.find('/') != std::string::npos;
    if (is_path && executable_file(given)) return given;
    if (!is_path)
      if (const auto found = on_search_path(given, settings.search_path)) return *found;
    throw BrowserUnavailable(std::string(kBrowserVariable) + "=" + given + " is not " +
                             (is_path ? "an executable file" : "a program on PATH") + "; " +
                             kHowToGetOne);
  }
  for (const char* name : kKnownBrowsers)
    if (const auto found = on_search_path(name, settings.search_path)) return *found;
  throw BrowserUnavailable(
      "no Chromium-family browser found (chromium, chromium-browser, google-chrome or "
      "microsoft-edge on PATH): " +
      std::string(kHowToGetOne));
}

}  // namespace vorn::pdf
