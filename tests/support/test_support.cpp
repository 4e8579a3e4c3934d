#include "support/test_support.hpp"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vorn::test {

std::string read_text(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_text(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::filesystem::path data_dir() {
  return VORN_TEST_DATA;
}

std::filesystem::path examples_dir() {
  return data_dir().parent_path().parent_path() / "examples";
}

std::filesystem::path shipped_scenario() {
  return examples_dir() / "montecarlo" / "scenario.toml";
}

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("vorn-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

MemoryRun run_text(const std::string& input) {
  MemoryRun r;
  r.files.input = input;
  r.outcome = run(r.files);
  return r;
}

namespace {

int exit_code(int wstatus) {
  if (WIFEXITED(wstatus)) return WEXITSTATUS(wstatus);
  if (WIFSIGNALED(wstatus)) return 128 + WTERMSIG(wstatus);
  return -1;
}

// Forks; the child redirects its output into two files of `capture`, changes to
// `cwd` and runs `child`, which never returns.
template <class Child>
ProcessResult forked(const std::filesystem::path& cwd, Child child) {
  ScratchDir capture;
  const std::string out_path = (capture / "stdout").string();
  const std::string err_path = (capture / "stderr").string();
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(cwd.c_str()) != 0)
      _exit(125);
    child();
    _exit(126);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  ProcessResult r;
  r.status = exit_code(wstatus);
  r.out = read_text(out_path);
  r.err = read_text(err_path);
  return r;
}

}  // namespace

ProcessResult run_process(const std::vector<std::string>& argv, const std::filesystem::path& cwd) {
  return forked(cwd, [&] {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  });
}

ProcessResult run_in_child(const std::filesystem::path& cwd, int (*body)(void*), void* arg) {
  return forked(cwd, [&] {
    const int code = body(arg);
    std::fflush(nullptr);
    _exit(code);
  });
}

std::string without_warnings(const std::string& err) {
  std::string kept;
  for (const std::string& line : lines_of(err))
    if (line.rfind("vorn: warning: ", 0) != 0) kept += line + "\n";
  return kept;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string InputBuilder::text() const {
  std::string s = site;
  s += std::to_string(properties.size()) + "\n";
  s += "ChemicalName @ CAS MCL CSFO CSFI ORDO RFCI ...\n";
  for (const auto& p : properties) s += p + "\n";
  s += "TCLP FLAG TOTC FLAG\n";
  for (const auto& c : concentrations) s += c + "\n";
  s += "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n";
  for (const auto& d : daf_rows) s += d + "\n";
  return s;
}

std::string property_line(const std::string& name, const std::string& cas,
                          const std::vector<std::string>& values) {
  std::string s = name + " @ " + cas;
  for (const auto& v : values) s += " " + v;
  return s;
}

}  // namespace vorn::test
