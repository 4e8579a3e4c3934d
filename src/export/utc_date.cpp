#include "export/utc_date.hpp"

#include <chrono>
#include <cstdio>

namespace vorn {

std::optional<std::string> utc_date(std::int64_t seconds) {
  using namespace std::chrono;
  if (seconds < 0 || seconds > kLastDateSeconds) return std::nullopt;
  const year_month_day ymd{floor<days>(sys_seconds{std::chrono::seconds{seconds}})};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return std::string(text);
}

}  // namespace vorn
