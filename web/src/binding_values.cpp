#include "binding_values.hpp"

#include <exception>

namespace vorn::web {

val bytes(std::string_view text) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(text.size(),
                                          reinterpret_cast<const unsigned char*>(text.data())));
}

val optional_bytes(const std::optional<std::string>& text) {
  return text ? bytes(*text) : val::null();
}

std::string bytes_of(const val& array) {
  const auto size = array["length"].as<std::size_t>();
  std::string text(size, '\0');
  val(emscripten::typed_memory_view(size, reinterpret_cast<unsigned char*>(text.data())))
      .call<void>("set", array);
  return text;
}

val latin1_string(std::string_view text) {
  return val::global("TextDecoder").new_(std::string("latin1")).call<val>("decode", bytes(text));
}

bool latin1_of(const val& text, std::string& out) {
  const auto size = text["length"].as<std::size_t>();
  out.assign(size, '\0');
  for (std::size_t k = 0; k < size; ++k) {
    const auto c = text.call<unsigned>("charCodeAt", k);
    if (c > 0xFF) return false;
    out[k] = static_cast<char>(c);
  }
  return true;
}

val string_array(const std::vector<std::string>& items) {
  val out = val::array();
  for (const std::string& item : items) out.call<void>("push", item);
  return out;
}

std::string what_of(const std::exception& e) {
  return e.what();
}

}  // namespace vorn::web
