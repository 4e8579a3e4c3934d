#include "support/test_support.hpp"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

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

std::filesystem::path data_dir() { return VORN_TEST_DATA; }

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
