// The verdict of a waste stream, and its total cancer risk and hazard index against the
// unit's targets.
#pragma once

#include <cstddef>

#include "vorn/results.hpp"

namespace vorn {

// A stream exceeds its limits when any chemical's waste concentration exceeds one of its
// limits (the report's GW_EXCEEDED or SF_EXCEEDED): the verdict is per chemical. The
// stream's totals stand beside it, set against the targets; they do not enter it.
struct StreamVerdict {
  std::size_t exceeding = 0;  // chemicals with GW_EXCEEDED or SF_EXCEEDED
  double RI_TOT = 0.0;        // the totals of the report's summary table
  double HI_TOT = 0.0;
  double target_risk = 0.0;    // WU_RISKFACT
  double target_hazard = 0.0;  // WU_HQFACT
  bool risk_above_target() const { return RI_TOT > target_risk; }
  bool hazard_above_target() const { return HI_TOT > target_hazard; }
};

// "exceeds limits" with any chemical exceeding, else "within limits".
const char* verdict_words(std::size_t exceeding);

StreamVerdict stream_verdict(const Results& results);

// The verdict of a stream whose run did not complete.
inline constexpr const char* kNotAssessed = "not assessed";

}  // namespace vorn
