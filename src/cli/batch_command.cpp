// vorn batch DIR... | --manifest FILE: many waste streams, each an ordinary run, with a
// summary of them all.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "batch/batch_run.hpp"
#include "batch/index_page.hpp"
#include "batch/summary_documents.hpp"
#include "cli/command_line.hpp"
#include "cli/document_file.hpp"
#include "cli/subcommands.hpp"
#include "cli/terminal.hpp"

namespace vorn::cli {
namespace {

constexpr int kFatalError = 3;

constexpr const char* kFooter =
    "Each stream is a directory (or its VORN.IN) run as `vorn DIR` would run it, writing\n"
    "VORN.DBG and VORN.OUT there; with --html also its page report.html. A manifest is a CSV\n"
    "file with a header row: a path column and an optional label column; relative paths are\n"
    "taken from the manifest's directory. A FILE of - is standard output.\n"
    "\n"
    "exit status: the highest of the streams' (0 completed, 1 VORN.IN cannot be opened,\n"
    "             2 run stopped, 3 fatal input error); 3 also when a summary or page cannot\n"
    "             be written; 64 usage error, a bad manifest or a directory given twice";

struct BatchArgs {
  std::vector<std::string> dirs;
  std::string manifest;
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::string summary, html, json;
};

// Progress on a terminal only: the line is redrawn after each stream.
batch::Progress progress_for(std::size_t total) {
  if (!standard_error_is_terminal()) return {};
  return [total](std::size_t done, std::size_t failed) {
    std::fprintf(stderr, "\rvorn batch: %zu of %zu streams done, %zu failed", done, total, failed);
    if (done == total) std::fputc('\n', stderr);
    std::fflush(stderr);
  };
}

// Standard error gets one line per stream that did not complete; the status is the
// highest of them all.
int report_streams(const std::vector<batch::StreamSummary>& rows) {
  int status = 0;
  for (const batch::StreamSummary& s : rows) {
    status = std::max(status, s.exit_status);
    if (s.failed())
      std::fprintf(stderr, "vorn batch: %s: %s: %s\n", s.path.c_str(), status_word(s.status),
                   s.message.c_str());
    if (!s.page_error.empty()) {
      std::fprintf(stderr, "vorn batch: fatal error: %s\n", s.page_error.c_str());
      status = std::max(status, kFatalError);
    }
  }
  return status;
}

int run_batch_command(const CLI::App& app, const BatchArgs& args) {
  std::vector<batch::Stream> streams;
  if (!args.manifest.empty()) {
    try {
      streams = batch::read_manifest(args.manifest);
    } catch (const batch::ManifestError& e) {
      std::fprintf(stderr, "vorn batch: manifest %s\n", e.what());
      return kUsageError;
    }
  } else {
    streams = batch::streams_from_arguments(args.dirs);
  }
  if (const auto same = batch::find_same_directory(streams)) {
    const auto shown = [](const std::filesystem::path& dir) {
      return dir.empty() ? std::string(".") : dir.string();
    };
    return usage_error(app, shown(streams[same->first].dir) + " and " +
                                shown(streams[same->second].dir) +
                                " are the same directory: their runs would write the same files");
  }

  const batch::BatchOptions options{args.threads, !args.html.empty()};
  const auto rows = batch::run_batch(streams, options, progress_for(streams.size()));
  int status = report_streams(rows);
  const auto write = [&](const std::string& file, const auto& render) {
    if (!file.empty() && !write_document(file, render())) status = std::max(status, kFatalError);
  };
  write(args.summary, [&] { return batch::summary_csv(rows); });
  write(args.json, [&] { return batch::summary_json(rows); });
  // An index on standard output links from the current directory.
  const std::string index_file = args.html == kStandardOutput ? "index.html" : args.html;
  write(args.html, [&] { return batch::index_page(rows, index_file); });
  return status;
}

}  // namespace

int batch_main(int argc, char** argv) {
  CLI::App app{"Runs many waste streams at once, in parallel, and summarizes them.", "vorn batch"};
  app.footer(kFooter);
  BatchArgs args;
  app.add_option("DIR", args.dirs, "a waste stream's directory (or its VORN.IN)")->type_name("");
  app.add_option("--manifest", args.manifest, "the streams, as a CSV file")->type_name("FILE");
  app.add_option("--threads", args.threads, "runs at a time (default: the processor count)")
      ->type_name("T")
      ->check(CLI::PositiveNumber);
  app.add_option("--summary", args.summary, "write one CSV row per stream to FILE")
      ->type_name("FILE");
  app.add_option("--html", args.html, "write pages, and an index page of them to FILE")
      ->type_name("FILE");
  app.add_option("--json", args.json, "write the summary as a JSON array to FILE")
      ->type_name("FILE");

  if (const auto status = parse_command_line(app, argc, argv)) return *status;
  if (args.dirs.empty() == args.manifest.empty())
    return usage_error(app, "give either the streams' directories or --manifest FILE");
  const int to_standard_output = static_cast<int>(args.summary == kStandardOutput) +
                                 static_cast<int>(args.html == kStandardOutput) +
                                 static_cast<int>(args.json == kStandardOutput);
  if (to_standard_output > 1)
    return usage_error(app, "only one document can go to standard output");

  try {
    return run_batch_command(app, args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn batch: internal error: %s\n", e.what());
    return kFatalError;
  }
}

}  // namespace vorn::cli
