// A fresh directory of the program's own, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace vorn::pdf {

class TemporaryDirectory {
 public:
  // A new directory "<prefix><random hex>" in the system's temporary directory. Throws
  // std::filesystem::filesystem_error when none can be made.
  explicit TemporaryDirectory(const std::string& prefix);
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vorn::pdf
