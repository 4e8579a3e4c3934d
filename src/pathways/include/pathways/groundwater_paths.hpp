// Groundwater pathways at a receptor well: ingestion, dermal contact, indoor inhalation.
#pragma once

#include "core/failure.hpp"
#include "groundwater/daf_curve.hpp"
#include "groundwater/daf_interpolation.hpp"
#include "pathways/indoor_air.hpp"
#include "vorn/records.hpp"

namespace vorn {

// What the groundwater pathways of one chemical read besides the unit and the chemical:
// its gathered curve, the run's scale factor and the DAFs at its leachate concentration.
struct GroundwaterDafs {
  const DafCurve& curve;
  double DAF_SCALE;
  WellDafs well;
};

Failure gwingestion(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                    ResultSlots& r);
Failure gwdermal(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                 ResultSlots& r);

// The indoor-model evaluations that indoor inhalation needs: none when the pathway does
// not apply, one per half that has a positive toxicity value, one for both halves when
// their well concentrations are the same.
struct IndoorNeeds {
  int count = 0;
  IndoorInputs inputs[2]{};
  int cancer = -1;     // which evaluation the cancer half takes
  int noncancer = -1;  // and the non-cancer half
};
IndoorNeeds gwinhalation_needs(const Chemical& c, const WellDafs& well);

// Indoor inhalation with the averages of the evaluations `needs` asked for, in its order.
Failure gwinhalation(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                     const IndoorNeeds& needs, const IndoorAverages* averages, ResultSlots& r);
// The same, running the indoor model itself.
Failure gwinhalation(const WasteUnit& wu, const Chemical& c, const GroundwaterDafs& dafs,
                     ResultSlots& r);

}  // namespace vorn
