// Many chemicals of one site at once: each up to its indoor-air model, then all those models
// together in vector lanes, then each chemical to its end. The values are those of
// evaluate_chemical one chemical at a time, bit for bit.
#pragma once

#include <cstddef>
#include <vector>

#include "model/chemical_model.hpp"

namespace vorn {

class ChemicalBatch {
 public:
  // evs[k] gets chemical first_index + k, with DAF factor daf_factors[k] (none: 1). A
  // failure ends that chemical only. The batch's own storage is reused: after the first
  // call of a size it allocates nothing.
  void evaluate(const ModelSite& site, std::size_t count, const Chemical* as_read,
                const DafRowMatch* rows, int first_index, ChemicalEvaluation* evs,
                const double* daf_factors = nullptr);

 private:
  std::vector<IndoorInputs> inputs_;
  std::vector<IndoorAverages> averages_;
  std::vector<std::size_t> first_;
};

}  // namespace vorn
