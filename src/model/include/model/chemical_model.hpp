// The model's second step: one chemical, from its values as read to its pathway values and
// limits, with no files and no log. It writes only its own evaluation, so several threads
// may evaluate (even the same chemical) at once; after the first use of an evaluation it
// allocates nothing.
//
// The step is split around the indoor-air model so that callers can evaluate many models
// together: evaluate_until_indoor returns the model inputs it needs, evaluate_after_indoor
// takes their averages.
#pragma once

#include "core/failure.hpp"
#include "groundwater/daf_curve.hpp"
#include "groundwater/daf_interpolation.hpp"
#include "input/daf_table.hpp"
#include "model/unit_model.hpp"
#include "pathways/groundwater_paths.hpp"
#include "vorn/records.hpp"

namespace vorn {

// What every chemical of a run reads and none writes.
struct ModelSite {
  const UnitModel& unit;
  const DafTable& daf;
};

enum class EvaluationStage : std::uint8_t {
  pathways,  // a failure here ends the chemical before its limits
  limits,    // a failure in the drinking-water check: the pathway values stand
};

struct ChemicalEvaluation {
  int index = 0;      // 1-based, as messages name it
  Chemical chemical;  // derived from the values as read; takes the DAFs the lookups write back
  ResultSlots slots;  // the 55 pathway values
  ChemicalReport limits;
  Failure failure;
  EvaluationStage stage = EvaluationStage::pathways;
  // Between the two steps (the DAF curve is gathered again from the rows, so that many
  // evaluations can wait for their indoor models without holding one each).
  IndoorNeeds indoor;
  WellDafs well;
  bool groundwater = false;  // the groundwater pathways apply
  double daf_factor = 1.0;   // multiplies every DAF of the chemical's curve
};

// Derivations, DAF lookups and every pathway up to the indoor model. `rows` are the
// chemical's rows of the site's DAF table (DafRowIndex, match_daf_rows). On return ev.indoor
// holds the model inputs still needed, or ev.failure says why the chemical cannot go on.
// `daf_factor` multiplies every DAF of the chemical's curve (1: as read).
void evaluate_until_indoor(const ModelSite& site, const DafRowMatch& rows, int index,
                           const Chemical& as_read, ChemicalEvaluation& ev,
                           double daf_factor = 1.0);

// Indoor inhalation with the averages of ev.indoor's evaluations (in its order), then the
// sums, limiting pathways and exceedances. Does nothing after a failure.
void evaluate_after_indoor(const ModelSite& site, const DafRowMatch& rows,
                           const IndoorAverages* averages, ChemicalEvaluation& ev);

// Both steps, with the indoor model run one evaluation at a time.
void evaluate_chemical(const ModelSite& site, const DafRowMatch& rows, int index,
                       const Chemical& as_read, ChemicalEvaluation& ev);

}  // namespace vorn
