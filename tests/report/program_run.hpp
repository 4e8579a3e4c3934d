// Running the vorn program on a directory, as a user would.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_support.hpp"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace vorn::test {

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

// `vorn DIR`; standard output and error are captured in files beside DIR.
inline ProgramRun run_program(const std::filesystem::path& dir) {
  const std::filesystem::path out = dir.string() + ".stdout";
  const std::filesystem::path err = dir.string() + ".stderr";
  const std::string command = std::string("\"") + VORN_CLI + "\" \"" + dir.string() + "\" >\"" +
                              out.string() + "\" 2>\"" + err.string() + "\"";
  const int raw = std::system(command.c_str());
  ProgramRun r;
#ifdef _WIN32
  r.status = raw;
#else
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  r.out = read_text(out);
  r.err = read_text(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

}  // namespace vorn::test
