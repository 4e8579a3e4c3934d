// VORN.IN written from records: one Monte Carlo realization's input, or an input built
// elsewhere, that an ordinary run reads back.
#pragma once

#include <string>
#include <vector>

#include "input/daf_table.hpp"
#include "vorn/records.hpp"

namespace vorn {

// A complete VORN.IN with LF line ends that readsiteparameters, readchemicals and readdaftable
// read back to the same values: every double bit for bit, texts as the reader pads them.
// Throws std::invalid_argument, naming the field and the chemical or DAF row, for a value the
// reader would not give back: a name holding "@", a text longer than the reader keeps or
// holding a line feed, a NaN other than NaN or -NaN, a unit type not in capitals, more than
// 500 DAF rows.
std::string write_input_text(const WasteUnit& unit_as_read,
                             const std::vector<Chemical>& chemicals_as_read, const DafTable& daf);

}  // namespace vorn
