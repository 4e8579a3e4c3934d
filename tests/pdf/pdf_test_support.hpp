// What the tests of printing share: environment variables set for a test, fake browsers, and
// the poppler tools that read a PDF back.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/test_support.hpp"

namespace vorn::test {

// Sets (or, with none, removes) an environment variable for the life of the object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// An executable shell script `name` in `dir` with `body` after its #! line.
inline std::filesystem::path shell_script(const ScratchDir& dir, const std::string& name,
                                          const std::string& body) {
  const std::filesystem::path file = dir / name;
  write_text(file, "#!/bin/sh\n" + body);
  ::chmod(file.c_str(), 0755);
  return file;
}

// Whether a program is on PATH.
inline bool have_program(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace vorn::test
