#include "input/input_diagnosis.hpp"

#include <array>
#include <cctype>

#include "core/free_form.hpp"
#include "input/input_layout.hpp"
#include "input/unit_checks.hpp"

namespace vorn {
namespace {

struct UnitLine {
  const char* name;
  const char* meaning;
};

constexpr std::array<UnitLine, 8> kUnitLines = {{
    {"WU_SITEKEY", "the site key"},
    {"WU_WMUTYPE", "the unit type"},
    {"WU_RISKFACT", "the target cancer risk"},
    {"WU_HQFACT", "the target hazard quotient"},
    {"WU_WASTEVOL", "the waste volume"},
    {"WU_VOLUNIT", "the volume unit"},
    {"WU_ACTLIFE", "the active life in years"},
    {"WU_SIFLOW", "the impoundment's flow rate"},
}};

// A text from the file as a message shows it: quoted, shortened, bytes outside printable
// ASCII as \xNN.
std::string quoted(std::string_view text) {
  return shown_text(text, 60);
}

std::string first_word(std::string_view line) {
  const std::size_t start = line.find_first_not_of(" \t,");
  if (start == std::string_view::npos) return {};
  std::size_t end = line.find_first_of(" \t,/", start);
  std::string_view word = line.substr(start, end == std::string_view::npos ? end : end - start);
  if (word.size() >= 2 && (word.front() == '\'' || word.front() == '"') &&
      word.back() == word.front())
    word = word.substr(1, word.size() - 2);
  return std::string(word);
}

const char* kind_words(Item::Kind kind) {
  switch (kind) {
    case Item::Kind::Integer:
      return "a whole number";
    case Item::Kind::Real:
      return "a number";
    case Item::Kind::Text:
      return "a text";
  }
  return "a value";
}

std::string chemical_words(const InputLayout& layout, int i) {
  const std::string name = layout.chemical_name(i);
  return "chemical " + std::to_string(i) + (name.empty() ? "" : " " + quoted(name));
}

// The section of the place and, through `field`, the name of the item read there.
std::string section_words(const InputLayout& layout, InputPlace place, std::size_t item,
                          std::string& field) {
  const auto pick = [&](const auto& names) {
    if (item < std::size(names)) field = names[item];
  };
  switch (place.section) {
    case InputSection::unit: {
      const UnitLine& u = kUnitLines[static_cast<std::size_t>(place.index)];
      field = std::string(u.name) + " (" + u.meaning + ")";
      return "unit line " + std::to_string(place.index + 1);
    }
    case InputSection::count:
      field = "the number of chemicals";
      return "the count line";
    case InputSection::property:
      pick(kPropertyFields);
      return "property line of " + chemical_words(layout, place.index);
    case InputSection::concentration:
      pick(kConcentrationFields);
      return "concentration line of " + chemical_words(layout, place.index);
    case InputSection::daf:
      pick(kDafFields);
      return "DAF row " + std::to_string(place.index);
    case InputSection::property_heading:
    case InputSection::concentration_heading:
    case InputSection::daf_heading:
      return "a heading line";
    case InputSection::none:
      break;
  }
  return {};
}

// A number written with a decimal comma on the line ("0,051"), or nothing. A property line's
// name ("1,2-Dichloroethane") is not searched.
std::string decimal_comma(std::string_view line) {
  const std::size_t at = line.find('@');
  for (std::size_t k = at == std::string_view::npos ? 1 : at + 1; k + 1 < line.size(); ++k) {
    if (line[k] != ',' || !std::isdigit(static_cast<unsigned char>(line[k - 1])) ||
        !std::isdigit(static_cast<unsigned char>(line[k + 1])))
      continue;
    std::size_t start = k, end = k + 1;
    const auto part = [](char c) {
      return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'E' || c == 'e' ||
             c == '-' || c == '+';
    };
    while (start > 0 && part(line[start - 1])) --start;
    while (end < line.size() && part(line[end])) ++end;
    return std::string(line.substr(start, end - start));
  }
  return {};
}

// The heading of the property lines found above or below where the unit lines and the count
// put it; empty when it is where expected, or not found.
std::string unit_shift(const InputLayout& layout) {
  const int count_line = layout.line_of(InputSection::count);
  const int expected = count_line + 1;
  int heading = 0;
  for (int l = 1; l <= layout.line_count() && l <= 20 && heading == 0; ++l)
    if (layout.looks_like_heading(l)) heading = l;
  if (heading == 0 || count_line == 0 || heading == expected) return {};
  const int off = heading < expected ? expected - heading : heading - expected;
  return "the unit lines look shifted: the heading of the property lines is on line " +
         std::to_string(heading) + ", where line " + std::to_string(expected) + " is expected; " +
         std::to_string(off) + (off == 1 ? " line " : " lines ") +
         (heading < expected ? "missing" : "too many") +
         " above it (VORN.IN begins with the eight unit lines, one value each, then the number "
         "of chemicals)";
}

// Non-blank lines after `from` and before `to`.
int lines_between(const InputLayout& layout, int from, int to) {
  int n = 0;
  for (int l = from + 1; l < to; ++l)
    if (layout.line(l).find_first_not_of(" \t") != std::string_view::npos) ++n;
  return n;
}

// A heading met where a value was expected: the count and the lines found disagree.
std::string heading_cause(const InputLayout& layout, InputPlace place, int line) {
  const int count_line = layout.line_of(InputSection::count);
  const std::string says = "line " + std::to_string(count_line) + " says " +
                           std::to_string(layout.count().value_or(0)) + " chemicals; found ";
  const std::string at = " before the heading at line " + std::to_string(line);
  switch (place.section) {
    case InputSection::property:
      return says + std::to_string(place.index - 1) + " property lines" + at;
    case InputSection::concentration:
      if (place.index == 1) {
        const int found =
            lines_between(layout, layout.line_of(InputSection::property_heading), line);
        return says + std::to_string(found) + " property lines" + at;
      }
      return says + std::to_string(place.index - 1) + " concentration lines" + at;
    case InputSection::unit:
    case InputSection::count:
      return unit_shift(layout);
    default:
      return {};
  }
}

std::string likely_cause(const InputLayout& layout, InputPlace place, int line) {
  if (layout.looks_like_heading(line)) {
    const std::string cause = heading_cause(layout, place, line);
    if (!cause.empty()) return "line " + std::to_string(line) + " looks like a heading: " + cause;
  }
  const std::string comma = decimal_comma(layout.line(line));
  if (!comma.empty())
    return quoted(comma) + " on line " + std::to_string(line) +
           ": commas separate values; use '.' for decimals";
  if (place.section == InputSection::unit || place.section == InputSection::count)
    return unit_shift(layout);
  return {};
}

}  // namespace

std::vector<std::string> explain_read_error(const FreeFormError& error, std::string_view input) {
  const InputLayout layout(input);
  const int line = error.line();
  const InputPlace place = layout.place_of(line);
  std::string field;
  const std::string section = section_words(layout, place, error.item(), field);
  const std::string where =
      "VORN.IN line " + std::to_string(line) + (section.empty() ? "" : ", " + section);
  const std::string expected =
      (field.empty() ? std::string() : field + ", ") + kind_words(error.expected());
  std::vector<std::string> lines;
  switch (error.problem()) {
    case FreeFormError::Problem::not_a_value:
      lines.push_back(where + ": expected " + expected + "; found " + quoted(error.found()));
      break;
    case FreeFormError::Problem::line_ended:
      lines.push_back(where + ": the line ends before " + expected);
      break;
    case FreeFormError::Problem::file_ended: {
      // The first of the unit lines and the count that the file lacks, when it lacks one.
      std::string missing;
      for (int p = 0; p < 8 && missing.empty(); ++p) {
        if (layout.line_of(InputSection::unit, p) == 0)
          section_words(layout, {InputSection::unit, p}, 0, missing);
      }
      if (missing.empty() && layout.line_of(InputSection::count) == 0)
        missing = "the number of chemicals";
      lines.push_back("VORN.IN ends before all its values were read: expected " +
                      (missing.empty() ? expected : missing + ", " + kind_words(error.expected())) +
                      " on line " + std::to_string(line) + " or later");
      return lines;
    }
    case FreeFormError::Problem::quoted_text:
      lines.push_back(where + ": the quoted text " + quoted(error.found()) +
                      " is not closed, or runs into the next value");
      break;
  }
  const std::string cause = likely_cause(layout, place, line);
  if (!cause.empty()) lines.push_back(cause);
  return lines;
}

std::vector<std::string> explain_input_error(std::string_view message) {
  constexpr std::string_view kPrefix = "vorn: fatal input error on unit 1 (VORN.IN), ";
  if (message.substr(0, kPrefix.size()) != kPrefix) return {};
  return {"VORN.IN " + std::string(message.substr(kPrefix.size()))};
}

std::vector<std::string> explain_unit_stop(std::string_view input) {
  const InputLayout layout(input);
  const auto at = [&](int p) { return layout.line_of(InputSection::unit, p); };
  const auto word = [&](int p) { return first_word(layout.line(at(p))); };
  const auto stop = [&](int p, const std::string& rule) {
    const UnitLine& u = kUnitLines[static_cast<std::size_t>(p)];
    std::vector<std::string> lines = {"VORN.IN line " + std::to_string(at(p)) + ", unit line " +
                                      std::to_string(p + 1) + ", " + u.name + " (" + u.meaning +
                                      "): " + rule + "; found " + quoted(word(p))};
    const std::string shift = unit_shift(layout);
    if (!shift.empty()) lines.push_back(shift);
    return lines;
  };
  std::string type = word(1);
  type.resize(2, ' ');
  if (check_unit_type(type)) return stop(1, "must be LF (landfill) or SI (surface impoundment)");
  double value = 0;
  if (parse_real(word(4), value) && check_waste_volume(value)) return stop(4, "must be above 0");
  std::int32_t unit = 0;
  if (parse_integer(word(5), unit) && check_volume_unit(unit))
    return stop(5, "must be 0 (cubic yards), 1 (cubic feet) or 2 (cubic meters)");
  if (parse_real(word(6), value) && check_active_life(value)) return stop(6, "must be above 0");
  return {};
}

}  // namespace vorn
