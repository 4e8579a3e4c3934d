// The input editor's side of the engine module: each value as the user types it, read by the
// run's own reader; the checks of the unit and of a chemical in the run's words; a VORN.IN
// opened into field texts, and the VORN.IN written from them, the user's texts verbatim.
//
// A form is {unit: {WU_SITEKEY: text, ...}, chemicals: [{CHEMNAME, CHEMCAS, MCL, ...,
// LOGKOW, TCLPCONC, TCLPFLAG, TOTC, TOTFLAG: text}], daf: [{CHEMCAS, LFCONC, ..., SINON:
// text}]}, every value a JavaScript string.
#pragma once

#include <string>

#include "binding_values.hpp"

namespace vorn::web {

// readValue(text, kind) -> {ok, value, message}: kind "real" or "integer", read as VORN.IN's
// reader reads one item; message in its words ("\"1,5\" holds a separator" for a text that
// is more than one item).
val read_value(const val& text, const std::string& kind);

// checkUnit(unit) and checkChemical(chemical, index) -> [{field, chemical, kind, text}]:
// kind "fatal" (the value cannot be read, or cannot be written back), "stop" or "warning",
// text as VORN.DBG or the fatal error's message gives it.
val check_unit(const val& unit);
val check_chemical(const val& chemical, int index);
// checkChemicals(chemicals) -> one such list per chemical, indexed from 1: a whole table in
// one call.
val check_chemicals(const val& chemicals);
// checkDaf(rows) -> the same, for the DAF table (chemical: the row's number).
val check_daf(const val& rows);

// formOfInput(bytes) -> {ok, message, form}: the values as the run reads them, each number in
// its shortest text that reads back as the same value, texts without trailing blanks.
val form_of_input(const val& input);

// writeInput(form) -> {ok, problems, input}: VORN.IN with the form's texts as typed.
val write_input(const val& form);

}  // namespace vorn::web
