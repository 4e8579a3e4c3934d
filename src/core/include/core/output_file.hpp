// Files written as bytes: the run's output files and exported documents; reading a whole file.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "core/sink.hpp"
#include "core/thread_spare.hpp"

namespace vorn {

// A file created or rewritten from the start. Writes gather in a buffer and reach the file
// in large blocks; `close` writes what is left. The buffer is the thread's, from one open
// file to the next; stdio adds none of its own.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // False, with "cannot create PATH: reason" in `why`, when it cannot be created.
  bool open(const std::string& path, std::string& why);
  void write(std::string_view bytes);
  // False, with "cannot write PATH: reason" in `why`, when a write or the close failed.
  bool close(std::string& why);
  void close();

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;
  void put(std::string_view bytes);
  void flush();

  std::FILE* file_ = nullptr;
  std::string path_;
  std::optional<ThreadSpare<std::string>> buffer_;  // while open
  int write_errno_ = 0;
  bool write_failed_ = false;
};

// Writes the whole text to `path`; false with the reason in `why`.
bool write_file(const std::string& path, std::string_view text, std::string& why);

// A run's output file on a unit: one that cannot be created is a FileCreateError naming
// the unit and the file.
class FileSink : public Sink {
 public:
  FileSink(const std::string& path, int unit, const char* name);
  void write(std::string_view bytes) override { file_.write(bytes); }
  void close() { file_.close(); }

 private:
  OutputFile file_;
};

// Reads a whole file; false (with the reason) when it cannot be opened or read.
bool read_file(const std::string& path, std::string& bytes, std::string& why);

}  // namespace vorn
