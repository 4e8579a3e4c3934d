// Where each value of a filled VORN.IN came from: one row per (chemical, field), as
// sources.csv holds them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::chemicals {

struct ValueSource {
  std::size_t index = 0;  // the chemical's place in VORN.IN, from 1
  std::string CHEMCAS;    // as written: the bare id
  std::string variant;    // the library variant it was filled from; empty: none
  std::string CHEMNAME;
  std::string field;  // a record field (record_fields.hpp), or TCLPCONC ... TOTFLAG, CHEMCAS
  std::string value;  // as written in VORN.IN
  std::string unit;
  // user (the stream sheet), library, derived, default (the run's own rule), missing
  std::string origin;
  std::string library;  // the library that gave it: a file, or the compiled snapshot
  std::string source, table, date, derivation, note;
  std::string action;    // supply, confirm, or empty
  std::string pathways;  // for an action: the pathways the value gates or alters
  std::size_t line = 0;  // where sources.csv holds it; 0: not read from a file
};

inline constexpr const char* kSourcesHeader =
    "index,CHEMCAS,variant,CHEMNAME,field,value,unit,origin,library,source,table,date,"
    "derivation,note,action,pathways";

// sources.csv: the header and the rows in order; CRLF line ends.
std::string sources_csv(const std::vector<ValueSource>& rows);

// Reads sources.csv back, each row with its line. Throws DataError naming FILE:LINE for another
// header, a row of another length or an index that is not a positive integer.
std::vector<ValueSource> read_sources(std::string_view text, const std::string& file);

}  // namespace vorn::chemicals
