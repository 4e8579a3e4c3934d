#include "cli/mc_output.hpp"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

#include "cli/document_file.hpp"
#include "cli/run_date.hpp"
#include "cli/terminal.hpp"

namespace vorn::cli {

void add_document_options(CLI::App& app, McDocumentFiles& files) {
  app.add_option("--json", files.json, "write the statistics to FILE as JSON")->type_name("FILE");
  app.add_option("--csv", files.csv, "write the statistics to FILE as CSV, one value a row")
      ->type_name("FILE");
  app.add_option("--html", files.html, "write a page with the verdicts and charts to FILE")
      ->type_name("FILE");
  add_pdf_options(app, files.pdf);
}

std::string document_conflict(const CLI::App& app, const McDocumentFiles& files,
                              const std::string& samples, const std::string& part) {
  int to_stdout = 0;
  for (const std::string* f :
       {&files.json, &files.csv, &files.html, &files.pdf.file, &samples, &part})
    to_stdout += *f == kStandardOutput;
  if (to_stdout > 1) return "only one document can go to standard output";
  if (app.count("--paper") > 0 && files.pdf.file.empty()) return "--paper goes with --pdf";
  return "";
}

bool date_documents(const char* command, McDocumentFiles& files) {
  if (!files.pages()) return true;
  const std::optional<std::string> date = run_date(command);
  if (date) files.date = *date;
  return date.has_value();
}

namespace {

// Writes each document asked for, made only then; kFatalError when one could not be written.
// The PDF is printed from the page.
int write_each(const McDocumentFiles& files, const std::function<std::string()>& json,
               const std::function<std::string()>& csv, const std::function<std::string()>& html) {
  using Document = std::pair<const std::string&, const std::function<std::string()>&>;
  int status = 0;
  for (const Document& d : {Document{files.json, json}, {files.csv, csv}})
    if (!d.first.empty() && !write_document(d.first, d.second())) status = kFatalError;
  if (!files.pages()) return status;
  const std::string page = html();
  if (!files.html.empty() && !write_document(files.html, page)) status = kFatalError;
  if (files.pdf.file.empty()) return status;
  return with_pdf_status(status, write_pdf("vorn", files.pdf.file, files.pdf.paper(), page));
}

}  // namespace

int write_documents(const McDocumentFiles& files, const mc_run::PartDocuments& documents) {
  return write_each(
      files, [&] { return documents.json(); }, [&] { return documents.csv(); },
      [&] {
        return documents.html(PageStamp{files.date, {}, {}});
      });
}

int baseline_failed(const char* command, const Outcome& baseline) {
  std::string message;
  for (std::size_t k = 0; k < baseline.message.size(); ++k)
    message += (k > 0 ? "; " : "") + baseline.message[k];
  std::fprintf(stderr, "%s: the deterministic run did not complete: %s\n", command,
               message.c_str());
  for (const std::string& line : baseline.explanation)
    std::fprintf(stderr, "%s: %s\n", command, line.c_str());
  return baseline.exit_status();
}

std::function<void(std::uint64_t, std::uint64_t)> progress_bar(const char* command) {
  if (!standard_error_is_terminal()) return {};
  return [command](std::uint64_t done, std::uint64_t total) {
    constexpr int kWidth = 40;
    const int filled = static_cast<int>(kWidth * done / std::max<std::uint64_t>(total, 1));
    std::fprintf(stderr, "\r%s: [%-*s] %llu of %llu realizations", command, kWidth,
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    if (done >= total) std::fputc('\n', stderr);
    std::fflush(stderr);
  };
}

}  // namespace vorn::cli
