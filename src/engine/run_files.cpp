#include "engine/run_files.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/run_error.hpp"

namespace vorn {

FileSink::FileSink(const std::string& path, int unit, const char* name) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    throw FatalInputError("vorn: fatal error on unit " + std::to_string(unit) + " (" + name +
                          "): cannot create " + path + ": " + std::strerror(errno));
  }
}

FileSink::~FileSink() {
  close();
}

void FileSink::write(std::string_view bytes) {
  if (file_ != nullptr) std::fwrite(bytes.data(), 1, bytes.size(), file_);
}

void FileSink::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool read_file(const std::string& path, std::string& bytes, std::string& why) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    why = "it is a directory";
    return false;
  }
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    why = std::strerror(errno);
    return false;
  }
  bytes.clear();
  char buf[65536];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    why = "read error";
    return false;
  }
  return true;
}

}  // namespace vorn
