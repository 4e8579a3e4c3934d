// Why an evaluation could not go on, as a value: the model returns it, a run stops with its lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/log_line.hpp"

namespace vorn {

enum class FailureKind : std::uint8_t {
  none,
  unit_type,              // the unit type as read is neither LF nor SI
  waste_volume,           // not above 0
  volume_unit,            // not 0, 1 or 2
  active_life,            // not above 0
  unit_type_guard,        // a lookup met a unit type other than LF or SI
  main_unit_type_guard,   // the chemical loop met a unit type other than LF or SI
  organic_flag,           // ORGANIC is neither 0 nor 1
  too_many_daf_rows,      // a 51st matching DAF row
  forward_interpolation,  // no bracket holds the leachate concentration
  backward_interpolation  // no bracket holds the well concentration
};

struct Failure {
  FailureKind kind = FailureKind::none;
  std::int32_t number = 0;             // chemical index, ORGANIC or volume unit, by kind
  double value = 0.0;                  // waste volume or active life
  std::array<char, 2> text{' ', ' '};  // the unit type, fitted to two characters

  explicit operator bool() const { return kind != FailureKind::none; }

  static Failure of(FailureKind kind, std::int32_t number = 0) {
    Failure f;
    f.kind = kind;
    f.number = number;
    return f;
  }
  static Failure with_value(FailureKind kind, double value) {
    Failure f;
    f.kind = kind;
    f.value = value;
    return f;
  }
  static Failure with_text(FailureKind kind, std::string_view text) {
    Failure f;
    f.kind = kind;
    for (std::size_t k = 0; k < f.text.size() && k < text.size(); ++k) f.text[k] = text[k];
    return f;
  }
};

// The lines a run stops with, as they go on its unit.
std::vector<LogLine> failure_lines(const Failure& failure);

// A short reason without values, for counting failures ("DAF interpolation failed").
const char* failure_reason(FailureKind kind);

}  // namespace vorn
