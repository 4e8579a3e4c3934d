// The stream sheet: one CSV of a waste stream. First `key,value` rows for the eight unit
// parameters (and an optional f_oc, the fraction of organic carbon), one blank line, then a
// header row CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG[,FIELD...][,note] and one row per chemical.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chemicals/chemical_id.hpp"
#include "vorn/records.hpp"

namespace vorn::chemicals {

// A value the sheet gives in place of the library's (checked for its field's kind).
struct SheetOverride {
  std::string field;  // a record field (record_fields.hpp)
  std::string text;
};

struct SheetRow {
  std::size_t line = 0;
  ChemicalKey key;
  double TCLPCONC = 0.0;  // mg/L
  std::string TCLPFLAG;
  double TOTC = 0.0;  // mg/kg
  std::string TOTFLAG;
  std::vector<SheetOverride> overrides;  // the row's non-empty override cells, in column order
  std::string note;                      // why the row overrides what it does
};

struct StreamSheet {
  std::string file;
  WasteUnit unit;  // the eight parameters as given; nothing derived
  std::optional<double> f_oc;
  std::vector<SheetRow> rows;
};

inline constexpr const char* kUnitKeys[] = {"WU_SITEKEY", "WU_WMUTYPE",  "WU_RISKFACT",
                                            "WU_HQFACT",  "WU_WASTEVOL", "WU_VOLUNIT",
                                            "WU_ACTLIFE", "WU_SIFLOW"};

// Throws DataError listing every problem as FILE:LINE: reason: a key missing, unknown or
// given twice, a value of the wrong kind, a unit the run would stop on, a missing blank line
// or header, an unknown or repeated column (ORDI: the sheet takes RFCI), an id that is
// neither a CAS number with its check digit nor a registry id, a row with more cells than
// the header.
StreamSheet read_stream_sheet(std::string_view text, const std::string& file);

// Whether `text` is a value of the field's kind; empty when it is, else why not.
std::string override_problem(std::string_view field, std::string_view text);

}  // namespace vorn::chemicals
