// The libraries a chemical command looks values up in: the --library files in the order
// given, then the snapshot compiled into the program.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chemicals/data_error.hpp"
#include "chemicals/library_stack.hpp"

namespace vorn::cli {

// Exit status of input that cannot be used.
inline constexpr int kBadInput = 3;

class ChemicalLibraries {
 public:
  // Throws chemicals::DataError when a file cannot be read or is not a library.
  explicit ChemicalLibraries(const std::vector<std::string>& files);
  const chemicals::LibraryStack& stack() const { return stack_; }

 private:
  std::vector<std::unique_ptr<chemicals::Library>> files_;
  chemicals::LibraryStack stack_;
};

// Each problem on its own line of standard error, after "vorn COMMAND: ".
inline void print_problems(const char* command, const chemicals::DataError& e) {
  for (const std::string& p : e.problems()) std::fprintf(stderr, "%s: %s\n", command, p.c_str());
}

}  // namespace vorn::cli
