#include "cli/run_date.hpp"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "export/utc_date.hpp"

namespace vorn::cli {

std::optional<std::string> run_date(const char* command) {
  const char* variable = std::getenv("SOURCE_DATE_EPOCH");
  if (variable == nullptr) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return utc_date(std::chrono::duration_cast<std::chrono::seconds>(now).count());
  }
  const std::string_view text = variable;
  std::int64_t seconds = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  std::optional<std::string> date;
  if (ec == std::errc() && end == text.data() + text.size() && !text.empty())
    date = utc_date(seconds);
  if (!date)
    std::fprintf(stderr,
                 "%s: SOURCE_DATE_EPOCH=%s: the date of the pages is given as whole seconds "
                 "since 1970-01-01 UTC, from 0 to %lld\n",
                 command, variable, static_cast<long long>(kLastDateSeconds));
  return date;
}

}  // namespace vorn::cli
