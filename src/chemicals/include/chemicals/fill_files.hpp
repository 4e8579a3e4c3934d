// A fill's two files, DIR/VORN.IN and DIR/sources.csv, written whole or not at all.
#pragma once

#include <filesystem>
#include <string>

#include "chemicals/stream_fill.hpp"

namespace vorn::chemicals {

// Both texts are made first; each is then written to a temporary file beside its place and
// renamed into it. DIR is created when missing. Throws DataError when DIR/VORN.IN exists and
// `replace` is false, when the VORN.IN writer refuses a value, or when a file cannot be
// written (the temporary files are removed).
void write_fill(const std::filesystem::path& dir, const FillResult& fill, bool replace);

// `text` to `path` through a temporary file in the same directory, renamed into place.
// False, with the reason in `why`, when it cannot.
bool write_atomically(const std::filesystem::path& path, const std::string& text, std::string& why);

}  // namespace vorn::chemicals
