#include "batch/input_digest.hpp"

#include "core/output_file.hpp"
#include "numerics/sha256.hpp"

namespace vorn::batch {

std::optional<std::string> input_digest(const std::filesystem::path& file) {
  std::string bytes, why;
  if (!read_file(file.string(), bytes, why)) return std::nullopt;
  return numerics::sha256_hex(bytes);
}

}  // namespace vorn::batch
