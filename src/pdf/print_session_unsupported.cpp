// Printing needs a browser driven over a POSIX pipe: this platform has none.
#include "pdf/print_error.hpp"
#include "pdf/print_session.hpp"

namespace vorn::pdf {

bool printing_supported() {
  return false;
}

class PrintSession::Browser {};

PrintSession::PrintSession(const PrintSettings&) {
  throw BrowserUnavailable("printing to PDF is not supported on this platform");
}

PrintSession::~PrintSession() = default;

std::string PrintSession::print(const PrintJob&) {
  throw BrowserUnavailable("printing to PDF is not supported on this platform");
}

}  // namespace vorn::pdf
