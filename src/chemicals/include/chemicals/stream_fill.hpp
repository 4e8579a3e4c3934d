// A stream sheet filled in from the libraries: the records of a complete VORN.IN, where each
// value came from, and what the user must still supply or confirm.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chemicals/daf_sheet.hpp"
#include "chemicals/library_stack.hpp"
#include "chemicals/stream_sheet.hpp"
#include "chemicals/value_source.hpp"
#include "input/daf_table.hpp"
#include "vorn/records.hpp"

namespace vorn::chemicals {

// The run takes at most this many DAF rows per chemical.
inline constexpr int kDafRowsPerChemical = 50;

struct FillResult {
  WasteUnit unit;                   // as given
  std::vector<Chemical> chemicals;  // as VORN.IN holds them, in the sheet's order
  std::unique_ptr<DafTable> daf = std::make_unique<DafTable>();
  std::vector<ValueSource> sources;
  // For people, in order: the chemicals without a toxicity value on any route first, then
  // trihalomethanes sharing their total's MCL, mutagens, DAF rows left out.
  std::vector<std::string> notices;
};

// Throws DataError listing every problem as FILE:LINE: reason: a chemical no library holds
// (or whose variant is ambiguous or unknown), one that cannot be told organic or not, more
// DAF rows for a chemical or in all than the run takes.
FillResult fill_stream(const StreamSheet& sheet, const std::vector<DafSheetRow>& daf,
                       const std::string& daf_file, const LibraryStack& stack);

}  // namespace vorn::chemicals
