// The provenance block a page starts with: what ties a printout to the engine and the exact
// inputs that made it, and when it was made. Its run identity is repeated in the footer of
// every printed sheet.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorn {

// An input a run depends on, by its SHA-256 (64 lower-case hex digits); none when it was not
// read.
struct RunInput {
  std::string name;   // in the identity's text: "VORN.IN", "scenario"
  std::string label;  // on the page (HTML-safe): "VORN.IN (SHA-256)"
  std::optional<std::string> sha256;
};

// The first 12 hex digits of the SHA-256 of the text "vorn <version>\n" followed by one line
// "<name> <sha256>" (or "<name> none") per input, in order. Depends on the engine and the
// inputs' bytes alone, not on the date, and can be checked from the digests the block shows.
std::string run_identity(const std::vector<RunInput>& inputs);

struct Provenance {
  // Lines between the engine and the digests: label and value (HTML-safe), such as the
  // stream's name or the realizations.
  std::vector<std::pair<std::string, std::string>> facts;
  std::vector<RunInput> inputs;
  // Each input's digest is a line of the block; without, they enter the identity alone (a
  // batch's many streams).
  bool list_inputs = true;
  std::string date;  // "YYYY-MM-DD", UTC

  std::string identity() const { return run_identity(inputs); }
};

// <section id="provenance">, a list (<dl>) of the engine's version, the facts, each input's
// SHA-256, the run identity and the date.
std::string provenance_section(const Provenance& provenance);

// The style of the block: a list of terms and values in two columns.
inline constexpr const char* kProvenanceStyle = R"css(
dl.provenance { display: grid; grid-template-columns: max-content auto; gap: .1em 1.2em;
                margin: .4em 0; font-size: 12px; }
dl.provenance dt { color: #444; }
dl.provenance dd { margin: 0; overflow-wrap: anywhere; }
)css";

}  // namespace vorn
