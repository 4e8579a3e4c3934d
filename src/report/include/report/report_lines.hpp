// Line kinds of the report: title, fixed, data row, totals and factor lines.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/sink.hpp"

namespace vorn {

// One field of a data row or totals line: a text cut or blank-padded to its width, or a
// number field. A text field refers to its text, which must outlive the line.
class Field {
 public:
  Field(std::string_view text, std::size_t width) : text_(text), width_(width) {}
  explicit Field(double value) : value_(value), number_(true) {}
  void append_to(std::string& line) const;
  // The field as written.
  std::string text() const;

 private:
  std::string_view text_;
  std::size_t width_ = 0;
  double value_ = 0.0;
  bool number_ = false;
};

// Name cut or padded to 50 characters, after its leading and trailing blanks are removed.
Field name_field(std::string_view name);
// CAS number treated like the name, 15 characters.
Field cas_field(std::string_view cas);
// A 15-character text written unchanged.
Field pathway_field(std::string_view text);
Field number(double value);
Field filler(std::size_t width);

// Each line is built in one buffer, kept from line to line, and written with its end.
class ReportLines {
 public:
  explicit ReportLines(Sink& sink) : sink_(sink) {}
  void title(std::string_view text);
  void fixed(std::string_view text);
  void separator();
  void blank();
  // Fields joined by single commas.
  void row(std::initializer_list<Field> fields);
  // Label text, then a comma before every field.
  void totals(std::string_view label, std::initializer_list<Field> fields);
  // Label right-justified in 12 characters, `indent` blanks in front, then the number.
  void factor(std::string_view label, double value, std::size_t indent);

 private:
  void write();
  Sink& sink_;
  std::string line_;
};

}  // namespace vorn
