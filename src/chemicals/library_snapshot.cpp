#include "chemicals/library_snapshot.hpp"

#include "chemicals/library_file.hpp"

namespace vorn::chemicals {

const Library& snapshot_library() {
  static const Library library = read_library(snapshot_library_text(), kSnapshotOrigin);
  return library;
}

}  // namespace vorn::chemicals
