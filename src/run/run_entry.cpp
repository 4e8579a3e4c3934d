// The C++ entry: a run on a directory or on files in memory, returning the outcome.
#include "run/directory_files.hpp"
#include "run/memory_files.hpp"
#include "run/run_sequence.hpp"
#include "vorn/run.hpp"

namespace vorn {

Outcome run(const std::filesystem::path& dir) {
  StringSink out, err;
  std::string prefix = dir.empty() ? std::string() : (dir / "").string();
  DirectoryFiles files(prefix, out, err);
  Outcome outcome = execute_run(files);
  outcome.stdout_text = std::move(out.text);
  outcome.stderr_text = std::move(err.text);
  return outcome;
}

Outcome run(MemoryFiles& files) {
  files.report.reset();
  MemoryRunFiles memory(files);
  Outcome outcome = execute_run(memory);
  outcome.stdout_text = std::move(memory.out_.text);
  outcome.stderr_text = std::move(memory.err_.text);
  return outcome;
}

}  // namespace vorn
