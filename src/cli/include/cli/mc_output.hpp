// What `vorn mc` and `vorn mc-merge` share: their document options and writing them, the
// message of a baseline run that did not complete, the progress bar.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <string>

#include "cli/pdf_output.hpp"
#include "mc_run/part_documents.hpp"
#include "vorn/outcome.hpp"

namespace vorn::cli {

inline constexpr int kFatalError = 3;

struct McDocumentFiles {
  std::string json, csv, html;
  PdfOptions pdf;
  // The date the page is stamped with, once it is known.
  std::string date;
  bool any() const { return !json.empty() || !csv.empty() || !html.empty() || !pdf.file.empty(); }
  bool pages() const { return !html.empty() || !pdf.file.empty(); }
};

void add_document_options(CLI::App& app, McDocumentFiles& files);

// Why the files asked for cannot all be written ("" when they can): only one can be
// standard output, and --paper goes with --pdf.
std::string document_conflict(const CLI::App& app, const McDocumentFiles& files,
                              const std::string& samples = {}, const std::string& part = {});

// Fills in the date when a page is asked for; false (the message on standard error) when the
// date cannot be had.
bool date_documents(const char* command, McDocumentFiles& files);

// Writes every document asked for, the PDF printed from the page; kFatalError when one could
// not be written, kUnavailable when only the PDF could not be made.
int write_documents(const McDocumentFiles& files, const mc_run::PartDocuments& documents);

// "<command>: the deterministic run did not complete: <message>" on standard error; that
// run's exit status.
int baseline_failed(const char* command, const Outcome& baseline);

// A bar on standard error when it is a terminal; otherwise none.
std::function<void(std::uint64_t, std::uint64_t)> progress_bar(const char* command);

}  // namespace vorn::cli
