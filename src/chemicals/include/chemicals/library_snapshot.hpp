// The library compiled into the program: the project's data file (data/chemicals/library.csv)
// as it was when the program was built.
#pragma once

#include <string_view>

#include "chemicals/library.hpp"

namespace vorn::chemicals {

// How values from it name their library.
inline constexpr const char* kSnapshotOrigin = "compiled snapshot";

// The data file's bytes.
std::string_view snapshot_library_text();

// Read once, on first use.
const Library& snapshot_library();

}  // namespace vorn::chemicals
