// Every value of a run as a JSON document, for programs that read the results.
#pragma once

#include <string>

#include "vorn/outcome.hpp"
#include "vorn/results.hpp"

namespace vorn {

namespace chemicals {
struct RunSources;
}

// The document of a completed run: version, status, the stream's verdict ("exceeds limits"
// or "within limits"), the number of chemicals exceeding a limit, the stream's total cancer
// risk RI_TOT and hazard index HI_TOT each with its target and whether it lies above it, the
// waste unit's fields computed for its type, and per chemical in input order its index, its record
// as the run used it, its 55 result slots and the report's values. Numbers read back as the
// identical doubles (NaN and the infinities as the strings "NaN", "Infinity", "-Infinity"); texts
// are UTF-8 without trailing blanks. Ends in a line feed. With usable `sources`, each
// chemical also has "sources": one object per value of sources.csv, as the run read it.
std::string results_json(const Results& results, const chemicals::RunSources* sources = nullptr);

// The word for an outcome's status: "completed", "input missing", "stopped", "fatal input
// error".
const char* status_word(Status status);

// The same for any outcome, with its sources when they can be used; a run that did not
// complete gives only version, status ("stopped", "fatal input error", "input missing"),
// verdict ("not assessed"), message and, when the run could tell, "explanation": the message in
// plain words with its likely cause. Any outcome with warnings ends in "warnings", one text each.
std::string results_json(const Outcome& outcome);

}  // namespace vorn
