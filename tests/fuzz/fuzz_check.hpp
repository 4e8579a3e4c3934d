// How a fuzz target reports a fault: the fuzzer aborts on it, the replay test records it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorn::test {

void fuzz_failure(const std::string& what);

inline void fuzz_require(bool ok, const std::string& what) {
  if (!ok) fuzz_failure(what);
}

}  // namespace vorn::test

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
