#include "pdf/temporary_directory.hpp"

#include <random>
#include <system_error>

namespace vorn::pdf {
namespace fs = std::filesystem;

TemporaryDirectory::TemporaryDirectory(const std::string& prefix) {
  const fs::path parent = fs::temp_directory_path();
  std::random_device random;
  std::uniform_int_distribution<unsigned long long> draw;
  static constexpr char kHex[] = "0123456789abcdef";
  for (int attempt = 0;; ++attempt) {
    std::string name = prefix;
    for (unsigned long long v = draw(random), k = 0; k < 16; ++k, v >>= 4) name += kHex[v & 15];
    std::error_code ec;
    // create_directory is false, without an error, when the name is taken.
    if (fs::create_directory(parent / name, ec)) {
      path_ = parent / name;
      fs::permissions(path_, fs::perms::owner_all, ec);  // the browser's profile is the user's
      return;
    }
    if (ec || attempt == 100)
      throw fs::filesystem_error("cannot create a temporary directory", parent / name,
                                 ec ? ec : std::make_error_code(std::errc::file_exists));
  }
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

}  // namespace vorn::pdf
