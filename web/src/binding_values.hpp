// What the engine module's functions share: bytes and texts crossing into JavaScript and back.
#pragma once

#include <emscripten/val.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::web {

using emscripten::val;

// The engine's files are Latin-1 (VORN.IN, VORN.DBG, VORN.OUT) or UTF-8 (the documents):
// they cross as a Uint8Array copy, never as a string that would be decoded.
val bytes(std::string_view text);
val optional_bytes(const std::optional<std::string>& text);
// A Uint8Array's bytes.
std::string bytes_of(const val& array);

// A JavaScript string from UTF-8 (embind's std::string conversion), or from Latin-1 bytes
// such as the log's lines, each byte one character.
val latin1_string(std::string_view text);
// A JavaScript string as Latin-1 bytes; false when a character is above U+00FF.
bool latin1_of(const val& text, std::string& out);

val string_array(const std::vector<std::string>& items);

// The message of an exception caught at the module's edge.
std::string what_of(const std::exception& e);

}  // namespace vorn::web
