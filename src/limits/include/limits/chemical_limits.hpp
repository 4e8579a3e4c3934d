// What a chemical's pathway values decide: its sums, its limiting pathways with their
// allowable concentrations (the drinking-water check included) and its exceedances.
#pragma once

#include "core/failure.hpp"
#include "groundwater/daf_curve.hpp"
#include "input/daf_table.hpp"
#include "vorn/records.hpp"

namespace vorn {

// RI_SF, RI_GW, HI_SF, HI_GW: of the adult and child dermal values only the larger counts.
void pathway_sums(const ResultSlots& r, ChemicalReport& w);

// SF_ALLOW, the limiting surface pathway SF_LIMIT and TC_MAX.
void surface_limit(const ResultSlots& r, ChemicalReport& w);

// TCLPMAX, LIMITPOE, GW_LIMIT, DAF_WV, DAF and GW_WELL, with the drinking-water check of a
// positive MCL (its DAFs looked up on the chemical's curve, gathered again from `rows`).
// Fails as the lookups fail; `c` takes the DAFs the gathering writes back. `daf_factor`
// multiplies every DAF of the curve.
Failure groundwater_limit(const WasteUnit& wu, const DafTable& table, const DafRowMatch& rows,
                          double DAF_SCALE, int i, Chemical& c, const ResultSlots& r,
                          ChemicalReport& w, double daf_factor = 1.0);

// GW_EXCEEDED and SF_EXCEEDED: the TCLP concentration against TCLPMAX, and the total
// (landfill) or TCLP (impoundment) concentration against the limiting surface allowable.
void exceedances(const WasteUnit& wu, const Chemical& c, ChemicalReport& w);

}  // namespace vorn
