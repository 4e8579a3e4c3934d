// The accepted word a mistyped one was most likely meant to be, for "did you mean" messages.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The number of single-character insertions, deletions and substitutions that turn `a` into
// `b`, letters compared without regard to case.
std::size_t edit_distance(std::string_view a, std::string_view b);

// The word of `accepted` that `word` most likely means: one equal to it but for case, else the
// shortest that starts with it (TCLP: TCLPCONC), else the one nearest by edit distance when
// that distance is at most a third of the longer word (at least 1), the first of equals.
// Nothing when none is near or `word` is empty.
std::optional<std::string> nearest_word(std::string_view word,
                                        const std::vector<std::string>& accepted);

// "a, b or c".
std::string word_list(const std::vector<std::string>& words, std::string_view last = "or");

}  // namespace vorn
