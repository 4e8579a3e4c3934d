// Well-formed UTF-8, one sequence at a time: what texts from outside (labels, paths) are
// checked with before they go into a page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

// The length (1 to 4) of the well-formed UTF-8 sequence that starts at text[k], or 0 when
// none does: a stray continuation byte, an overlong form, a surrogate, a code point beyond
// U+10FFFF or a sequence cut short.
std::size_t utf8_sequence_length(std::string_view text, std::size_t k);

// U+FFFD, which stands for what cannot be shown.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The text with every byte that starts no well-formed sequence replaced by U+FFFD.
std::string well_formed_utf8(std::string_view text);

}  // namespace vorn
