// What a run's page is stamped with of its input: the digest of its VORN.IN.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vorn::batch {

// The SHA-256 (64 lower-case hex digits) of the file's bytes; none when it cannot be read
// (missing, a directory). Read after the run, it is the input the run read unless the file
// changed meanwhile.
std::optional<std::string> input_digest(const std::filesystem::path& file);

}  // namespace vorn::batch
