// vorn DIR --html FILE: the page is written after any outcome, relative to the
// current directory; a FILE that cannot be written is a fatal error naming it.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

struct CliRun {
  int status;
  std::string err;
};

// Runs vorn with `args` in `cwd`.
CliRun vorn_in(const ScratchDir& cwd, const std::string& args) {
  const std::string cmd = "cd '" + cwd.path().string() + "' && '" VORN_CLI "' " + args +
                          " >/dev/null 2>'" + (cwd / "stderr.txt").string() + "'";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_text(cwd / "stderr.txt")};
}

std::filesystem::path example() {
  return data_dir() / ".." / ".." / "examples" / "landfill";
}

TEST(HtmlOption, WritesThePageRelativeToTheCurrentDirectory) {
  ScratchDir cwd;
  std::filesystem::create_directory(cwd / "run");
  std::filesystem::copy_file(example() / "VORN.IN", cwd / "run" / "VORN.IN");
  const CliRun r = vorn_in(cwd, "run --html landfill.html");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(without_warnings(r.err), "");
  EXPECT_FALSE(std::filesystem::exists(cwd / "run" / "landfill.html"));
  const std::string page = read_text(cwd / "landfill.html");
  EXPECT_NE(page.find("Run completed"), std::string::npos);
  EXPECT_NE(page.find("Arsenic, inorganic"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(cwd / "run" / "VORN.OUT"));
}

TEST(HtmlOption, StoppedAndMissingRunsStillWriteTheirPageAndKeepTheirStatus) {
  ScratchDir cwd;
  std::filesystem::create_directory(cwd / "run");
  InputBuilder in;
  in.site = "1\nXY\n1.0E-5\n1.0\n10000\n0\n20\n0\n";
  write_text(cwd / "run" / "VORN.IN", in.text());
  CliRun r = vorn_in(cwd, "--html stopped.html run");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("run stopped"), std::string::npos);
  EXPECT_NE(read_text(cwd / "stopped.html").find("Stop, Error: WMUTYPE=  XY"), std::string::npos);

  r = vorn_in(cwd, "nowhere --html missing.html");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(read_text(cwd / "missing.html").find("Input missing"), std::string::npos);
}

TEST(HtmlOption, AFileThatCannotBeWrittenIsAFatalErrorNamingIt) {
  ScratchDir cwd;
  std::filesystem::create_directory(cwd / "run");
  std::filesystem::copy_file(example() / "VORN.IN", cwd / "run" / "VORN.IN");
  // A directory of that name: tests run as root, where permissions stop nothing.
  std::filesystem::create_directory(cwd / "page.html");
  CliRun r = vorn_in(cwd, "run --html page.html");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(without_warnings(r.err),
            "vorn: fatal error: cannot create page.html: Is a directory\n");
  EXPECT_TRUE(std::filesystem::exists(cwd / "run" / "VORN.OUT"));

  r = vorn_in(cwd, "run --html no-such-dir/page.html");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(without_warnings(r.err),
            "vorn: fatal error: cannot create no-such-dir/page.html: No such file or directory\n");
}

TEST(HtmlOption, MissingFileNameIsAUsageError) {
  ScratchDir cwd;
  const CliRun r = vorn_in(cwd, "run --html");
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(r.err.rfind("vorn: --html needs a FILE\n", 0), 0u);
}

}  // namespace
}  // namespace vorn::test
