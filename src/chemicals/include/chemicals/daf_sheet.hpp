// A site's DAF rows for a fill: a CSV with the header CAS,LFCONC,LFCAR,LFNON,SICONC,SICAR,SINON
// and one row per point of a chemical's DAF curves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/daf_table.hpp"

namespace vorn::chemicals {

struct DafSheetRow {
  std::size_t line = 0;
  DafRow row;  // CHEMCAS as written (a bare id, no variant), the six values
};

// Throws DataError listing every problem as FILE:LINE: reason: another header, a row of
// another length, an id that is neither a CAS number with its check digit nor a registry id
// (variants are not taken: the run matches DAF rows by the bare CAS), a value that is not a
// number.
std::vector<DafSheetRow> read_daf_sheet(std::string_view text, const std::string& file);

}  // namespace vorn::chemicals
