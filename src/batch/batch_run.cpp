#include "batch/batch_run.hpp"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

#include "vorn/results_html.hpp"
#include "vorn/run.hpp"

namespace vorn::batch {
namespace {

// Why `text` could not be written to `file`; nothing when it was.
std::string write_page(const std::filesystem::path& file, const std::string& text) {
  std::FILE* f = std::fopen(file.string().c_str(), "wb");
  if (f == nullptr) return "cannot create " + file.string() + ": " + std::strerror(errno);
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const int write_errno = errno;
  const bool closed = std::fclose(f) == 0;
  if (written && closed) return {};
  return "cannot write " + file.string() + ": " +
         std::strerror(!written && write_errno != 0 ? write_errno : errno);
}

// One stream from start to summary; its outcome ends here.
StreamSummary run_stream(const Stream& stream, bool write_pages) {
  Outcome outcome;
  try {
    outcome = run(stream.dir);
  } catch (const std::exception& e) {
    outcome = Outcome{};
    outcome.status = Status::fatal_input_error;
    outcome.message = {std::string("vorn: internal error: ") + e.what()};
  }
  StreamSummary summary = summarize(stream, outcome);
  // A directory that does not exist gets no page: the run created nothing there either.
  std::error_code ec;
  if (write_pages && std::filesystem::is_directory(stream.dir.empty() ? "." : stream.dir, ec)) {
    const std::filesystem::path page = stream.dir / kPageName;
    try {
      summary.page_error = write_page(page, html_page(outcome));
    } catch (const std::exception& e) {
      summary.page_error = "cannot make " + page.string() + ": " + e.what();
    }
    if (summary.page_error.empty()) summary.page = page;
  }
  return summary;
}

}  // namespace

std::vector<StreamSummary> run_batch(const std::vector<Stream>& streams,
                                     const BatchOptions& options, const Progress& progress) {
  std::vector<StreamSummary> rows(streams.size());
  std::atomic<std::size_t> next{0};
  std::mutex finished;
  std::size_t done = 0, failed = 0;

  const auto work = [&] {
    for (std::size_t k = next++; k < streams.size(); k = next++) {
      StreamSummary row = run_stream(streams[k], options.write_pages);
      const std::lock_guard lock(finished);
      ++done;
      if (row.failed()) ++failed;
      rows[k] = std::move(row);
      if (progress) progress(done, failed);
    }
  };
  const std::size_t threads =
      std::clamp<std::size_t>(options.threads, 1, std::max<std::size_t>(streams.size(), 1));
  std::vector<std::thread> pool;
  for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  return rows;
}

}  // namespace vorn::batch
