// The engine for the page and its tests (embind): a deterministic run on a VORN.IN held in
// memory, returning every file and document the program writes, as bytes.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>

#include "vorn/results_csv.hpp"
#include "vorn/results_html.hpp"
#include "vorn/results_json.hpp"
#include "vorn/run.hpp"
#include "vorn/version.hpp"

namespace {

using emscripten::val;

// The files are Latin-1 (VORN.IN, VORN.DBG, VORN.OUT) or UTF-8 (the documents): they cross
// into JavaScript as a Uint8Array copy, never as a string that would be decoded.
val bytes(const std::string& text) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(text.size(),
                                          reinterpret_cast<const unsigned char*>(text.data())));
}

val optional_bytes(const std::optional<std::string>& text) {
  return text ? bytes(*text) : val::null();
}

std::string input_bytes(const val& input) {
  const auto size = input["length"].as<std::size_t>();
  std::string text(size, '\0');
  val(emscripten::typed_memory_view(size, reinterpret_cast<unsigned char*>(text.data())))
      .call<void>("set", input);
  return text;
}

// runInput(Uint8Array) -> {status, exitStatus, message, stdout, stderr, report, log, json,
// csv, html}: report is VORN.OUT (null when the run did not open it), log VORN.DBG; csv is
// null unless the run completed, as the program writes no CSV file then.
val run_input(const val& input) {
  vorn::MemoryFiles files;
  files.input = input_bytes(input);
  const vorn::Outcome outcome = vorn::run(files);
  std::string message;
  for (const std::string& line : outcome.message) message += (message.empty() ? "" : "\n") + line;

  val r = val::object();
  r.set("status", std::string(vorn::status_word(outcome.status)));
  r.set("exitStatus", outcome.exit_status());
  r.set("message", bytes(message));
  r.set("stdout", bytes(outcome.stdout_text));
  r.set("stderr", bytes(outcome.stderr_text));
  r.set("report", optional_bytes(files.report));
  r.set("log", bytes(files.debug));
  r.set("json", bytes(vorn::results_json(outcome)));
  r.set("csv", outcome.status == vorn::Status::completed
                   ? bytes(vorn::results_csv(*outcome.results))
                   : val::null());
  r.set("html", bytes(vorn::html_page(outcome)));
  return r;
}

std::string engine_version() {
  return vorn::kVersion;
}

}  // namespace

EMSCRIPTEN_BINDINGS(vorn_engine) {
  emscripten::function("runInput", &run_input);
  emscripten::function("version", &engine_version);
}
