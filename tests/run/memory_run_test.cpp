// A run on a directory's VORN.IN with its files kept in memory: the outcome and the texts of
// the run on the directory, and nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "support/test_support.hpp"
#include "vorn/results_json.hpp"
#include "vorn/run.hpp"

namespace vorn::test {
namespace {

TEST(MemoryRun, KeepsTheFilesOfTheDirectoryRunInMemory) {
  for (const char* name : {"landfill", "impoundment"}) {
    SCOPED_TRACE(name);
    ScratchDir on_disk, in_memory;
    for (const ScratchDir* dir : {&on_disk, &in_memory})
      std::filesystem::copy_file(data_dir() / "reference" / name / "VORN.IN", *dir / "VORN.IN");
    const Outcome disk = run(on_disk.path());
    MemoryFiles files;
    const Outcome memory = run(in_memory.path(), files);

    EXPECT_EQ(results_json(memory), results_json(disk));
    EXPECT_EQ(memory.stdout_text, disk.stdout_text);
    ASSERT_TRUE(files.input && files.report);
    EXPECT_EQ(*files.input, read_text(in_memory / "VORN.IN"));
    EXPECT_EQ(*files.report, read_text(on_disk / "VORN.OUT"));
    EXPECT_EQ(files.debug, read_text(on_disk / "VORN.DBG"));
    const std::filesystem::directory_iterator entries(in_memory.path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
  }
}

TEST(MemoryRun, FilesUsedAgainHoldTheTextsOfTheLastRunOnly) {
  const std::string landfill = read_text(data_dir() / "reference" / "landfill" / "VORN.IN");
  const std::string impoundment = read_text(data_dir() / "reference" / "impoundment" / "VORN.IN");
  MemoryFiles fresh;
  fresh.input = impoundment;
  run(fresh);
  MemoryFiles reused;
  // A longer echo first: the second copy ends the DAF table in a fatal input error.
  reused.input = landfill + landfill;
  const Outcome stopped = run(reused);
  ASSERT_NE(stopped.status, Status::completed);
  reused.input = impoundment;
  run(reused);
  EXPECT_EQ(reused.debug, fresh.debug);
  EXPECT_EQ(reused.report, fresh.report);
  ASSERT_TRUE(reused.report);
  // A run that stops before its report leaves none behind from the run before.
  reused.input = "1\nXX\n";
  run(reused);
  EXPECT_FALSE(reused.report);
  EXPECT_NE(reused.debug, fresh.debug);
}

TEST(MemoryRun, AMissingInputGivesTheDirectoryRunsMessage) {
  ScratchDir dir;
  const Outcome disk = run(dir / "missing");
  MemoryFiles files;
  const Outcome memory = run(dir / "missing", files);
  EXPECT_EQ(memory.status, Status::input_missing);
  EXPECT_EQ(memory.message, disk.message);
  EXPECT_FALSE(files.input || files.report);
}

}  // namespace
}  // namespace vorn::test
