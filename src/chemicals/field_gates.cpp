#include "chemicals/field_gates.hpp"

namespace vorn::chemicals {

const FieldGate* field_gate(std::string_view field) {
  for (const FieldGate& g : kFieldGates)
    if (field == g.field) return &g;
  return nullptr;
}

const UnitGates& gates_for(const FieldGate& gate, bool landfill) {
  return landfill ? gate.landfill : gate.impoundment;
}

std::string pathway_codes(unsigned bits) {
  std::string out;
  for (const PathwayGroup& p : kPathwayGroups)
    if (bits & p.bit) out += (out.empty() ? "" : " ") + std::string(p.code);
  return out;
}

std::string pathway_words(unsigned bits) {
  std::string out;
  for (const PathwayGroup& p : kPathwayGroups)
    if (bits & p.bit) out += (out.empty() ? "" : ", ") + std::string(p.words);
  return out;
}

}  // namespace vorn::chemicals
