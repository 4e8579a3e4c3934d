// What a batch keeps of one run: a row of the summary. The run's outcome itself is
// dropped as soon as this is made, so a batch's memory does not grow with its streams.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "batch/streams.hpp"
#include "vorn/outcome.hpp"
#include "vorn/pathways.hpp"
#include "vorn/results_json.hpp"

namespace vorn::batch {

// The chemical whose waste concentration is the largest multiple of an allowable one.
struct WorstChemical {
  std::string name;  // UTF-8, without trailing blanks
  std::string cas;
  const Pathway* pathway = nullptr;  // the limiting pathway (its code in documents, words on pages)
  double ratio = 0.0;
};

struct StreamSummary {
  std::string label;
  std::string path;
  Status status = Status::completed;
  int exit_status = 0;
  std::string message;  // the message's lines joined by "; "
  // Why the sources.csv beside the VORN.IN could not be used; "" when it could or there is none.
  std::string sources_warning;
  // The message in plain words with its likely cause, when the run gave one.
  std::vector<std::string> explanation;
  std::size_t chemicals = 0;
  std::size_t exceeding = 0;  // chemicals with GW_EXCEEDED or SF_EXCEEDED
  std::optional<WorstChemical> worst;
  std::filesystem::path page;  // the stream's report.html, when it was written
  std::string page_error;      // why it could not be, when it could not
  // The page written for printing alone (no report.html asked for), when it was.
  std::filesystem::path print_page;
  // The SHA-256 of the VORN.IN the run read (pages only); none when it could not be read.
  std::optional<std::string> input_sha256;
  // Whether a sources.csv lay beside it, and the SHA-256 of its bytes (none: unreadable).
  bool sources_beside = false;
  std::optional<std::string> sources_sha256;

  bool failed() const { return status != Status::completed; }
  // "exceeds limits", "within limits" or "not assessed: <status>".
  std::string verdict() const;
  // The stream in one line for people: "East cell: exceeds limits: 6 of 10 chemicals; worst
  // Benzene (71-43-2), 2.40 × its allowable (drinking-water limit)".
  std::string line() const;
};

StreamSummary summarize(const Stream& stream, const Outcome& outcome);

// Over both comparisons of every chemical: groundwater TCLPCONC / TCLPMAX; surface
// (landfill TOTC, impoundment TCLPCONC) / SF_ALLOW[SF_LIMIT - 1]. Allowables that are
// not positive or hold no limit (>= NOT_COMPUTED) are skipped; the first largest wins.
std::optional<WorstChemical> worst_chemical(const Results& results);

}  // namespace vorn::batch
