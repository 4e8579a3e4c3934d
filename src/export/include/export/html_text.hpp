// Text for an HTML page: input bytes (Latin-1) as UTF-8 with markup characters escaped.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Every byte is a Latin-1 character: bytes from 0xA0 up become two-byte UTF-8,
// & < > " ' become character references, and control characters (other than tab
// and line feed) become U+FFFD, since an HTML or XML page cannot hold them.
std::string html_text(std::string_view latin1);

}  // namespace vorn
