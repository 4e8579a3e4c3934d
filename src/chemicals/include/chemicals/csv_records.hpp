// The records of the chemical data's CSV files (tables, libraries, sheets), a malformed one
// reported as the data's error at its file and line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/csv_reader.hpp"

namespace vorn::chemicals {

// Throws DataError "FILE:LINE: reason" when the text is not RFC 4180.
std::vector<CsvRecord> csv_records(std::string_view text, const std::string& file,
                                   CsvOptions options = {});

}  // namespace vorn::chemicals
