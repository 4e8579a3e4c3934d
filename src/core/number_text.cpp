#include "core/number_text.hpp"

#include "core/number_text_backends.hpp"

namespace vorn {

#ifdef VORN_NUMBER_TEXT_FMT
namespace backend = fmt_text;
#else
namespace backend = charconv_text;
#endif

char* write_shortest(char* out, double value) {
  return backend::write_shortest(out, value);
}

char* write_shortest_scientific(char* out, double value) {
  return backend::write_shortest_scientific(out, value);
}

char* write_scientific(char* out, double value, int precision) {
  return backend::write_scientific(out, value, precision);
}

ReadRealResult read_real(const char* first, const char* last, double& value, RealTextForm form) {
  return backend::read_real(first, last, value, form);
}

}  // namespace vorn
