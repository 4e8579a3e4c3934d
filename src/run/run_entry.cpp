// The C++ entry: a run on a directory or on files in memory, returning the outcome.
#include "run/directory_files.hpp"
#include "run/memory_files.hpp"
#include "run/run_sequence.hpp"
#include "vorn/run.hpp"

namespace vorn {

namespace {

// The prefix of the run's files in `dir` ("" for the current directory).
std::string file_prefix(const std::filesystem::path& dir) {
  return dir.empty() ? std::string() : (dir / "").string();
}

// VORN.IN read from a directory, VORN.DBG and VORN.OUT kept in memory.
class DirectoryInput : public MemoryRunFiles {
 public:
  DirectoryInput(MemoryFiles& files, DirectoryFiles& dir)
      : MemoryRunFiles(files), files_(files), dir_(dir) {}
  std::optional<std::string> open_input(std::string& why) override {
    files_.input = dir_.open_input(why);
    return files_.input;
  }
  std::optional<SourcesFile> open_sources() override {
    std::optional<SourcesFile> file = dir_.open_sources();
    files_.sources = file ? file->bytes : std::nullopt;
    return file;
  }

 private:
  MemoryFiles& files_;
  DirectoryFiles& dir_;
};

Outcome run_in_memory(MemoryRunFiles& memory) {
  Outcome outcome = execute_run(memory);
  outcome.stdout_text = std::move(memory.out_.text);
  outcome.stderr_text = std::move(memory.err_.text);
  return outcome;
}

}  // namespace

Outcome run(const std::filesystem::path& dir) {
  StringSink out, err;
  DirectoryFiles files(file_prefix(dir), out, err);
  Outcome outcome = execute_run(files);
  outcome.stdout_text = std::move(out.text);
  outcome.stderr_text = std::move(err.text);
  return outcome;
}

Outcome run(MemoryFiles& files) {
  files.report.reset();
  MemoryRunFiles memory(files);
  return run_in_memory(memory);
}

Outcome run(const std::filesystem::path& dir, MemoryFiles& files) {
  files.report.reset();
  // Only its input is used: the run's own text goes to the memory files' sinks.
  StringSink unused;
  DirectoryFiles disk(file_prefix(dir), unused, unused);
  DirectoryInput memory(files, disk);
  return run_in_memory(memory);
}

}  // namespace vorn
