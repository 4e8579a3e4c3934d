// The encoding the browser hands its PDF over in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn::pdf {

// The bytes of standard base64 text (A-Z a-z 0-9 + /, '=' padding to a multiple of four);
// none when the text is not that.
std::optional<std::string> base64_decode(std::string_view text);

}  // namespace vorn::pdf
