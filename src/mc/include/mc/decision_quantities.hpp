// The decision quantities of one chemical in one realization, in the order the outputs list
// them: the nine pathways' risk and hazard quotient, the groundwater, surface and total
// cancer risk and hazard index, the allowable concentrations and the ratios of waste
// concentration to allowable concentration.
#pragma once

#include <array>
#include <cstddef>

#include "model/chemical_model.hpp"

namespace vorn::mc {

enum class QuantityKind {
  risk,       // compared with the target risk
  hazard,     // compared with the target hazard quotient
  allowable,  // an allowable waste concentration
  ratio,      // waste concentration over allowable concentration
};

struct QuantityInfo {
  const char* name;
  QuantityKind kind;
};

inline constexpr std::size_t kChemicalQuantities = 29;
extern const std::array<QuantityInfo, kChemicalQuantities> kChemicalQuantityInfo;

// Positions of the quantities the decision reads.
inline constexpr std::size_t kTclpMax = 24;  // maximum allowable TCLP concentration (mg/L)
inline constexpr std::size_t kSfMax = 26;    // allowable of the limiting surface pathway
inline constexpr std::size_t kGwRatio = 27;  // TCLPCONC / TCLPMAX
inline constexpr std::size_t kSfRatio = 28;  // (TOTC or TCLPCONC) / SF_MAX

using ChemicalQuantities = std::array<double, kChemicalQuantities>;

// The values of a completed evaluation.
void chemical_quantities(const WasteUnit& wu, const ChemicalEvaluation& ev,
                         ChemicalQuantities& out);

}  // namespace vorn::mc
