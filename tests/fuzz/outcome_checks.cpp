#include "outcome_checks.hpp"

#include <array>

namespace vorn::test {
namespace {

enum class Field { Number, Cas, Pathway };

struct TableShape {
  const char* title;
  std::size_t factor_lines;
  std::vector<Field> fields;  // after the 50-character name field
  std::size_t totals_lines;
  bool blank_after;
};

std::vector<Field> numbers(std::size_t n) {
  return std::vector<Field>(n, Field::Number);
}
std::vector<Field> cas_then_numbers(std::size_t n) {
  std::vector<Field> f{Field::Cas};
  f.insert(f.end(), n, Field::Number);
  return f;
}

const std::array<TableShape, 10>& table_shapes() {
  using F = Field;
  static const std::array<TableShape, 10> shapes = {{
      {"TABLE 1 SURFACE PATHWAY RISK", 0, numbers(7), 1, true},
      {"Table 2 Groundwater Pathway Risks", 0, numbers(8), 1, true},
      {"Table 3 Surface Pathway Hazard Quotients", 0, numbers(7), 1, true},
      {"Table 4 Groundwater Pathway Hazard Quotients", 0, numbers(8), 1, true},
      {"Table 5 Maximum Allowable Concs-Surface Pathways", 2, numbers(7), 0, true},
      {"Table 6 Maximum Allowable TCLP Concs-GW Pathways", 2, numbers(10), 0, true},
      {"TABLE 7 AGGREGATE RISK AND HAZARD QUOTIENT RESULTS", 0, cas_then_numbers(6), 2, true},
      {"TABLE 8 LIMITING PATHWAYS",
       0,
       {F::Cas, F::Number, F::Pathway, F::Number, F::Pathway},
       0,
       true},
      {"Table 9 Pathways Exceeding the Delisting Limits",
       0,
       {F::Cas, F::Number, F::Number, F::Pathway, F::Number, F::Number, F::Pathway},
       0,
       true},
      {"Table 10 Toxicity Characteristic; Soil Saturation;  and Ecological Values", 0,
       cas_then_numbers(6), 0, false},
  }};
  return shapes;
}

std::size_t width_of(Field f) {
  return f == Field::Number ? 10 : 15;
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The row problem, or an empty text.
std::string row_problem(const std::string& row, const TableShape& shape) {
  std::size_t length = 50;
  for (Field f : shape.fields) length += 1 + width_of(f);
  if (row.size() != length)
    return "row of " + std::to_string(row.size()) + " characters, not " + std::to_string(length);
  std::size_t pos = 50;
  for (Field f : shape.fields) {
    if (row[pos] != ',') return "no comma at column " + std::to_string(pos + 1);
    const std::string field = row.substr(pos + 1, width_of(f));
    if (f == Field::Number && !is_number_field(field))
      return "\"" + field + "\" is not a number field";
    pos += 1 + width_of(f);
  }
  return {};
}

bool ends_with_lines(const std::string& text, const std::vector<std::string>& message) {
  const std::vector<std::string> lines = split_lines(text);
  if (message.empty() || lines.size() < message.size()) return false;
  const std::size_t first = lines.size() - message.size();
  for (std::size_t k = 0; k < message.size(); ++k) {
    const std::string& line = lines[first + k];
    const std::size_t start = line.find_first_not_of(' ');
    if (start == 0 || start == std::string::npos || line.substr(start) != message[k]) return false;
  }
  return true;
}

}  // namespace

bool is_number_field(const std::string& f) {
  if (f == "       NaN" || f == "  Infinity" || f == " -Infinity") return true;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (f.size() != 10 || (f[0] != ' ' && f[0] != '-') || f[1] != '0' || f[2] != '.') return false;
  if (!digit(f[3]) || !digit(f[4]) || !digit(f[5])) return false;
  const bool wide_exponent = f[6] == '+' || f[6] == '-';
  if (!wide_exponent && !(f[6] == 'E' && (f[7] == '+' || f[7] == '-'))) return false;
  return digit(f[8]) && digit(f[9]) && (!wide_exponent || digit(f[7]));
}

std::vector<std::string> report_problems(const std::string& report, std::size_t chemicals) {
  std::vector<std::string> problems;
  const std::vector<std::string> lines = split_lines(report);
  if (!report.empty() && report.back() != '\n')
    problems.push_back("the report's last line has no terminator");
  std::size_t at = 0;
  auto next = [&]() -> const std::string* { return at < lines.size() ? &lines[at++] : nullptr; };
  for (const TableShape& shape : table_shapes()) {
    const std::string where = std::string("table \"") + shape.title + "\": ";
    const std::string* line = next();
    if (line == nullptr || *line != std::string(" ") + shape.title) {
      problems.push_back(where + "title missing at line " + std::to_string(at));
      return problems;
    }
    for (std::size_t k = 0; k < shape.factor_lines; ++k) {
      line = next();
      if (line == nullptr ||
          (line->rfind("  Risk Factor=", 0) != 0 && line->rfind("  HQ Factor=", 0) != 0) ||
          !is_number_field(line->substr(line->size() < 10 ? 0 : line->size() - 10)))
        problems.push_back(where + "bad factor line");
    }
    line = next();  // header
    line = next();
    if (line == nullptr || *line != std::string(120, '-'))
      problems.push_back(where + "no separator line");
    for (std::size_t i = 0; i < chemicals; ++i) {
      line = next();
      if (line == nullptr) {
        problems.push_back(where + "ends after " + std::to_string(i) + " of " +
                           std::to_string(chemicals) + " rows");
        return problems;
      }
      const std::string problem = row_problem(*line, shape);
      if (!problem.empty())
        problems.push_back(where + "row " + std::to_string(i + 1) + ": " + problem);
    }
    for (std::size_t k = 0; k < shape.totals_lines; ++k) {
      line = next();
      if (line == nullptr || line->empty()) problems.push_back(where + "totals line missing");
    }
    if (shape.blank_after) {
      line = next();
      if (line == nullptr || !line->empty())
        problems.push_back(where + "no blank line after the table");
    }
  }
  if (at != lines.size()) problems.push_back("lines after Table 10");
  return problems;
}

std::vector<std::string> outcome_problems(const Outcome& outcome, const MemoryFiles& files) {
  std::vector<std::string> problems;
  auto expect = [&](bool ok, const std::string& what) {
    if (!ok) problems.push_back(what);
  };
  const std::vector<std::string>& message = outcome.message;
  switch (outcome.status) {
    case Status::completed:
      expect(outcome.exit_status() == 0,
             "completed run with exit status " + std::to_string(outcome.exit_status()));
      expect(message.empty(), "completed run with a message");
      expect(outcome.stdout_text == " NORMAL TERMINATION...\n",
             "completed run without its closing line");
      expect(outcome.stderr_text.empty(), "completed run with text on standard error");
      expect(outcome.results != nullptr, "completed run without results");
      expect(files.report.has_value(), "completed run without VORN.OUT");
      if (outcome.results != nullptr && files.report) {
        for (const std::string& p :
             report_problems(*files.report, outcome.results->chemicals.size()))
          problems.push_back("VORN.OUT: " + p);
      }
      break;
    case Status::stopped: {
      expect(outcome.exit_status() == 2,
             "stop with exit status " + std::to_string(outcome.exit_status()));
      expect(!message.empty(), "stop without a message");
      expect(outcome.stdout_text.empty(), "stop with a closing line");
      expect(outcome.results == nullptr, "stop with results");
      if (outcome.message_file == "VORN.OUT") {
        expect(files.report.has_value(), "stop in the report without VORN.OUT");
        expect(files.report && ends_with_lines(*files.report, message),
               "VORN.OUT does not end with the stop's message");
      } else {
        expect(outcome.message_file == "VORN.DBG",
               "stop names the file \"" + outcome.message_file + "\"");
        expect(!files.report.has_value(), "stop before the report left a VORN.OUT");
        expect(ends_with_lines(files.debug, message),
               "VORN.DBG does not end with the stop's message");
      }
      break;
    }
    case Status::fatal_input_error:
      expect(outcome.exit_status() == 3,
             "fatal error with exit status " + std::to_string(outcome.exit_status()));
      expect(message.size() == 1, "fatal error without exactly one message line");
      expect(outcome.stdout_text.empty(), "fatal error with a closing line");
      expect(!files.report.has_value(), "fatal input error left a VORN.OUT");
      expect(ends_with_lines(files.debug, message),
             "VORN.DBG does not end with the fatal error's message");
      expect(message.size() == 1 && outcome.stderr_text == message[0] + "\n",
             "standard error does not hold exactly the fatal error's message");
      for (const std::string& line : message) {
        for (const char c : line)
          expect(c >= 0x20 && c < 0x7F, "fatal error message with a byte outside printable ASCII");
      }
      break;
    case Status::input_missing:
      problems.push_back("input held in memory reported missing");
      break;
  }
  return problems;
}

}  // namespace vorn::test
