// --pdf FILE and --paper NAME, as every command that writes pages takes them, and the status
// a PDF that cannot be made leaves.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "pdf/paper.hpp"
#include "pdf/print_session.hpp"

namespace vorn::cli {

// The status of a command whose PDF alone could not be made (sysexits' EX_UNAVAILABLE).
inline constexpr int kUnavailable = 69;

struct PdfOptions {
  std::string file;  // none asked for when empty
  std::string paper_name = "a4";
  pdf::Paper paper() const { return *pdf::paper_named(paper_name); }
};

// --pdf FILE with `help`, and --paper NAME.
void add_pdf_options(CLI::App& app, PdfOptions& options,
                     const char* help = "print the page to FILE as PDF (through a browser)");

// A print session on `paper`, with the settings of the environment; none, with the reason
// after `command` on standard error, when no browser can print.
std::unique_ptr<pdf::PrintSession> start_printing(const char* command, pdf::Paper paper);

// Prints `html` to `file` ("-": standard output) in a session of its own. 0; kFatalError
// when the file cannot be written; kUnavailable when no PDF can be made (the reason, after
// `command`, on standard error).
int write_pdf(const char* command, const std::string& file, pdf::Paper paper,
              const std::string& html);

// The status of a command from that of everything else and that of its PDFs: a PDF that
// cannot be made gives kUnavailable only when all else succeeded.
int with_pdf_status(int status, int pdf_status);

}  // namespace vorn::cli
