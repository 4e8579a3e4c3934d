// The chemical library in the page: the library file (shipped gzip-compressed in the page,
// inflated there) read by the engine, searched by CAS number or name, and one chemical filled
// in with every value's source, as `vorn fill` fills a stream sheet's row.
#pragma once

#include <string>

#include "binding_values.hpp"

namespace vorn::web {

// loadLibrary(text, origin) -> {ok, message, chemicals}: reads the library file; later
// lookups use it.
val load_library(const val& text, const std::string& origin);

// findChemicals(text) -> [{key, id, variant, name}]: the entry a CAS number (with its
// variant: "7440-43-9:water") names, else those whose name or id holds the text, at most
// `limit`.
val find_chemicals(const std::string& text, unsigned limit);

// fillChemical(key, landfill) -> {ok, message, problems, values: {FIELD: {value, unit,
// origin, source, table, date, derivation, note, action, pathways}}}: the chemical's name and
// 26 property values as `vorn fill` writes them (ORDI holds the reference concentration,
// RFCI), without a stream sheet's overrides; its concentrations are the user's.
val fill_chemical(const std::string& key, bool landfill);

// fillSheet(sheet, name, daf) -> {ok, problems, notices, input, sources: [{index, field,
// ...}]}: a stream sheet (and the site's DAF rows, or null) filled as `vorn fill` fills it,
// VORN.IN's bytes and each value's source; problems as `file:line: reason`.
val fill_sheet(const val& sheet, const std::string& name, const val& daf);

}  // namespace vorn::web
