// vorn [DIR]: one assessment run in DIR (default: the current directory).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "report/html_page.hpp"
#include "vorn/run.hpp"
#include "vorn/version.hpp"

namespace {

constexpr int kUsageError = 64;

const char* const kUsage =
    "usage: vorn [DIR] [--html FILE]\n"
    "       vorn --help | --version\n"
    "\n"
    "Runs one risk assessment on DIR/VORN.IN (default: the current directory),\n"
    "writing the echo log DIR/VORN.DBG and the report DIR/VORN.OUT.\n"
    "--html FILE also writes a page with charts of the outcome to FILE.\n"
    "\n"
    "exit status: 0 completed, 1 VORN.IN cannot be opened, 2 run stopped,\n"
    "             3 fatal input error, 64 usage error\n";

int usage_error(const std::string& what) {
  std::fprintf(stderr, "vorn: %s\n%s", what.c_str(), kUsage);
  return kUsageError;
}

std::string join(const std::vector<std::string>& lines, const char* sep) {
  std::string out;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) out += sep;
    out += lines[k];
  }
  return out;
}

// The page of the outcome; false when FILE cannot be written.
bool write_html(const std::string& file, const vorn::Outcome& outcome) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << vorn::html_page(outcome);
  out.close();
  return !out.fail();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string dir;
  bool have_dir = false;
  std::string html_file;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a == "--version") {
      std::printf("vorn %s\n", vorn::kVersion);
      return 0;
    }
    if (a == "--html") {
      if (k + 1 == args.size()) return usage_error("--html needs a file name");
      html_file = args[++k];
      continue;
    }
    if (a.size() > 1 && a[0] == '-') return usage_error("unknown option " + a);
    if (have_dir) return usage_error("more than one directory given");
    dir = a;
    have_dir = true;
  }

  try {
    const vorn::Outcome outcome = vorn::run(std::filesystem::path(dir));
    std::fputs(outcome.stdout_text.c_str(), stdout);
    std::fflush(stdout);
    switch (outcome.status) {
      case vorn::Status::completed: break;
      case vorn::Status::input_missing:
      case vorn::Status::fatal_input_error:
        std::fprintf(stderr, "%s\n", outcome.message.front().c_str());
        break;
      case vorn::Status::stopped: {
        const std::filesystem::path file =
            dir.empty() ? std::filesystem::path(outcome.message_file)
                        : std::filesystem::path(dir) / outcome.message_file;
        std::fprintf(stderr, "vorn: run stopped: %s (in %s)\n",
                     join(outcome.message, "; ").c_str(), file.string().c_str());
        break;
      }
    }
    if (!html_file.empty() && !write_html(html_file, outcome)) {
      std::fprintf(stderr, "vorn: cannot write %s\n", html_file.c_str());
      return 3;
    }
    return outcome.exit_status();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn: internal error: %s\n", e.what());
    return 3;
  }
}
