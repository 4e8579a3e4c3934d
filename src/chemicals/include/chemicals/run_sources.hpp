// The sources of a run's values: the sources.csv a fill wrote beside its VORN.IN, set against
// what the run read, so that a value changed by hand afterwards is not credited to a table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chemicals/value_source.hpp"
#include "vorn/records.hpp"

namespace vorn::chemicals {

// The origin of a value the run read that is not the one the fill wrote.
inline constexpr const char* kChangedAfterFill = "changed after fill; source unknown";

struct SourcedValue {
  // As sources.csv gives it. For a value changed after the fill: `value` is the one the run
  // read, `origin` kChangedAfterFill, and the table, key, derivation and note are cleared.
  ValueSource source;
  // The value as the fill wrote it; empty for a chemical the fill did not write.
  std::string filled;
  bool changed() const { return source.origin == kChangedAfterFill; }
};

struct RunSources {
  std::string file;    // as messages name it
  std::string sha256;  // of the file's bytes, 64 lower-case hex digits; empty: not read
  // Why the file cannot be used, FILE:LINE: reason (a warning: the run goes on without it);
  // empty when it can.
  std::string problem;
  // Element i - 1: chemical i of the run, its CHEMNAME, the 26 values of its property line and
  // its four concentration values, in sources.csv's order.
  std::vector<std::vector<SourcedValue>> chemicals;

  bool usable() const { return problem.empty(); }
};

// Reads `text` (sources.csv) against the chemicals as the run read them. A chemical's rows are
// those of its place with its CHEMCAS, else those of the one place holding its CHEMCAS; a
// chemical without rows has every value kChangedAfterFill. A file that is not a sources file,
// names a field twice for a place, gives a place two CAS numbers, an unknown field, or a
// value its field cannot hold gives the problem instead.
RunSources read_run_sources(std::string_view text, const std::string& file,
                            const std::vector<Chemical>& as_read);

// "<problem>; the documents carry no sources", for a file that cannot be used.
std::string sources_warning(const RunSources& sources);

// The tables the values came from, as (table, date), in order of first use.
std::vector<std::pair<std::string, std::string>> tables_used(const RunSources& sources);

// Values the stream sheet gave in place of a library's or a rule's: the record's fields, not
// the concentrations, which are always the user's.
bool is_user_override(const ValueSource& source);
std::size_t user_override_count(const RunSources& sources);
std::size_t changed_after_fill_count(const RunSources& sources);

}  // namespace vorn::chemicals
