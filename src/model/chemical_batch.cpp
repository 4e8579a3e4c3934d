#include "model/chemical_batch.hpp"

namespace vorn {

void ChemicalBatch::evaluate(const ModelSite& site, std::size_t count, const Chemical* as_read,
                             const DafRowMatch* rows, int first_index, ChemicalEvaluation* evs,
                             const double* daf_factors) {
  inputs_.clear();
  first_.resize(count);
  for (std::size_t k = 0; k < count; ++k) {
    evaluate_until_indoor(site, rows[k], first_index + static_cast<int>(k), as_read[k], evs[k],
                          daf_factors != nullptr ? daf_factors[k] : 1.0);
    first_[k] = inputs_.size();
    const IndoorNeeds& needs = evs[k].indoor;
    inputs_.insert(inputs_.end(), needs.inputs, needs.inputs + needs.count);
  }
  averages_.resize(inputs_.size());
  indoor_model_batch(inputs_.data(), averages_.data(), inputs_.size());
  for (std::size_t k = 0; k < count; ++k)
    evaluate_after_indoor(site, rows[k], averages_.data() + first_[k], evs[k]);
}

}  // namespace vorn
