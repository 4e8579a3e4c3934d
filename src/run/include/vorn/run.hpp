// C++ entry: one assessment run that returns its outcome instead of ending the process.
#pragma once

#include <filesystem>

#include "vorn/memory_files.hpp"
#include "vorn/outcome.hpp"

namespace vorn {

// One run on DIR/VORN.IN, writing DIR/VORN.DBG and DIR/VORN.OUT. Safe to call
// from several threads at once on different directories.
Outcome run(const std::filesystem::path& dir);

// The same run on files held in memory.
Outcome run(MemoryFiles& files);

// The run on DIR/VORN.IN with VORN.DBG and VORN.OUT kept in `files` (and the bytes read in
// files.input): nothing is written, and the outcome is the one run(dir) gives.
Outcome run(const std::filesystem::path& dir, MemoryFiles& files);

}  // namespace vorn
