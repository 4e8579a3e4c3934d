// vorn [DIR] [--json FILE] [--csv FILE] [--html FILE] [--pdf FILE [--paper NAME]]: one
// assessment run in DIR (default: the current directory), with its results exported on
// request. Its texts are older than the subcommands' parser and stay as they are, so this one
// is read by hand.
#include <array>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "batch/input_digest.hpp"
#include "batch/streams.hpp"
#include "chemicals/run_sources.hpp"
#include "cli/document_file.hpp"
#include "cli/pdf_output.hpp"
#include "cli/run_date.hpp"
#include "cli/subcommands.hpp"
#include "vorn/results_csv.hpp"
#include "vorn/results_html.hpp"
#include "vorn/results_json.hpp"
#include "vorn/run.hpp"
#include "vorn/version.hpp"

namespace vorn::cli {
namespace {

constexpr int kFatalError = 3;

// A document the program writes after a run to the file its option names; render
// gives nothing for an outcome that has no such document. A new export is one more
// entry in kExports.
// Pages also take the stamp (the date, the stream's name, the input's digest); `printed`
// exports are the page printed to PDF.
struct Export {
  const char* option;
  const char* help;
  std::optional<std::string> (*render)(const vorn::Outcome&, const vorn::PageStamp&);
  bool page = false;
  bool printed = false;
};

std::optional<std::string> json_document(const vorn::Outcome& outcome, const vorn::PageStamp&) {
  return vorn::results_json(outcome);
}

std::optional<std::string> csv_document(const vorn::Outcome& outcome, const vorn::PageStamp&) {
  if (outcome.status != vorn::Status::completed) return std::nullopt;
  return vorn::results_csv(*outcome.results);
}

std::optional<std::string> html_document(const vorn::Outcome& outcome,
                                         const vorn::PageStamp& stamp) {
  return vorn::html_page(outcome, stamp);
}

const Export kExports[] = {
    {"--json",
     "also write every value of the run to FILE as JSON\n"
     "(a run that did not complete: its status and message)",
     json_document},
    {"--csv", "also write one row per chemical to FILE as CSV\n(completed runs only)",
     csv_document},
    {"--html", "also write a page with charts of the outcome to FILE", html_document, true},
    {"--pdf",
     "also print that page to FILE as PDF, through a\n"
     "Chromium-family browser (VORN_BROWSER names one)",
     html_document, true, true},
};
constexpr std::size_t kExportCount = std::size(kExports);

std::string usage_lines() {
  std::string text = "usage: vorn [DIR]";
  for (const Export& e : kExports) text += std::string(" [") + e.option + " FILE]";
  return text +
         " [--paper NAME]\n"
         "       vorn COMMAND ... | vorn help [COMMAND] | vorn --help | --version\n";
}

std::string usage() {
  std::string text = usage_lines() +
                     "\n"
                     "Runs one risk assessment on DIR/VORN.IN (default: the current directory;\n"
                     "DIR may also be given as DIR/VORN.IN), writing the echo log DIR/VORN.DBG\n"
                     "and the report DIR/VORN.OUT.\n"
                     "\n";
  for (const Export& e : kExports) {
    // Option and help in two columns; the help's further lines under its first.
    std::string column = std::string("  ") + e.option + " FILE";
    column.resize(16, ' ');
    for (const char* c = e.help; *c != '\0'; ++c)
      column += *c == '\n' ? "\n" + std::string(16, ' ') : std::string(1, *c);
    text += column + "\n";
  }
  text +=
      "  --paper NAME  the PDF's paper: a4 (default) or letter\n"
      "  A relative FILE is taken from the current directory; - is standard output,\n"
      "  and the closing line then goes to standard error. Pages are dated\n"
      "  SOURCE_DATE_EPOCH (seconds since 1970) when it is set, else today (UTC).\n"
      "\n"
      "exit status: 0 completed, 1 VORN.IN cannot be opened, 2 run stopped,\n"
      "             3 fatal input error or an export that cannot be written,\n"
      "             64 usage error, 69 no PDF could be made (no browser, or it\n"
      "             failed) while all else succeeded\n"
      "\n";
  return text + subcommand_lines();
}

int usage_error(const std::string& what) {
  std::fprintf(stderr, "vorn: %s\n%ssee vorn --help\n", what.c_str(), usage_lines().c_str());
  return kUsageError;
}

struct Options {
  std::string dir;
  bool have_dir = false;
  std::optional<std::string> paper;
  // The FILE of each export that was asked for, in the order of kExports.
  std::array<std::optional<std::string>, kExportCount> files;

