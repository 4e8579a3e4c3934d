// The values of a chemical record as a stream sheet and the sources name them: the name,
// then the 26 values of a property line in their order, with units as the run takes them.
// The sixth is RFCI, the reference concentration that the record's ORDI holds as read.
#pragma once

#include <string_view>

#include "vorn/records.hpp"

namespace vorn::chemicals {

enum class RecordKind { real, integer, flag, name };

struct RecordField {
  const char* name;
  RecordKind kind;
  double Chemical::*real;  // the member of a real value
  const char* unit;
  const char* library;  // the library field that gives it; nullptr: none does
};

inline constexpr RecordField kRecordFields[] = {
    {"CHEMNAME", RecordKind::name, nullptr, "", "CHEMNAME"},
    {"MCL", RecordKind::real, &Chemical::MCL, "mg/L", "MCL"},
    {"CSFO", RecordKind::real, &Chemical::CSFO, "(mg/kg-day)-1", "CSFO"},
    {"CSFI", RecordKind::real, &Chemical::CSFI, "(mg/kg-day)-1", "CSFI"},
    {"ORDO", RecordKind::real, &Chemical::ORDO, "mg/kg-day", "ORDO"},
    {"RFCI", RecordKind::real, &Chemical::ORDI, "mg/m3", "RFCI"},
    {"BCF", RecordKind::real, &Chemical::BCF, "L/kg", nullptr},
    {"SOILST", RecordKind::real, &Chemical::SOILST, "mg/kg", "SOILST"},
    {"TOX_C", RecordKind::real, &Chemical::TOX_C, "mg/L", "TOX_C"},
    {"HENRY", RecordKind::real, &Chemical::HENRY, "atm-m3/mol", "HENRY"},
    {"DIFFW", RecordKind::real, &Chemical::DIFFW, "cm2/s", "DIFFW"},
    {"DIFFA", RecordKind::real, &Chemical::DIFFA, "cm2/s", "DIFFA"},
    {"SOL", RecordKind::real, &Chemical::SOL, "mg/L", "SOL"},
    {"DAFLF", RecordKind::real, &Chemical::DAFLF, "", nullptr},
    {"DAFSI", RecordKind::real, &Chemical::DAFSI, "", nullptr},
    {"TSTAR", RecordKind::real, &Chemical::TSTAR, "h", nullptr},
    {"KPW", RecordKind::real, &Chemical::KPW, "cm/hr", "KPW"},
    {"TAU", RecordKind::real, &Chemical::TAU, "h", nullptr},
    {"BUNGE", RecordKind::real, &Chemical::BUNGE, "", nullptr},
    {"ORGANIC", RecordKind::integer, nullptr, "", nullptr},
    {"BAF", RecordKind::real, &Chemical::BAF, "L/kg", nullptr},
    {"ECOCHRON", RecordKind::real, &Chemical::ECOCHRON, "mg/L", nullptr},
    {"CARCTYPE", RecordKind::flag, nullptr, "", nullptr},
    {"MW", RecordKind::real, &Chemical::MW, "g/mol", "MW"},
    {"VP", RecordKind::real, &Chemical::VP, "atm", "VP"},
    {"KDSW", RecordKind::real, &Chemical::KDSW, "L/kg", nullptr},
    {"LOGKOW", RecordKind::real, &Chemical::LOGKOW, "", nullptr},
};

inline const RecordField* record_field(std::string_view name) {
  for (const RecordField& f : kRecordFields)
    if (name == f.name) return &f;
  return nullptr;
}

}  // namespace vorn::chemicals
