// Single values written as free-form items that the reader turns back into the same value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

// The shortest text that reads back as the identical double; NaN, -NaN, Infinity or
// -Infinity for the values without digits. Throws std::invalid_argument naming `what` for a
// NaN whose payload the reader cannot give back.
std::string real_item(double value, std::string_view what);

std::string integer_item(std::int64_t value);

// A text the reader pads or cuts to `width`: as is, or quoted when it is blank or holds a
// separator, a quote or a carriage return. Throws std::invalid_argument naming `what` when
// the reader would not give it back: longer than `width` without its trailing blanks, or
// holding a line feed.
std::string text_item(std::string_view text, std::size_t width, std::string_view what);

}  // namespace vorn
