// Helpers shared by the tests: files, scratch directories, in-memory runs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vorn/run.hpp"

namespace vorn::test {

std::string read_text(const std::filesystem::path& path);
void write_text(const std::filesystem::path& path, const std::string& text);
std::filesystem::path data_dir();
// The shipped examples, and among them the Monte Carlo scenario.
std::filesystem::path examples_dir();
std::filesystem::path shipped_scenario();

// A fresh empty directory under the system's temporary directory, removed on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// A run on an input held in memory.
struct MemoryRun {
  Outcome outcome;
  MemoryFiles files;
};
MemoryRun run_text(const std::string& input);

// What a child process did: exit status (or 128 + signal), standard output and error.
struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs argv[0] with the arguments in `cwd`, capturing its output.
ProcessResult run_process(const std::vector<std::string>& argv, const std::filesystem::path& cwd);

// Runs `body` in a forked child whose working directory is `cwd`; its standard
// output and error are captured. The child exits with `body`'s result.
ProcessResult run_in_child(const std::filesystem::path& cwd, int (*body)(void*), void* arg);

// Standard error without the run's warnings ("vorn: warning: ..." lines).
std::string without_warnings(const std::string& err);

// The lines of a text (terminators removed).
std::vector<std::string> lines_of(const std::string& text);

// A complete VORN.IN: the eight site lines, the chemical section and the DAF section.
struct InputBuilder {
  std::string site = "1\nLF\n1.0E-5\n1.0\n10000\n0\n20\n0\n";
  std::vector<std::string> properties;      // text of each property line
  std::vector<std::string> concentrations;  // text of each concentration line
  std::vector<std::string> daf_rows;
  std::string text() const;
};

// A property line for a chemical with every value given (name @ CAS and 26 values).
std::string property_line(const std::string& name, const std::string& cas,
                          const std::vector<std::string>& values);

}  // namespace vorn::test
