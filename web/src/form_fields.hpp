// The fields of the input editor's form, in VORN.IN's order, with how the reader takes each.
#pragma once

#include <cstddef>

namespace vorn::web {

enum class FieldKind { real, integer, text, name };

struct FormField {
  const char* name;
  FieldKind kind;
  std::size_t width;  // text: the characters the reader keeps
};

inline constexpr FormField kUnitFields[] = {
    {"WU_SITEKEY", FieldKind::integer, 0}, {"WU_WMUTYPE", FieldKind::text, 2},
    {"WU_RISKFACT", FieldKind::real, 0},   {"WU_HQFACT", FieldKind::real, 0},
    {"WU_WASTEVOL", FieldKind::real, 0},   {"WU_VOLUNIT", FieldKind::integer, 0},
    {"WU_ACTLIFE", FieldKind::real, 0},    {"WU_SIFLOW", FieldKind::real, 0}};

// The property line (name, "@", then the 27 items) and the concentration line.
inline constexpr FormField kPropertyFields[] = {
    {"CHEMNAME", FieldKind::name, 255}, {"CHEMCAS", FieldKind::text, 29},
    {"MCL", FieldKind::real, 0},        {"CSFO", FieldKind::real, 0},
    {"CSFI", FieldKind::real, 0},       {"ORDO", FieldKind::real, 0},
    {"ORDI", FieldKind::real, 0},       {"BCF", FieldKind::real, 0},
    {"SOILST", FieldKind::real, 0},     {"TOX_C", FieldKind::real, 0},
    {"HENRY", FieldKind::real, 0},      {"DIFFW", FieldKind::real, 0},
    {"DIFFA", FieldKind::real, 0},      {"SOL", FieldKind::real, 0},
    {"DAFLF", FieldKind::real, 0},      {"DAFSI", FieldKind::real, 0},
    {"TSTAR", FieldKind::real, 0},      {"KPW", FieldKind::real, 0},
    {"TAU", FieldKind::real, 0},        {"BUNGE", FieldKind::real, 0},
    {"ORGANIC", FieldKind::integer, 0}, {"BAF", FieldKind::real, 0},
    {"ECOCHRON", FieldKind::real, 0},   {"CARCTYPE", FieldKind::text, 13},
    {"MW", FieldKind::real, 0},         {"VP", FieldKind::real, 0},
    {"KDSW", FieldKind::real, 0},       {"LOGKOW", FieldKind::real, 0}};

inline constexpr FormField kConcentrationFields[] = {{"TCLPCONC", FieldKind::real, 0},
                                                     {"TCLPFLAG", FieldKind::text, 1},
                                                     {"TOTC", FieldKind::real, 0},
                                                     {"TOTFLAG", FieldKind::text, 1}};

inline constexpr FormField kDafFields[] = {
    {"CHEMCAS", FieldKind::text, 20}, {"LFCONC", FieldKind::real, 0}, {"LFCAR", FieldKind::real, 0},
    {"LFNON", FieldKind::real, 0},    {"SICONC", FieldKind::real, 0}, {"SICAR", FieldKind::real, 0},
    {"SINON", FieldKind::real, 0}};

}  // namespace vorn::web
