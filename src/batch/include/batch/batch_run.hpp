// Runs the streams of a batch on a few threads and keeps one summary row per stream.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "batch/stream_summary.hpp"
#include "batch/streams.hpp"

namespace vorn::batch {

struct BatchOptions {
  unsigned threads = 1;
  // Also write each stream's page as report.html in its directory.
  bool write_pages = false;
};

// Called after each stream, one call at a time: streams finished, of them failed.
using Progress = std::function<void(std::size_t done, std::size_t failed)>;

// Each stream is an ordinary run of its directory. A stream that fails, or throws,
// leaves the others running. Rows come back in the order of `streams`.
std::vector<StreamSummary> run_batch(const std::vector<Stream>& streams,
                                     const BatchOptions& options, const Progress& progress = {});

// The name of a stream's page in its directory.
inline constexpr const char* kPageName = "report.html";

}  // namespace vorn::batch
