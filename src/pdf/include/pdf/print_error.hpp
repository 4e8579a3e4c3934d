// Why a PDF could not be made. Either way the outputs that need no browser are still
// written; the program's status is 69 (unavailable) only when it would otherwise be 0.
#pragma once

#include <stdexcept>

namespace vorn::pdf {

class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// No browser to print with: none found, or printing is not supported on this platform.
class BrowserUnavailable : public PrintError {
 public:
  using PrintError::PrintError;
};

// The browser could not be started, ended, refused a page or did not answer in time; the
// message ends with the tail of what it wrote on its standard error.
class BrowserFailed : public PrintError {
 public:
  using PrintError::PrintError;
};

}  // namespace vorn::pdf
