// One chemical of a stream filled in: each value from the sheet's override, the libraries,
// a derivation or the run's missing value, with its source.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chemicals/data_error.hpp"
#include "chemicals/library_stack.hpp"
#include "chemicals/stream_sheet.hpp"
#include "chemicals/value_source.hpp"
#include "vorn/records.hpp"

namespace vorn::chemicals {

struct FillContext {
  const LibraryStack& stack;
  bool landfill;  // the stream's unit type decides which pathways a value gates
  std::optional<double> f_oc;
};

struct FilledChemical {
  Chemical chemical;                 // as VORN.IN holds it: RFCI in ORDI
  std::vector<ValueSource> sources;  // the name, the 26 values, the 4 concentration values
  bool mutagen = false;              // the library flags it
  bool mcl_from_library = false;
};

// Adds to `problems` (as "AT" + reason) what keeps the chemical from being filled: no way
// to tell whether it is organic.
FilledChemical fill_chemical(const SheetRow& row, const EntryKey& entry, std::size_t index,
                             const FillContext& context, const std::string& at, Problems& problems);

inline constexpr const char* kMutagenNote =
    "flagged mutagenic (M): the run makes no age-dependent adjustment for early-life exposure";

}  // namespace vorn::chemicals
