// The number texts over the standard library's <charconv>.
#include <charconv>
#include <stdexcept>

#include "core/number_text_backends.hpp"

namespace vorn::charconv_text {

char* write_shortest(char* out, double value) {
  return std::to_chars(out, out + kNumberTextSize, value).ptr;
}

char* write_shortest_scientific(char* out, double value) {
  return std::to_chars(out, out + kNumberTextSize, value, std::chars_format::scientific).ptr;
}

char* write_scientific(char* out, double value, int precision) {
  if (precision < 0 || precision > kMaxTextPrecision)
    throw std::out_of_range("write_scientific: precision " + std::to_string(precision));
  return std::to_chars(out, out + kNumberTextSize, value, std::chars_format::scientific, precision)
      .ptr;
}

ReadRealResult read_real(const char* first, const char* last, double& value, RealTextForm form) {
  const auto r = std::from_chars(first, last, value,
                                 form == RealTextForm::scientific ? std::chars_format::scientific
                                                                  : std::chars_format::general);
  return {r.ptr, r.ec};
}

}  // namespace vorn::charconv_text
