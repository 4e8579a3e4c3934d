// The deterministic run on a VORN.IN held in memory, with every file and document the
// program writes.
#include "run_binding.hpp"

#include "numerics/sha256.hpp"
#include "vorn/page_stamp.hpp"
#include "vorn/results_csv.hpp"
#include "vorn/results_html.hpp"
#include "vorn/results_json.hpp"
#include "vorn/run.hpp"

namespace vorn::web {

val run_input(const val& input, const std::string& date, const std::string& name) {
  MemoryFiles files;
  files.input = bytes_of(input);
  PageStamp stamp{date, name, numerics::sha256_hex(*files.input)};
  const Outcome outcome = run(files);
  std::string message;
  for (const std::string& line : outcome.message) message += (message.empty() ? "" : "\n") + line;

  val r = val::object();
  r.set("status", std::string(status_word(outcome.status)));
  r.set("exitStatus", outcome.exit_status());
  r.set("message", bytes(message));
  r.set("stdout", bytes(outcome.stdout_text));
  r.set("stderr", bytes(outcome.stderr_text));
  r.set("report", optional_bytes(files.report));
  r.set("log", bytes(files.debug));
  r.set("json", bytes(results_json(outcome)));
  r.set("csv",
        outcome.status == Status::completed ? bytes(results_csv(*outcome.results)) : val::null());
  r.set("html", bytes(html_page(outcome, stamp)));
  return r;
}

}  // namespace vorn::web
