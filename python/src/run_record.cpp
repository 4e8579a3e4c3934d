#include "run_record.hpp"

#include <exception>
#include <functional>

#include "batch/streams.hpp"
#include "export/export_text.hpp"
#include "record_tables.hpp"
#include "vorn/results_json.hpp"
#include "vorn/run.hpp"

namespace vorn::python {
namespace {

RunRecord record_of(const Outcome& outcome, MemoryFiles& files) {
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
  return record_of(outcome, files);
}

}  // namespace

RunRecord run_given_path(const std::string& given) {
  const std::filesystem::path dir = batch::run_directory(given);
  return guarded_run([&](MemoryFiles& files) { return run(dir, files); });
}

RunRecord run_input_bytes(const std::string& bytes) {
  return guarded_run([&](MemoryFiles& files) {
    files.input = bytes;
    return run(files);
  });
}

}  // namespace vorn::python