  bool any_to_standard_output() const {
    for (const auto& file : files)
      if (file == kStandardOutput) return true;
    return false;
  }
};

const Export* find_export(const std::string& option) {
  for (const Export& e : kExports)
    if (option == e.option) return &e;
  return nullptr;
}

// Reads the arguments into `options`; an exit status when the program ends here.
std::optional<int> parse_arguments(const std::vector<std::string>& args, Options& options) {
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    if (a == "--help" || a == "-h") {
      std::fputs(usage().c_str(), stdout);
      return 0;
    }
    if (a == "--version") {
      std::printf("vorn %s\n", vorn::kVersion);
      return 0;
    }
    if (a.size() > 1 && a[0] == '-') {
      // --name FILE or --name=FILE
      const std::size_t equals = a.find('=');
      if (a.substr(0, equals) == "--paper") {
        std::string name;
        if (equals != std::string::npos) {
          name = a.substr(equals + 1);
        } else if (k + 1 < args.size()) {
          name = args[++k];
        }
        if (options.paper) return usage_error("--paper given more than once");
        if (!pdf::paper_named(name)) return usage_error("--paper takes a4 or letter");
        options.paper = name;
        continue;
      }
      const Export* e = find_export(a.substr(0, equals));
      if (e == nullptr) return usage_error("unknown option " + a);
      std::string file;
      if (equals != std::string::npos) {
        file = a.substr(equals + 1);
      } else if (k + 1 < args.size()) {
        file = args[++k];
      }
      if (file.empty()) return usage_error(std::string(e->option) + " needs a FILE");
      auto& slot = options.files[static_cast<std::size_t>(e - kExports)];
      if (slot) return usage_error(std::string(e->option) + " given more than once");
      if (file == kStandardOutput && options.any_to_standard_output())
        return usage_error("only one export can go to standard output");
      slot = file;
      continue;
    }
    if (find_subcommand(a) != nullptr)
      return usage_error(a + " is a subcommand: give it first, or ./" + a + " for a directory");
    if (options.have_dir) return usage_error("more than one directory given");
    options.dir = batch::run_directory(a).string();
    options.have_dir = true;
  }
  const auto& pdf_file = options.files[kExportCount - 1];
  if (options.paper && !pdf_file) return usage_error("--paper goes with --pdf");
  return std::nullopt;
}

// The stream's name on its page: the directory as given, or the current directory's name.
std::string stream_name(const std::string& dir) {
  if (!dir.empty()) return dir;
  std::error_code ec;
  const std::filesystem::path here = std::filesystem::current_path(ec);
  return ec || here.filename().empty() ? "." : here.filename().string();
}

// The run's lines end in the platform's terminator; a text-mode stream adds the CR
// of a CRLF itself, so the text it gets holds plain line feeds.
std::string for_text_stream(std::string text) {
#ifdef _WIN32
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k)
    if (!(text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n')) out += text[k];
  return out;
#else
  return text;
#endif
}

std::string join(const std::vector<std::string>& lines, const char* sep) {
  std::string out;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) out += sep;
    out += lines[k];
  }
  return out;
}

void report_outcome(const vorn::Outcome& outcome, const std::string& dir) {
  switch (outcome.status) {
    case vorn::Status::completed:
      break;
    case vorn::Status::input_missing:
    case vorn::Status::fatal_input_error:
      if (outcome.explanation.empty())
        std::fprintf(stderr, "%s\n", outcome.message.front().c_str());
      break;
    case vorn::Status::stopped: {
      const std::filesystem::path file = dir.empty()
                                             ? std::filesystem::path(outcome.message_file)
                                             : std::filesystem::path(dir) / outcome.message_file;
      std::fprintf(stderr, "vorn: run stopped: %s (in %s)\n", join(outcome.message, "; ").c_str(),
                   file.string().c_str());
      break;
    }
  }
  for (const std::string& line : outcome.explanation)
    std::fprintf(stderr, "vorn: %s\n", line.c_str());
  for (const std::string& warning : outcome.warnings)
    std::fprintf(stderr, "vorn: warning: %s\n", warning.c_str());
  // A report left by an earlier run must not be taken for this run's.
  std::error_code ec;
  const std::filesystem::path report = std::filesystem::path(dir) / "VORN.OUT";
  if (!outcome.wrote_report() && std::filesystem::is_regular_file(report, ec))
    std::fprintf(stderr, "vorn: VORN.OUT in %s is from an earlier run; this run wrote none\n",
                 dir.empty() ? "the current directory" : dir.c_str());
}

}  // namespace

int run_main(int argc, char** argv) {
  Options options;
  if (const auto status = parse_arguments(std::vector<std::string>(argv + 1, argv + argc), options))
    return *status;

  bool pages = false;
  for (std::size_t k = 0; k < kExportCount; ++k)
    pages = pages || (options.files[k] && kExports[k].page);
  vorn::PageStamp stamp;
  if (pages) {
    const std::optional<std::string> date = run_date("vorn");
    if (!date) return kUsageError;
    stamp.date = *date;
  }

  try {
    const vorn::Outcome outcome = vorn::run(std::filesystem::path(options.dir));
    // Standard output holds an exported document alone.
    std::FILE* closing = options.any_to_standard_output() ? stderr : stdout;
    std::fputs(for_text_stream(outcome.stdout_text).c_str(), closing);
    std::fflush(closing);
    report_outcome(outcome, options.dir);
    if (outcome.sources && !outcome.sources->usable())
      std::fprintf(stderr, "vorn: warning: %s\n",
                   chemicals::sources_warning(*outcome.sources).c_str());

    if (pages) {
      stamp.name = stream_name(options.dir);
      stamp.input_sha256 = batch::input_digest(std::filesystem::path(options.dir) / "VORN.IN");
    }
    int status = outcome.exit_status(), pdf_status = 0;
    for (std::size_t k = 0; k < kExportCount; ++k) {
      if (!options.files[k]) continue;
      const std::optional<std::string> document = kExports[k].render(outcome, stamp);
      if (!document) continue;
      if (kExports[k].printed) {
        pdf_status = write_pdf("vorn", *options.files[k],
                               *pdf::paper_named(options.paper.value_or("a4")), *document);
      } else if (!write_document(*options.files[k], *document)) {
        status = kFatalError;
      }
    }
    return with_pdf_status(status, pdf_status);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn: internal error: %s\n", e.what());
    return kFatalError;
  }
}

}  // namespace vorn::cli
