#include "vorn/stream_verdict.hpp"

namespace vorn {

const char* verdict_words(std::size_t exceeding) {
  return exceeding > 0 ? "exceeds limits" : "within limits";
}

StreamVerdict stream_verdict(const Results& results) {
  StreamVerdict v;
  for (const ChemicalReport& w : results.report) v.exceeding += w.GW_EXCEEDED || w.SF_EXCEEDED;
  v.RI_TOT = results.totals.RI_TOT();
  v.HI_TOT = results.totals.HI_TOT();
  v.target_risk = results.unit.WU_RISKFACT;
  v.target_hazard = results.unit.WU_HQFACT;
  return v;
}

}  // namespace vorn
