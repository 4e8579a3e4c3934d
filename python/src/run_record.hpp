// Runs in memory and what Python keeps of each: status, message, texts and values as tables,
// the sources of its values, and what its page is made from.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "value_table.hpp"
#include "vorn/outcome.hpp"

namespace vorn::python {

struct RunRecord {
  std::string status;  // the JSON export's word
  int exit_status = 0;
  std::string message;      // UTF-8, the lines joined by line feeds; empty after a completed run
  std::string report_text;  // VORN.OUT as the run wrote it (Latin-1), empty when not opened
  std::string log_text;     // VORN.DBG as the run wrote it (Latin-1)
  ValueTable unit;          // no columns unless completed
  ValueTable chemicals;     // the columns, and a row per chemical when completed
  ValueTable sources;       // the sources of the values, a row each when sources.csv was used
  std::string sources_warning;  // why sources.csv could not be used; "" otherwise
  std::string explanation;  // a run that did not complete: the message in plain words, when known
  std::vector<std::string> warnings;        // the run's warnings, one sentence each (UTF-8)
  std::optional<std::string> input;         // VORN.IN as the run read it
  std::optional<std::string> sources_text;  // sources.csv as the run read it
  std::string name;                         // the stream's name on its page; "" none
  std::shared_ptr<const Outcome> outcome;

  // The page `vorn --html` writes, dated `date` ("YYYY-MM-DD").
  std::string page(const std::string& date) const;
};

// The run on DIR/VORN.IN (and DIR/sources.csv), where `given` is DIR or its VORN.IN; nothing
// is written.
RunRecord run_given_path(const std::string& given);
// The run on the bytes of a VORN.IN.
RunRecord run_input_bytes(const std::string& bytes);
// The same with the bytes of the sources.csv of its values.
RunRecord run_input_sourced(const std::string& bytes, const std::optional<std::string>& sources);
// The record of a run whose VORN.IN could not be opened, with its message.
RunRecord missing_input(const std::string& message);

}  // namespace vorn::python
