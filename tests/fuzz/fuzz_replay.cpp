// Replays the seed corpus and every input that ever crashed a fuzz target through the
// target's checks, as a normal test of every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "fuzz_check.hpp"
#include "support/test_support.hpp"

namespace vorn::test {

void fuzz_failure(const std::string& what) {
  ADD_FAILURE() << what;
}

namespace {

std::vector<std::filesystem::path> inputs_in(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(dir)) {
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void replay(const std::filesystem::path& dir) {
  for (const auto& file : inputs_in(dir)) {
    SCOPED_TRACE(file.string());
    const std::string bytes = read_text(file);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
}

TEST(FuzzReplay, SeedCorpusPassesTheTargetsChecks) {
  const auto dir = std::filesystem::path(VORN_FUZZ_DIR) / "corpus" / VORN_FUZZ_TARGET;
  ASSERT_FALSE(inputs_in(dir).empty()) << "no seeds in " << dir;
  replay(dir);
}

TEST(FuzzReplay, InputsThatOnceCrashedPassTheTargetsChecks) {
  replay(std::filesystem::path(VORN_FUZZ_DIR) / "regressions" / VORN_FUZZ_TARGET);
}

}  // namespace
}  // namespace vorn::test
