// Whether standard error is a terminal: progress is drawn only there.
#pragma once

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vorn::cli {

inline bool standard_error_is_terminal() {
#ifdef _WIN32
  return _isatty(2) != 0;
#else
  return isatty(2) != 0;
#endif
}

}  // namespace vorn::cli
