// A row of a probabilistic run's samples file against the JSON of an ordinary run on that
// realization's own VORN.IN.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace vorn::test {

// The fields of a CSV line without quoted fields, a trailing comma giving an empty field.
std::vector<std::string> csv_fields(const std::string& line);

// Compares, double for double (with gtest expectations), every "<QUANTITY> of <chemical>
// (<index>)" column of `row` that the run's JSON holds; returns how many it compared.
int compare_samples_row(const std::vector<std::string>& header, const std::vector<std::string>& row,
                        const nlohmann::json& run);

// A run through `mc` with "--samples samples.csv --json with.json", and one with "--json
// without.json": expects the documents equal (the samples change nothing) and returns the
// samples file's lines.
using McCommand = std::function<ProcessResult(std::vector<std::string>)>;
std::vector<std::string> samples_lines(const ScratchDir& dir, const McCommand& mc);

// Writes realization r's VORN.IN through `mc` ("--realization r --write-input rR"), runs it
// normally and compares it with lines[r] of the samples file; expects `columns` compared.
void expect_realization_gives_its_row(const ScratchDir& dir, const McCommand& mc,
                                      const std::vector<std::string>& lines, int r, int columns);

}  // namespace vorn::test
