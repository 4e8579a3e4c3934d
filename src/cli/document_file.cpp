#include "cli/document_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/output_file.hpp"

namespace vorn::cli {

bool write_document(const std::string& file, const std::string& text) {
  if (file == kStandardOutput) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (written && std::fflush(stdout) == 0) return true;
    std::fprintf(stderr, "vorn: fatal error: cannot write standard output: %s\n",
                 std::strerror(errno));
    return false;
  }
  std::string why;
  if (write_file(file, text, why)) return true;
  std::fprintf(stderr, "vorn: fatal error: %s\n", why.c_str());
  return false;
}

}  // namespace vorn::cli
