// The C++ entry: runs on a directory or on files in memory, returning the outcome.
#include "api/directory_files.hpp"
#include "engine/run_sequence.hpp"
#include "vorn/run.hpp"

namespace vorn {
namespace {

class MemoryRunFiles : public RunFiles {
 public:
  explicit MemoryRunFiles(MemoryFiles& files) : files_(files) {}
  std::optional<std::string> open_input(std::string& why) override {
    if (!files_.input) why = "no input";
    return files_.input;
  }
  Sink& open_debug() override {
    files_.debug.clear();
    return debug_;
  }
  Sink& open_report() override {
    report_open_ = true;
    return report_;
  }
  void close_report() override {
    if (report_open_) files_.report = report_.text;
  }
  void close_debug() override { files_.debug = debug_.text; }
  Sink& out() override { return out_; }
  Sink& err() override { return err_; }

  StringSink out_, err_;

 private:
  MemoryFiles& files_;
  StringSink debug_, report_;
  bool report_open_ = false;
};

}  // namespace

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
