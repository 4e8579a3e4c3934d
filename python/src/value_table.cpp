#include "value_table.hpp"

#include <stdexcept>

#include "export/export_text.hpp"
#include "export/utf8_sequence.hpp"

namespace vorn::python {

void ValueTable::add(const char* name, std::string_view latin1) {
  column(name, ValueKind::text).texts.push_back(export_text(latin1));
}

void ValueTable::add_utf8(const char* name, std::string_view text) {
  column(name, ValueKind::text).texts.push_back(well_formed_utf8(text));
}

void ValueTable::add(const char* name, const std::array<double, kPathways>& values) {
  for (std::size_t k = 0; k < values.size(); ++k)
    column(std::string(name) + "_" + std::to_string(k + 1), ValueKind::real)
        .reals.push_back(values[k]);
}

void ValueTable::clear_values() {
  for (Column& c : columns_) {
    c.reals.clear();
    c.integers.clear();
    c.texts.clear();
  }
}

Column& ValueTable::column(std::string name, ValueKind kind) {
  if (next_ == columns_.size()) {
    Column& added = columns_.emplace_back();
    added.name = std::move(name);
    added.kind = kind;
  } else if (columns_[next_].name != name || columns_[next_].kind != kind) {
    throw std::logic_error("row value " + name + " where the table has " + columns_[next_].name);
  }
  return columns_[next_++];
}

}  // namespace vorn::python
