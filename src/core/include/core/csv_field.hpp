// Fields and records of the CSV documents (RFC 4180).
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Records end in CRLF whatever the platform.
inline constexpr const char* kCsvRecordEnd = "\r\n";

// A field with a comma, quote or line break goes between quotes, its quotes doubled.
std::string csv_field(std::string_view text);

}  // namespace vorn
