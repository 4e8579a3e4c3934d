// Under libFuzzer a fault ends the process, so that the input is kept as a crash.
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.hpp"

namespace vorn::test {

void fuzz_failure(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

}  // namespace vorn::test
