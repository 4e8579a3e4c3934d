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
#include "cli/help_style.hpp"
#include "cli/pdf_output.hpp"
#include "cli/run_date.hpp"
#include "cli/subcommands.hpp"
#include "cli/terminal.hpp"
#include "pdf/print_error.hpp"
#include "pdf/temporary_directory.hpp"

namespace vorn::cli {
namespace {

constexpr int kFatalError = 3;

constexpr const char* kFooter =
    "Each stream is a directory (or its VORN.IN) run as `vorn DIR` would run it, writing\n"
    "VORN.DBG and VORN.OUT there; with --html also its page report.html. A manifest is a CSV\n"
    "file with a header row: a path column and an optional label column; relative paths are\n"
    "taken from the manifest's directory. A FILE of - is standard output. --pdf prints the\n"
    "index to FILE and each stream's page to report.pdf in its directory, in one session of a\n"
    "Chromium-family browser (VORN_BROWSER names one); the printed index links to them.\n"
    "\n"
    "exit status: the highest of the streams' (0 completed, 1 VORN.IN cannot be opened,\n"
    "             2 run stopped, 3 fatal input error); 3 also when a summary, page or PDF\n"
    "             cannot be written; 64 usage error, a bad manifest or a directory given\n"
    "             twice; 69 no PDF could be made while all else succeeded";

// Each stream's printed page in its directory.
constexpr const char* kPdfName = "report.pdf";

struct BatchArgs {
  std::vector<std::string> dirs;
  std::string manifest;
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::string summary, html, json;
  PdfOptions pdf;
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

// Standard output gets one line per stream, its verdict; standard error one more for each
// stream that did not complete, and one for each whose sources.csv could not be used. The
// status is the highest of them all.
int report_streams(const std::vector<batch::StreamSummary>& rows) {
  int status = 0;
  for (const batch::StreamSummary& s : rows) {
    status = std::max(status, s.exit_status);
    std::printf("%s\n", s.line().c_str());
    if (s.failed()) {
      // The run's message names its kind of failure already ("vorn: fatal input error ...").
      const bool worded = s.message.rfind("vorn: ", 0) == 0;
      std::fprintf(stderr, "vorn batch: %s: %s%s\n", s.path.c_str(),
                   worded ? "" : (std::string(status_word(s.status)) + ": ").c_str(),
                   worded ? s.message.c_str() + 6 : s.message.c_str());
      for (const std::string& line : s.explanation)
        std::fprintf(stderr, "vorn batch: %s: %s\n", s.path.c_str(), line.c_str());
    }
    if (!s.sources_warning.empty())
      std::fprintf(stderr, "vorn batch: %s: warning: %s\n", s.path.c_str(),
                   s.sources_warning.c_str());
    if (!s.page_error.empty()) {
      std::fprintf(stderr, "vorn batch: fatal error: %s\n", s.page_error.c_str());
      status = std::max(status, kFatalError);
    }
  }
  return status;
}

// Prints each stream's page to report.pdf in its directory, then the index, linking to them,
// to args.pdf.file: 0, kFatalError when a PDF could not be written, kUnavailable when the
// browser could not print.
int print_batch(const BatchArgs& args, const std::vector<batch::Stream>& streams,
                const std::vector<batch::StreamSummary>& rows, const PageStamp& stamp) {
  const auto session = start_printing("vorn batch", args.pdf.paper());
  if (!session) return kUnavailable;
  // The printed index links to the PDFs that were written.
  std::vector<batch::StreamSummary> printed = rows;
  int status = 0;
  try {
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const std::filesystem::path source = rows[k].page.empty() ? rows[k].print_page : rows[k].page;
      printed[k].page.clear();
      if (source.empty()) continue;
      const std::filesystem::path file = streams[k].dir / kPdfName;
      if (!write_document(file.string(), session->print(pdf::PrintJob{source, {}, {}}))) {
        status = kFatalError;
        continue;
      }
      printed[k].page = file;
    }
    const bool to_stdout = args.pdf.file == kStandardOutput;
    const std::filesystem::path index = to_stdout ? "index.pdf" : args.pdf.file;
    const std::filesystem::path index_dir =
        std::filesystem::absolute(index).lexically_normal().parent_path();
    const std::string pdf =
        session->print(pdf::PrintJob{{}, batch::index_page(printed, index, stamp), index_dir});
    if (!write_document(args.pdf.file, pdf)) status = kFatalError;
  } catch (const pdf::PrintError& e) {
    std::fprintf(stderr, "vorn batch: no PDF: %s\n", e.what());
    return with_pdf_status(status, kUnavailable);
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

  batch::BatchOptions options;
  options.threads = args.threads;
  options.write_pages = !args.html.empty();
  PageStamp stamp;
  if (!args.html.empty() || !args.pdf.file.empty()) {
    const std::optional<std::string> date = run_date("vorn batch");
    if (!date) return kUsageError;
    stamp.date = options.date = *date;
  }
  // Pages only to print are written to a directory of their own, removed at the end.
  std::optional<pdf::TemporaryDirectory> print_pages;
  if (!args.pdf.file.empty() && args.html.empty() && pdf::printing_supported()) {
    try {
      print_pages.emplace("vorn-pages-");
      options.print_pages_to = print_pages->path();
    } catch (const std::filesystem::filesystem_error& e) {
      std::fprintf(stderr, "vorn batch: no PDF: %s\n", e.what());
    }
  }
  const auto rows = batch::run_batch(streams, options, progress_for(streams.size()));
  int status = report_streams(rows);
  const auto write = [&](const std::string& file, const auto& render) {
    if (!file.empty() && !write_document(file, render())) status = std::max(status, kFatalError);
  };
  write(args.summary, [&] { return batch::summary_csv(rows); });
  write(args.json, [&] { return batch::summary_json(rows); });
  // An index on standard output links from the current directory.
  const std::string index_file = args.html == kStandardOutput ? "index.html" : args.html;
  write(args.html, [&] { return batch::index_page(rows, index_file, stamp); });
  if (args.pdf.file.empty()) return status;
  return with_pdf_status(status, print_batch(args, streams, rows, stamp));
}

}  // namespace

int batch_main(int argc, char** argv) {
  CLI::App app{"Runs many waste streams at once, in parallel, and summarizes them.", "vorn batch"};
  use_house_style(app);
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
  add_pdf_options(app, args.pdf,
                  "print the index to FILE as PDF, each stream's page to its report.pdf");

  if (const auto status = parse_command_line(app, argc, argv)) return *status;
  if (args.dirs.empty() == args.manifest.empty())
    return usage_error(app, "give either the streams' directories or --manifest FILE");
  const int to_standard_output = static_cast<int>(args.summary == kStandardOutput) +
                                 static_cast<int>(args.html == kStandardOutput) +
                                 static_cast<int>(args.json == kStandardOutput) +
                                 static_cast<int>(args.pdf.file == kStandardOutput);
  if (to_standard_output > 1)
    return usage_error(app, "only one document can go to standard output");
  if (app.count("--paper") > 0 && args.pdf.file.empty())
    return usage_error(app, "--paper goes with --pdf");

  try {
    return run_batch_command(app, args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn batch: internal error: %s\n", e.what());
    return kFatalError;
  }
}

}  // namespace vorn::cli
