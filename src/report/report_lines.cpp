#include "report/report_lines.hpp"

#include "core/number_field.hpp"
#include "core/text.hpp"

namespace vorn {

void Field::append_to(std::string& line) const {
  if (number_) {
    char buf[kNumberWidth];
    line.append(buf, write_number_field(buf, value_));
    return;
  }
  const std::string_view shown = text_.substr(0, width_);
  line.append(shown);
  line.append(width_ - shown.size(), ' ');
}

std::string Field::text() const {
  std::string out;
  append_to(out);
  return out;
}

Field name_field(std::string_view name) {
  return {trim_blanks(name), 50};
}
Field cas_field(std::string_view cas) {
  return {trim_blanks(cas), 15};
}
Field pathway_field(std::string_view text) {
  return {text, 15};
}
Field number(double value) {
  return Field(value);
}
Field filler(std::size_t width) {
  return {std::string_view(), width};
}

void ReportLines::write() {
  line_.append(kPlatformLineEnd);
  sink_.write(line_);
}

void ReportLines::title(std::string_view text) {
  line_.assign(1, ' ');
  line_.append(text);
  write();
}
void ReportLines::fixed(std::string_view text) {
  line_.assign(text);
  write();
}
void ReportLines::separator() {
  line_.assign(120, '-');
  write();
}
void ReportLines::blank() {
  line_.clear();
  write();
}

void ReportLines::row(std::initializer_list<Field> fields) {
  line_.clear();
  for (const Field& f : fields) {
    if (&f != fields.begin()) line_ += ',';
    f.append_to(line_);
  }
  write();
}

void ReportLines::totals(std::string_view label, std::initializer_list<Field> fields) {
  line_.assign(label);
  for (const Field& f : fields) {
    line_ += ',';
    f.append_to(line_);
  }
  write();
}

void ReportLines::factor(std::string_view label, double value, std::size_t indent) {
  line_.assign(indent, ' ');
  if (label.size() < 12) line_.append(12 - label.size(), ' ');
  line_.append(label);
  number(value).append_to(line_);
  write();
}

}  // namespace vorn
