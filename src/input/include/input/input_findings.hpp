// What reading VORN.IN says of each value: the lines its echo writes to VORN.DBG, and whether
// they warn or stop the run. The echo writes these lines and nothing else, so a check built
// on them (a form that validates as the user types) uses the run's own words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/log_line.hpp"
#include "vorn/records.hpp"

namespace vorn {

enum class FindingKind : std::uint8_t {
  echo,     // the value as read, or as the run derives it
  warning,  // a missing, zero or out-of-range value the run goes on with
  stop      // the run stops here
};

struct InputFinding {
  FindingKind kind = FindingKind::echo;
  std::string field;           // the record field: WU_RISKFACT, MCL, CARCTYPE, TCLPCONC ...
  int chemical = 0;            // 1-based chemical index; 0 for the unit parameters
  std::vector<LogLine> lines;  // as VORN.DBG holds them, each with its leading blank
};

// The echo of a chemical's property values, in the order the log gives them (ORGANIC first:
// a flag other than 0 or 1 stops the run before anything else is written).
std::vector<InputFinding> property_findings(const Chemical& as_read, int index);

// The echo of a chemical's two concentrations (TCLPCONC, TOTC), after its name line.
std::vector<InputFinding> concentration_findings(const Chemical& as_read, int index);

// The echo lines of the unit's range-checked parameters, each alone.
InputFinding risk_target_finding(double risk);
InputFinding hq_target_finding(double hq);

// Every warning and stop of the unit parameters, the unit type as read (before it is put in
// capitals) and the volume unit before it is narrowed to 16 bits. Unlike a run, which stops
// at the first, this lists them all.
std::vector<InputFinding> unit_problems(const WasteUnit& as_read, std::int32_t volume_unit);

// Every warning and stop of one chemical's values as read (properties and concentrations).
std::vector<InputFinding> chemical_problems(const Chemical& as_read, int index);

// A finding's lines as text, joined by line feeds, without their leading blanks.
std::string finding_text(const InputFinding& finding);

}  // namespace vorn
