// Writing a document the command line asks for: to a file, or to standard output.
#pragma once

#include <string>

namespace vorn::cli {

// The FILE that names standard output.
inline constexpr const char* kStandardOutput = "-";

// Writes `text` to `file` ("-": standard output); false, with a message on standard
// error, when it cannot.
bool write_document(const std::string& file, const std::string& text);

}  // namespace vorn::cli
