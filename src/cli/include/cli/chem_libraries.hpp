// The libraries a chemical command looks values up in (the --library files in the order
// given, then the snapshot compiled into the program), and how its problems are reported.
#pragma once

#include <cstdio>

#include "chemicals/data_error.hpp"
#include "chemicals/library_files.hpp"

namespace vorn::cli {

// Exit status of input that cannot be used.
inline constexpr int kBadInput = 3;

using ChemicalLibraries = chemicals::LibraryFiles;

// Each problem on its own line of standard error, after "vorn COMMAND: ".
inline void print_problems(const char* command, const chemicals::DataError& e) {
  for (const std::string& p : e.problems()) std::fprintf(stderr, "%s: %s\n", command, p.c_str());
}

}  // namespace vorn::cli
