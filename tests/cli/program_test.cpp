// The vorn program: exit statuses, the closing line and its one failure message.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;

ProcessResult vorn_in(const fs::path& cwd, std::vector<std::string> args) {
  args.insert(args.begin(), VORN_CLI);
  return run_process(args, cwd);
}

const std::string kStopInput = "7\nLF\n1e-5\n1\n0\n0\n20\n0\n";

// The reference landfill input's one chemical without DAF rows.
const std::string kNoDafRows =
    "vorn: warning: chemical 6 \"Toluene\" (108-88-3) has no DAF rows: the run used the default "
    "landfill DAF 15.1\n";

TEST(Program, CompletedRunPrintsTheClosingLineOnly) {
  ScratchDir dir;
  fs::create_directory(dir / "run");
  fs::copy_file(data_dir() / "reference" / "landfill" / "VORN.IN", dir / "run" / "VORN.IN");
  auto r = vorn_in(dir.path(), {"run"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, " NORMAL TERMINATION...\n");
  EXPECT_EQ(r.err, kNoDafRows);
  EXPECT_EQ(read_text(dir / "run" / "VORN.OUT"),
            read_text(data_dir() / "reference" / "landfill" / "VORN.OUT"));
  // Without DIR the current directory is used.
  r = vorn_in(dir / "run", {});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, " NORMAL TERMINATION...\n");
}

TEST(Program, MissingInputIsStatusOneNamingThePath) {
  ScratchDir dir;
  auto r = vorn_in(dir.path(), {"no-such-dir"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "vorn: cannot open unit 1 (VORN.IN): no-such-dir/VORN.IN: No such file or directory\n");
  // A VORN.IN that is a directory cannot be opened either.
  fs::create_directory(dir / "VORN.IN");
  r = vorn_in(dir.path(), {});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "vorn: cannot open unit 1 (VORN.IN): VORN.IN: it is a directory\n");
  EXPECT_FALSE(fs::exists(dir / "VORN.DBG"));
}

TEST(Program, StopIsStatusTwoWithItsMessageAndFile) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", kStopInput);
  const auto r = vorn_in(dir.path(), {"."});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "vorn: run stopped: Stop, Error: Waste volume= 0.0 (in ./VORN.DBG)\n"
            "vorn: VORN.IN line 5, unit line 5, WU_WASTEVOL (the waste volume): must be above 0; "
            "found \"0\"\n");
  EXPECT_FALSE(fs::exists(dir / "VORN.OUT"));
}

TEST(Program, StopWithTwoLinesJoinsThem) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", "7\nLF\n1e-5\n1\n10\n3\n20\n0\n");
  const auto r = vorn_in(dir.path(), {});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "vorn: run stopped: Stop, Error: Illegal vol.unit= 3; 0-Cubic Yards, 1-Cubic Feet, "
            "2-Cubic Meters (in VORN.DBG)\n"
            "vorn: VORN.IN line 6, unit line 6, WU_VOLUNIT (the volume unit): must be 0 (cubic "
            "yards), 1 (cubic feet) or 2 (cubic meters); found \"3\"\n");
}

TEST(Program, FatalInputErrorIsStatusThreeWithOneMessage) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", "7\nLF\n1e-5\n1\n10\nzero\n");
  const auto r = vorn_in(dir.path(), {});
  EXPECT_EQ(r.status, 3);
  const std::string message =
      "vorn: fatal input error on unit 1 (VORN.IN), line 6: \"zero\" is not an integer";
  // The program says it in plain words; the log keeps its line.
  EXPECT_EQ(r.err,
            "vorn: VORN.IN line 6, unit line 6: expected WU_VOLUNIT (the volume unit), a whole "
            "number; found \"zero\"\n");
  const auto log = lines_of(read_text(dir / "VORN.DBG"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), " " + message);
}

