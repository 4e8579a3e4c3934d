// A whole run on an arbitrary VORN.IN held in memory, through the C++ entry.
#include <string>

#include "fuzz_check.hpp"
#include "outcome_checks.hpp"
#include "vorn/run.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::MemoryFiles files;
  files.input = std::string(reinterpret_cast<const char*>(data), size);
  const vorn::Outcome outcome = vorn::run(files);
  for (const std::string& problem : vorn::test::outcome_problems(outcome, files))
    vorn::test::fuzz_failure(problem);
  return 0;
}
