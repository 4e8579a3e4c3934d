// Output files share their thread's write buffers: files open at once keep apart, and a
// buffer lent again brings nothing of the file it wrote before.
#include "core/output_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vorn {
namespace {

std::string read_back(const std::filesystem::path& file) {
  std::string bytes, why;
  EXPECT_TRUE(read_file(file.string(), bytes, why)) << why;
  return bytes;
}

TEST(OutputFile, FilesOpenAtOnceOnAThreadKeepTheirOwnBytes) {
  const auto dir = std::filesystem::temp_directory_path() / "vorn-output-file-test";
  std::filesystem::create_directories(dir);
  std::string why;
  {
    // More files than the thread keeps buffers for; closed in another order.
    OutputFile a, b, c;
    ASSERT_TRUE(a.open((dir / "a").string(), why)) << why;
    ASSERT_TRUE(b.open((dir / "b").string(), why)) << why;
    ASSERT_TRUE(c.open((dir / "c").string(), why)) << why;
    for (int k = 0; k < 3000; ++k) {
      a.write("a" + std::to_string(k) + "\n");
      b.write(std::string(k % 50, 'b'));
      c.write("c");
    }
    ASSERT_TRUE(b.close(why)) << why;
    ASSERT_TRUE(a.close(why)) << why;
    ASSERT_TRUE(c.close(why)) << why;
  }
  std::string expected_a, expected_b;
  for (int k = 0; k < 3000; ++k) {
    expected_a += "a" + std::to_string(k) + "\n";
    expected_b += std::string(k % 50, 'b');
  }
  EXPECT_EQ(read_back(dir / "a"), expected_a);
  EXPECT_EQ(read_back(dir / "b"), expected_b);
  EXPECT_EQ(read_back(dir / "c"), std::string(3000, 'c'));
  // The buffers again: a short file holds its own bytes only.
  ASSERT_TRUE(write_file((dir / "d").string(), "short", why)) << why;
  EXPECT_EQ(read_back(dir / "d"), "short");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vorn
