#include "report/report_lines.hpp"

#include "core/number_field.hpp"
#include "core/text.hpp"

namespace vorn {
namespace {

std::string fit(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

}  // namespace

Field name_field(std::string_view name) {
  return {fit(trim_blanks(name), 50)};
}
Field cas_field(std::string_view cas) {
  return {fit(trim_blanks(cas), 15)};
}
Field pathway_field(std::string_view text) {
  return {fit(text, 15)};
}
Field number(double value) {
  return {number_field(value)};
}
Field filler(std::size_t width) {
  return {std::string(width, ' ')};
}

void ReportLines::title(std::string_view text) {
  write_line(sink_, " " + std::string(text));
}
void ReportLines::fixed(std::string_view text) {
  write_line(sink_, text);
}
void ReportLines::separator() {
  write_line(sink_, std::string(120, '-'));
}
void ReportLines::blank() {
  write_line(sink_, "");
}

void ReportLines::row(std::initializer_list<Field> fields) {
  std::string line;
  bool first = true;
  for (const Field& f : fields) {
    if (!first) line += ',';
    first = false;
    line += f.text;
  }
  write_line(sink_, line);
}

void ReportLines::totals(std::string_view label, std::initializer_list<Field> fields) {
  std::string line(label);
  for (const Field& f : fields) {
    line += ',';
    line += f.text;
  }
  write_line(sink_, line);
}

void ReportLines::factor(std::string_view label, double value, std::size_t indent) {
  std::string line(indent, ' ');
  if (label.size() < 12) line.append(12 - label.size(), ' ');
  line.append(label);
  line += number_field(value);
  write_line(sink_, line);
}

}  // namespace vorn
