// The two implementations behind core/number_text.hpp, each under its own namespace so a
// test can hold both in one program. Callers use core/number_text.hpp; the build chooses
// the implementation (VORN_NUMBER_TEXT_FMT) and the other one is compiled only by the test
// that compares them.
#pragma once

#include "core/number_text.hpp"

namespace vorn::charconv_text {
char* write_shortest(char* out, double value);
char* write_shortest_scientific(char* out, double value);
char* write_scientific(char* out, double value, int precision);
ReadRealResult read_real(const char* first, const char* last, double& value, RealTextForm form);
}  // namespace vorn::charconv_text

namespace vorn::fmt_text {
char* write_shortest(char* out, double value);
char* write_shortest_scientific(char* out, double value);
char* write_scientific(char* out, double value, int precision);
ReadRealResult read_real(const char* first, const char* last, double& value, RealTextForm form);
}  // namespace vorn::fmt_text
