// The fields a library holds, in the order its rows give them, with their units as the run
// takes them.
#pragma once

#include <string_view>

namespace vorn::chemicals {

struct LibraryField {
  const char* name;
  const char* unit;
  bool number;  // a decimal value; otherwise a text
};

// RFCI is the reference concentration the input's sixth value holds (the run turns it into
// a dose); KOC is the organic-carbon partition coefficient, from which ORGANIC and KDSW may
// be derived; MUTAGEN is "M" where the table flags a mutagen.
inline constexpr LibraryField kLibraryFields[] = {
    {"CHEMNAME", "", false},         {"MW", "g/mol", true},       {"HENRY", "atm-m3/mol", true},
    {"DIFFW", "cm2/s", true},        {"DIFFA", "cm2/s", true},    {"SOL", "mg/L", true},
    {"KPW", "cm/hr", true},          {"KOC", "L/kg", true},       {"CSFO", "(mg/kg-day)-1", true},
    {"CSFI", "(mg/kg-day)-1", true}, {"ORDO", "mg/kg-day", true}, {"RFCI", "mg/m3", true},
    {"MCL", "mg/L", true},           {"SOILST", "mg/kg", true},   {"VP", "atm", true},
    {"TOX_C", "mg/L", true},         {"MUTAGEN", "", false},
};

// nullptr for a name that is not a library field.
inline const LibraryField* library_field(std::string_view name) {
  for (const LibraryField& f : kLibraryFields)
    if (name == f.name) return &f;
  return nullptr;
}

// Position in kLibraryFields (its size for an unknown name).
inline std::size_t library_field_order(std::string_view name) {
  std::size_t k = 0;
  for (const LibraryField& f : kLibraryFields) {
    if (name == f.name) return k;
    ++k;
  }
  return k;
}

}  // namespace vorn::chemicals
