// The libraries a lookup or a fill takes its values from: the library files a user names, in
// the order given, then the snapshot compiled into the program.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chemicals/library.hpp"
#include "chemicals/library_stack.hpp"

namespace vorn::chemicals {

class LibraryFiles {
 public:
  // Throws DataError when a file cannot be read or is not a library.
  explicit LibraryFiles(const std::vector<std::string>& files);
  const LibraryStack& stack() const { return stack_; }

 private:
  std::vector<std::unique_ptr<Library>> files_;
  LibraryStack stack_;
};

}  // namespace vorn::chemicals
