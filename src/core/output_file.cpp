#include "core/output_file.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/run_error.hpp"

namespace vorn {

bool OutputFile::open(const std::string& path, std::string& why) {
  close();
  path_ = path;
  write_errno_ = 0;
  write_failed_ = false;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ != nullptr) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_.emplace();
    (*buffer_)->clear();
    (*buffer_)->reserve(kBufferSize);
    return true;
  }
  why = "cannot create " + path + ": " + std::strerror(errno);
  return false;
}

void OutputFile::write(std::string_view bytes) {
  if (file_ == nullptr || write_failed_) return;
  std::string& buffer = **buffer_;
  if (buffer.size() + bytes.size() > kBufferSize) flush();
  if (bytes.size() >= kBufferSize)
    put(bytes);
  else
    buffer.append(bytes);
}

void OutputFile::flush() {
  std::string& buffer = **buffer_;
  put(buffer);
  buffer.clear();
}

void OutputFile::put(std::string_view bytes) {
  if (bytes.empty() || write_failed_) return;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    write_failed_ = true;
    write_errno_ = errno;
  }
}

bool OutputFile::close(std::string& why) {
  if (file_ == nullptr) return true;
  flush();
  const bool closed = std::fclose(file_) == 0;
  const int close_errno = errno;
  file_ = nullptr;
  buffer_.reset();
  if (!write_failed_ && closed) return true;
  const int reason = write_failed_ && write_errno_ != 0 ? write_errno_ : close_errno;
  why = "cannot write " + path_ + ": " + std::strerror(reason);
  return false;
}

void OutputFile::close() {
  std::string ignored;
  close(ignored);
}

bool write_file(const std::string& path, std::string_view text, std::string& why) {
  OutputFile file;
  if (!file.open(path, why)) return false;
  file.write(text);
  return file.close(why);
}

FileSink::FileSink(const std::string& path, int unit, const char* name) {
  std::string why;
  if (!file_.open(path, why))
    throw FileCreateError("vorn: fatal error on unit " + std::to_string(unit) + " (" + name +
                          "): " + why);
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
