#pragma once

#include <string>
#include <string_view>

namespace vorn::numerics {

// The SHA-256 digest of `bytes` as 64 lower-case hex digits. Identifies the VORN.IN a
// scenario ran on; nothing here needs to resist an attacker.
std::string sha256_hex(std::string_view bytes);

}  // namespace vorn::numerics
