// Where each line of VORN.IN belongs, found the way the run reads the file: the eight unit
// lines and the count (blank lines read past), a heading, the property lines, a heading, the
// concentration lines, a heading and the DAF rows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

enum class InputSection {
  unit,                   // index: the parameter, 0 to 7
  count,                  // the number of chemicals
  property_heading,       //
  property,               // index: the chemical, from 1
  concentration_heading,  //
  concentration,          // index: the chemical, from 1
  daf_heading,            //
  daf,                    // index: the row, from 1
  none,                   // a blank line, or past what the count lets the layout follow
};

struct InputPlace {
  InputSection section = InputSection::none;
  int index = 0;
};

// The property line's values in order, after the name and the "@".
inline constexpr const char* kPropertyFields[] = {
    "CHEMCAS", "MCL",     "CSFO",  "CSFI",     "ORDO",     "RFCI",  "BCF",   "SOILST", "TOX_C",
    "HENRY",   "DIFFW",   "DIFFA", "SOL",      "DAFLF",    "DAFSI", "TSTAR", "KPW",    "TAU",
    "BUNGE",   "ORGANIC", "BAF",   "ECOCHRON", "CARCTYPE", "MW",    "VP",    "KDSW",   "LOGKOW"};
inline constexpr const char* kConcentrationFields[] = {"TCLPCONC", "TCLPFLAG", "TOTC", "TOTFLAG"};
inline constexpr const char* kDafFields[] = {"CHEMCAS", "LFCONC", "LFCAR", "LFNON",
                                             "SICONC",  "SICAR",  "SINON"};

class InputLayout {
 public:
  explicit InputLayout(std::string_view text);

  // Lines from 1; an empty view past the end.
  std::string_view line(int number) const;
  int line_count() const { return static_cast<int>(lines_.size()); }
  InputPlace place_of(int line) const;
  // The first line of a place; 0 when the file has none.
  int line_of(InputSection section, int index = 0) const;
  // The number of chemicals line 9 (or where the count is) gives, when it reads as one.
  std::optional<int> count() const { return count_; }
  // The name before the "@" of chemical i's property line, blanks cut; empty when unknown.
  std::string chemical_name(int i) const;
  // Two or more words on the line and not one number among them.
  bool looks_like_heading(int line) const;

 private:
  std::vector<std::string_view> lines_;
  std::vector<InputPlace> places_;  // by line, from 0
  std::optional<int> count_;
};

}  // namespace vorn
