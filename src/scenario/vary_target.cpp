#include "scenario/vary_target.hpp"

#include <array>

#include "vorn/records.hpp"

namespace vorn::scenario {

namespace {

// The inputs of the unit that feed its derivations; the derived ones follow from them.
constexpr std::array<std::string_view, 4> kUnitFields = {"WU_WASTEVOL", "WU_ACTLIFE", "WU_RISKFACT",
                                                         "WU_HQFACT"};

constexpr bool is_real(std::string_view kind) {
  return kind == "REAL";
}

#define VORN_CHEMICAL_NAME(name, kind) \
  is_real(#kind) ? std::string_view(#name) : std::string_view(),
constexpr std::string_view kChemicalColumns[] = {VORN_CHEMICAL_FIELDS(VORN_CHEMICAL_NAME)};
#undef VORN_CHEMICAL_NAME

}  // namespace

std::optional<VaryTarget> vary_target(std::string_view field) {
  if (field.empty()) return std::nullopt;
  if (field == "DAF") return VaryTarget::daf;
  for (std::string_view unit : kUnitFields) {
    if (field == unit) return VaryTarget::unit;
  }
  // Texts, flags and ORGANIC left empty above: they are never varied.
  for (std::string_view column : kChemicalColumns) {
    if (field == column) return VaryTarget::chemical;
  }
  return std::nullopt;
}

std::vector<std::string> varied_fields() {
  std::vector<std::string> out(kUnitFields.begin(), kUnitFields.end());
  for (std::string_view column : kChemicalColumns)
    if (!column.empty()) out.emplace_back(column);
  out.emplace_back("DAF");
  return out;
}

}  // namespace vorn::scenario
