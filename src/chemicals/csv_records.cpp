#include "chemicals/csv_records.hpp"

#include "chemicals/data_error.hpp"

namespace vorn::chemicals {

std::vector<CsvRecord> csv_records(std::string_view text, const std::string& file,
                                   CsvOptions options) {
  try {
    return read_csv(text, options);
  } catch (const CsvError& e) {
    throw DataError(file + ":" + std::to_string(e.line()) + ": " + e.what());
  }
}

}  // namespace vorn::chemicals
