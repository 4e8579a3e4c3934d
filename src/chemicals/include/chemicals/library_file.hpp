// The library's file: RFC 4180 with a header row, one row per value (library.hpp).
#pragma once

#include <string>
#include <string_view>

#include "chemicals/library.hpp"

namespace vorn::chemicals {

inline constexpr const char* kLibraryHeader =
    "id,variant,field,value,unit,source,table,date,derivation,note,other,other_table";

// The file's text: the header, then the rows in order. Lines end in LF alone, and no value
// holds a carriage return, so the build can compile the file in as it stands.
std::string library_csv(const Library& library);

// Reads a library file. Throws DataError naming FILE:LINE for a header other than
// kLibraryHeader, a row of another length, an unknown field, an id that is neither a CAS
// number with its check digit nor a registry id, a unit other than the field's, a value that
// is not a number where one belongs, or a second row for the same id, variant and field.
Library read_library(std::string_view text, const std::string& origin);

}  // namespace vorn::chemicals
