#include "run_record.hpp"

#include <exception>
#include <functional>

#include "batch/streams.hpp"
#include "chemicals/run_sources.hpp"
#include "export/export_text.hpp"
#include "export/utf8_sequence.hpp"
#include "numerics/sha256.hpp"
#include "record_tables.hpp"
#include "source_tables.hpp"
#include "vorn/results_html.hpp"
#include "vorn/results_json.hpp"
#include "vorn/run.hpp"

namespace vorn::python {
namespace {

RunRecord record_of(Outcome outcome, MemoryFiles& files) {
  RunRecord record;
  record.status = status_word(outcome.status);
  record.exit_status = outcome.exit_status();
  for (std::size_t k = 0; k < outcome.message.size(); ++k) {
    if (k > 0) record.message += '\n';
    record.message += export_text(outcome.message[k]);
  }
  if (files.report) record.report_text = std::move(*files.report);
  record.log_text = std::move(files.debug);
  const Results* results = outcome.status == Status::completed ? outcome.results.get() : nullptr;
  if (results != nullptr) record.unit = unit_table(*results);
  record.chemicals = chemical_table(results);
  record.sources = sources_table(outcome.sources.get());
  if (outcome.sources && !outcome.sources->usable())
    record.sources_warning = chemicals::sources_warning(*outcome.sources);
  for (std::size_t k = 0; k < outcome.explanation.size(); ++k)
    record.explanation += (k > 0 ? "\n" : "") + export_text(outcome.explanation[k]);
  for (const std::string& w : outcome.warnings) record.warnings.push_back(export_text(w));
  record.input = std::move(files.input);
  record.sources_text = std::move(files.sources);
  record.outcome = std::make_shared<const Outcome>(std::move(outcome));
  return record;
}

// A run that throws ends as a fatal error with the reason, as a batch's streams do.
RunRecord guarded_run(const std::function<Outcome(MemoryFiles&)>& run_files) {
  MemoryFiles files;
  Outcome outcome;
  try {
    outcome = run_files(files);
  } catch (const std::exception& e) {
    outcome = Outcome{};
    outcome.status = Status::fatal_input_error;
    outcome.message = {std::string("vorn: internal error: ") + e.what()};
  }
  return record_of(std::move(outcome), files);
}

}  // namespace

std::string RunRecord::page(const std::string& date) const {
  PageStamp stamp{date, name, std::nullopt};
  if (input) stamp.input_sha256 = numerics::sha256_hex(*input);
  return html_page(*outcome, stamp);
}

RunRecord run_given_path(const std::string& given) {
  const std::filesystem::path dir = batch::run_directory(given);
  RunRecord record = guarded_run([&](MemoryFiles& files) { return run(dir, files); });
  record.name = well_formed_utf8(given);
  return record;
}

RunRecord run_input_bytes(const std::string& bytes) {
  return run_input_sourced(bytes, std::nullopt);
}

RunRecord run_input_sourced(const std::string& bytes, const std::optional<std::string>& sources) {
  return guarded_run([&](MemoryFiles& files) {
    files.input = bytes;
    files.sources = sources;
    return run(files);
  });
}

RunRecord missing_input(const std::string& message) {
  MemoryFiles none;
  Outcome outcome;
  outcome.status = Status::input_missing;
  std::size_t from = 0;
  while (true) {
    const std::size_t end = message.find('\n', from);
    outcome.message.push_back(message.substr(from, end - from));
    if (end == std::string::npos) break;
    from = end + 1;
  }
  RunRecord record = record_of(std::move(outcome), none);
  record.message = message;
  return record;
}

}  // namespace vorn::python
