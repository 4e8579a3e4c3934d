#include "model/chemical_model.hpp"

#include "input/chemical_derivation.hpp"
#include "limits/chemical_limits.hpp"
#include "pathways/cas_numbers.hpp"
#include "pathways/landfill_sw.hpp"
#include "pathways/surface_paths.hpp"

namespace vorn {
namespace {

void fail(ChemicalEvaluation& ev, Failure failure, EvaluationStage stage) {
  ev.failure = failure;
  ev.stage = stage;
  ev.indoor = IndoorNeeds{};
}

}  // namespace

void evaluate_until_indoor(const ModelSite& site, const DafRowMatch& rows, int index,
                           const Chemical& as_read, ChemicalEvaluation& ev, double daf_factor) {
  const WasteUnit& wu = site.unit.wu;
  ev.index = index;
  ev.chemical = as_read;
  ev.slots = ResultSlots{};
  ev.limits = ChemicalReport{};
  ev.failure = Failure{};
  ev.stage = EvaluationStage::pathways;
  ev.indoor = IndoorNeeds{};
  ev.groundwater = false;
  ev.daf_factor = daf_factor;
  Chemical& c = ev.chemical;
  if (Failure f = derive_chemical(c)) return fail(ev, f, EvaluationStage::pathways);

  if (wu.is_landfill()) {
    landfillsw(wu, c, ev.slots);
  } else if (!wu.is_impoundment()) {
    return fail(ev, Failure::with_text(FailureKind::main_unit_type_guard, wu.WU_WMUTYPE),
                EvaluationStage::pathways);
  }
  surfacepaths(wu, c, ev.slots);

  if (is_cas(c.CHEMCAS, kMethylmercuryCas)) return;
  ev.groundwater = true;
  DafCurve curve;
  if (Failure f = getdafcurve(wu, site.daf, rows, index, c, curve, daf_factor))
    return fail(ev, f, EvaluationStage::pathways);
  if (Failure f = dafforward(curve, c, index, site.unit.DAF_SCALE, ev.slots, ev.well))
    return fail(ev, f, EvaluationStage::pathways);
  const GroundwaterDafs dafs{curve, site.unit.DAF_SCALE, ev.well};
  if (Failure f = gwingestion(wu, c, dafs, ev.slots)) return fail(ev, f, EvaluationStage::pathways);
  if (Failure f = gwdermal(wu, c, dafs, ev.slots)) return fail(ev, f, EvaluationStage::pathways);
  ev.indoor = gwinhalation_needs(c, ev.well);
}

void evaluate_after_indoor(const ModelSite& site, const DafRowMatch& rows,
                           const IndoorAverages* averages, ChemicalEvaluation& ev) {
  if (ev.failure) return;
  const WasteUnit& wu = site.unit.wu;
  Chemical& c = ev.chemical;
  if (ev.groundwater) {
    DafCurve curve;
    if (Failure f = getdafcurve(wu, site.daf, rows, ev.index, c, curve, ev.daf_factor))
      return fail(ev, f, EvaluationStage::pathways);
    const GroundwaterDafs dafs{curve, site.unit.DAF_SCALE, ev.well};
    if (Failure f = gwinhalation(wu, c, dafs, ev.indoor, averages, ev.slots))
      return fail(ev, f, EvaluationStage::pathways);
  }
  pathway_sums(ev.slots, ev.limits);
  surface_limit(ev.slots, ev.limits);
  if (Failure f = groundwater_limit(wu, site.daf, rows, site.unit.DAF_SCALE, ev.index, c, ev.slots,
                                    ev.limits, ev.daf_factor))
    return fail(ev, f, EvaluationStage::limits);
  exceedances(wu, c, ev.limits);
}

void evaluate_chemical(const ModelSite& site, const DafRowMatch& rows, int index,
                       const Chemical& as_read, ChemicalEvaluation& ev) {
  evaluate_until_indoor(site, rows, index, as_read, ev);
  IndoorAverages averages[2]{};
  for (int k = 0; k < ev.indoor.count; ++k) averages[k] = indoorair(ev.indoor.inputs[k]);
  evaluate_after_indoor(site, rows, averages, ev);
}

}  // namespace vorn
