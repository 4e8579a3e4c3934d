#include "scenario/vary_target.hpp"

#include <array>
#include <map>
#include <stdexcept>
#include <string>
#include <type_traits>

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

namespace {

template <class T>
double Chemical::*as_real(T Chemical::*member) {
  if constexpr (std::is_same_v<T, double>)
    return member;
  else
    return nullptr;
}

}  // namespace

double WasteUnit::*unit_member(std::string_view name) {
  if (name == "WU_WASTEVOL") return &WasteUnit::WU_WASTEVOL;
  if (name == "WU_ACTLIFE") return &WasteUnit::WU_ACTLIFE;
  if (name == "WU_RISKFACT") return &WasteUnit::WU_RISKFACT;
  if (name == "WU_HQFACT") return &WasteUnit::WU_HQFACT;
  throw std::invalid_argument("not a unit input: " + std::string(name));
}

double Chemical::*chemical_member(std::string_view name) {
  static const std::map<std::string_view, double Chemical::*> members = {
#define VORN_REAL_MEMBER(field, kind) {#field, as_real(&Chemical::field)},
      VORN_CHEMICAL_FIELDS(VORN_REAL_MEMBER)
#undef VORN_REAL_MEMBER
  };
  const auto it = members.find(name);
  if (it == members.end() || it->second == nullptr)
    throw std::invalid_argument("not a real column of a chemical: " + std::string(name));
  return it->second;
}

}  // namespace vorn::scenario
