#include "cli/pdf_output.hpp"

#include <algorithm>
#include <cstdio>

#include "cli/document_file.hpp"
#include "pdf/print_error.hpp"

namespace vorn::cli {
namespace {

constexpr int kFatalError = 3;

}  // namespace

void add_pdf_options(CLI::App& app, PdfOptions& options, const char* help) {
  app.add_option("--pdf", options.file, help)->type_name("FILE");
  app.add_option("--paper", options.paper_name, "the PDF's paper: a4 (default) or letter")
      ->type_name("NAME")
      ->check(CLI::IsMember({"a4", "letter"}));
}

std::unique_ptr<pdf::PrintSession> start_printing(const char* command, pdf::Paper paper) {
  try {
    return std::make_unique<pdf::PrintSession>(pdf::settings_from_environment(paper));
  } catch (const pdf::PrintError& e) {
    std::fprintf(stderr, "%s: no PDF: %s\n", command, e.what());
    return nullptr;
  }
}

int write_pdf(const char* command, const std::string& file, pdf::Paper paper,
              const std::string& html) {
  std::string bytes;
  {
    const auto session = start_printing(command, paper);
    if (!session) return kUnavailable;
    try {
      bytes = session->print(pdf::PrintJob{{}, html, {}});
    } catch (const pdf::PrintError& e) {
      std::fprintf(stderr, "%s: no PDF: %s\n", command, e.what());
      return kUnavailable;
    }
  }
  return write_document(file, bytes) ? 0 : kFatalError;
}

int with_pdf_status(int status, int pdf_status) {
  if (pdf_status == kUnavailable) return status == 0 ? kUnavailable : status;
  return std::max(status, pdf_status);
}

}  // namespace vorn::cli
