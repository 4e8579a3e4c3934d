#include "batch/batch_run.hpp"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

#include "batch/input_digest.hpp"
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

// One stream from start to summary; its outcome ends here. `position` is its place in the
// batch, from 0.
StreamSummary run_stream(const Stream& stream, std::size_t position, const BatchOptions& options) {
  Outcome outcome;
  try {
    outcome = run(stream.dir);
  } catch (const std::exception& e) {
    outcome = Outcome{};
    outcome.status = Status::fatal_input_error;
    outcome.message = {std::string("vorn: internal error: ") + e.what()};
  }
  StreamSummary summary = summarize(stream, outcome);
  const bool print_only = !options.write_pages && !options.print_pages_to.empty();
  // A directory that does not exist gets no page: the run created nothing there either.
  std::error_code ec;
  if ((options.write_pages || print_only) &&
      std::filesystem::is_directory(stream.dir.empty() ? "." : stream.dir, ec)) {
    summary.input_sha256 = input_digest(stream.dir / "VORN.IN");
    const std::filesystem::path page =
        print_only ? options.print_pages_to / (std::to_string(position + 1) + ".html")
                   : stream.dir / kPageName;
    try {
      summary.page_error = write_page(
          page, html_page(outcome, PageStamp{options.date, stream.label, summary.input_sha256}));
    } catch (const std::exception& e) {
      summary.page_error = "cannot make " + page.string() + ": " + e.what();
    }
    if (summary.page_error.empty()) (print_only ? summary.print_page : summary.page) = page;
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
      StreamSummary row = run_stream(streams[k], k, options);
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
