// Runs the streams of a batch on a few threads and keeps one summary row per stream.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "batch/stream_summary.hpp"
#include "batch/streams.hpp"

namespace vorn::batch {

struct BatchOptions {
  unsigned threads = 1;
  // Also write each stream's page as report.html in its directory.
  bool write_pages = false;
  // Without write_pages: write each stream's page into this directory instead, as
  // <position>.html, to be printed (empty: none).
  std::filesystem::path print_pages_to;
  // The date the pages are stamped with, "YYYY-MM-DD" (UTC).
  std::string date;
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