// A report left from an earlier run stays, as the run's rules say, but is not taken for this
// run's.
TEST(Program, AnOlderReportIsNamedAsSuchWhenTheRunWritesNone) {
  ScratchDir dir;
  write_text(dir / "VORN.OUT", "an earlier report\n");
  write_text(dir / "VORN.IN", "7\nLF\n1e-5\n1\n10\nzero\n");
  const auto r = vorn_in(dir.path(), {});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("vorn: VORN.OUT in the current directory is from an earlier run; this run "
                       "wrote none\n"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(read_text(dir / "VORN.OUT"), "an earlier report\n");
  write_text(dir / "VORN.IN", read_text(data_dir() / "reference" / "landfill" / "VORN.IN"));
  EXPECT_EQ(vorn_in(dir.path(), {}).err, kNoDafRows);
}

TEST(Program, OutputFilesThatCannotBeCreatedAreFatal) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", read_text(data_dir() / "reference" / "landfill" / "VORN.IN"));
  fs::create_directory(dir / "VORN.DBG");
  auto r = vorn_in(dir.path(), {});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err.rfind("vorn: fatal error on unit 7 (VORN.DBG): cannot create VORN.DBG", 0), 0u)
      << r.err;
  EXPECT_FALSE(fs::exists(dir / "VORN.OUT"));

  fs::remove(dir / "VORN.DBG");
  fs::create_directory(dir / "VORN.OUT");
  r = vorn_in(dir.path(), {});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err.rfind("vorn: fatal error on unit 6 (VORN.OUT): cannot create VORN.OUT", 0), 0u)
      << r.err;
  EXPECT_EQ(r.out, "");
  const auto log = lines_of(read_text(dir / "VORN.DBG"));
  EXPECT_EQ(log.back(), " " + r.err.substr(0, r.err.find('\n')));
}

TEST(Program, UsageErrorsAreStatus64WithTheUsage) {
  ScratchDir dir;
  for (const auto& args : std::vector<std::vector<std::string>>{{"a", "b"}, {"--bogus"}}) {
    const auto r = vorn_in(dir.path(), args);
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("usage: vorn"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
  auto r = vorn_in(dir.path(), {"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("usage: vorn"), std::string::npos);
  r = vorn_in(dir.path(), {"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("vorn ", 0), 0u);
}

// Every command speaks alike: its help in the main help's style (and as `vorn help NAME`), its
// version, and a usage error in three lines that points at its help.
TEST(Program, EveryCommandHasOneHelpStyleAVersionAndShortUsageErrors) {
  ScratchDir dir;
  const std::string version = vorn_in(dir.path(), {"--version"}).out;
  for (const std::string command : {"batch", "chem", "fill", "mc", "mc-merge"}) {
    SCOPED_TRACE(command);
    const auto help = vorn_in(dir.path(), {command, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: vorn " + command, 0), 0u) << help.out;
    EXPECT_EQ(vorn_in(dir.path(), {"help", command}).out, help.out);
    EXPECT_EQ(vorn_in(dir.path(), {command, "--version"}).out, version);
    const auto bad = vorn_in(dir.path(), {command, "--no-such-option"});
    EXPECT_EQ(bad.status, 64);
    const auto lines = lines_of(bad.err);
    ASSERT_EQ(lines.size(), 4u) << bad.err;
    EXPECT_EQ(lines[0].rfind("vorn " + command + ": ", 0), 0u);
    EXPECT_EQ(lines[3], "see vorn " + command + " --help");
  }
  EXPECT_EQ(vorn_in(dir.path(), {"help"}).out, vorn_in(dir.path(), {"--help"}).out);
}

// A run's directory may be given as its VORN.IN, as batch and Python take it.
TEST(Program, ADirectorysVornInNamesThatDirectory) {
  ScratchDir dir;
  fs::create_directory(dir / "run");
  fs::copy_file(data_dir() / "reference" / "landfill" / "VORN.IN", dir / "run" / "VORN.IN");
  const auto r = vorn_in(dir.path(), {"run/VORN.IN"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_text(dir / "run" / "VORN.OUT"),
            read_text(data_dir() / "reference" / "landfill" / "VORN.OUT"));
}

}  // namespace
}  // namespace vorn::test
