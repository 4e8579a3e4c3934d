// The functions of each distribution family, which the family table names: one check and
// one model maker a family, each family's in a file of its own.
#pragma once

#include <memory>
#include <vector>

#include "numerics/distribution.hpp"
#include "numerics/distribution_families.hpp"
#include "numerics/family_model.hpp"
#include "parameter_checker.hpp"

namespace vorn::numerics {

using ModelPtr = std::shared_ptr<const FamilyModel>;

#define VORN_FAMILY_FUNCTIONS(name)                                        \
  void check_##name(ParameterChecker& c, const DistributionParameters& p); \
  ModelPtr make_##name(const DistributionParameters& p);

VORN_FAMILY_FUNCTIONS(constant)
VORN_FAMILY_FUNCTIONS(uniform)
VORN_FAMILY_FUNCTIONS(loguniform)
VORN_FAMILY_FUNCTIONS(triangular)
VORN_FAMILY_FUNCTIONS(pert)
VORN_FAMILY_FUNCTIONS(normal)
VORN_FAMILY_FUNCTIONS(lognormal)
VORN_FAMILY_FUNCTIONS(beta)
VORN_FAMILY_FUNCTIONS(gamma)
VORN_FAMILY_FUNCTIONS(weibull)
VORN_FAMILY_FUNCTIONS(empirical)

// The parameters some families compute from those given.
std::vector<DerivedParameter> derived_pert(const DistributionParameters& p);
std::vector<DerivedParameter> derived_lognormal(const DistributionParameters& p);

// The families with parameters that have a default.
void default_pert(DistributionParameters& p);
void default_beta(DistributionParameters& p);

#undef VORN_FAMILY_FUNCTIONS

}  // namespace vorn::numerics
