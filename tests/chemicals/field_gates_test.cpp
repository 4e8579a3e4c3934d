// The field -> pathway table the fill names missing values with, checked against the engine:
// each value of an organic chemical that has every pathway computed is set to -1 in turn, and
// the pathways whose result slots keep their initial values are the ones it gates; those
// whose slots change otherwise, the ones it alters. The table is the union over a LOGKOW that
// has fish take the BCF and one that has them take the BAF.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chemicals/field_gates.hpp"
#include "chemicals/record_fields.hpp"
#include "groundwater/daf_curve.hpp"
#include "model/chemical_model.hpp"
#include "model/unit_model.hpp"

namespace vorn::chemicals {
namespace {

struct Slot {
  const char* name;
  double ResultSlots::*member;
  double initial;
};

const Slot kSlots[] = {
#define VORN_SLOT(name, init) {#name, &ResultSlots::name, init},
    VORN_RESULT_SLOTS(VORN_SLOT)
#undef VORN_SLOT
};

// The result group of a slot, by its name's end (R_GWDERM_A, WN_SWFISH, SWDISS ...).
unsigned group_of(const std::string& slot) {
  for (const PathwayGroup& g : kPathwayGroups) {
    const std::string code = g.code;
    if (slot.size() >= code.size() &&
        slot.compare(slot.size() - code.size(), code.size(), code) == 0)
      return g.bit;
  }
  return 0;  // the DAFs
}

bool same(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Benzene-like, with every value given and positive.
Chemical organic_chemical(double logkow) {
  Chemical c;
  c.CHEMCAS = "71-43-2";
  c.TCLPCONC = 0.012;
  c.TCLPFLAG = "N";
  c.TOTC = 3.5;
  c.TOTFLAG = "N";
  c.MCL = 0.005, c.CSFO = 0.055, c.CSFI = 0.0273, c.ORDO = 0.004, c.ORDI = 0.03;
  c.BCF = 12.6, c.SOILST = 1820, c.TOX_C = 0.5, c.HENRY = 5.55e-3, c.DIFFW = 1.03e-5;
  c.DIFFA = 0.0895, c.SOL = 1790, c.TSTAR = 0.7, c.KPW = 0.0149, c.TAU = 0.29, c.BUNGE = 0.051;
  c.ORGANIC = 1, c.BAF = 40, c.ECOCHRON = 0.114, c.CARCTYPE = "C", c.MW = 78.11, c.VP = 0.125;
  c.KDSW = 0.29, c.LOGKOW = logkow;
  return c;
}

ResultSlots slots_of(const char* unit_type, const Chemical& c) {
  WasteUnit wu;
  wu.WU_SITEKEY = 1;
  wu.WU_WMUTYPE = unit_type;
  wu.WU_RISKFACT = 1e-5;
  wu.WU_HQFACT = 1;
  wu.WU_WASTEVOL = 6000;
  wu.WU_ACTLIFE = 15;
  UnitModel unit;
  EXPECT_FALSE(derive_unit(wu, unit));
  DafTable daf;
  const ModelSite site{unit, daf};
  ChemicalEvaluation ev;
  evaluate_chemical(site, match_daf_rows(daf, c), 1, c, ev);
  EXPECT_FALSE(ev.failure);
  return ev.slots;
}

UnitGates measured(const char* unit_type, const RecordField& field) {
  UnitGates out;
  for (double logkow : {2.13, 5.0}) {
    const Chemical base = organic_chemical(logkow);
    Chemical missing = base;
    missing.*(field.real) = -1.0;
    const ResultSlots before = slots_of(unit_type, base), after = slots_of(unit_type, missing);
    unsigned kept = 0, changed = 0;
    for (const Slot& s : kSlots) {
      if (same(after.*(s.member), s.initial) && !same(before.*(s.member), s.initial))
        kept |= group_of(s.name);
      else if (!same(after.*(s.member), before.*(s.member)))
        changed |= group_of(s.name);
    }
    out.gates |= kept;
    out.alters |= changed & ~kept;
  }
  out.alters &= ~out.gates;
  return out;
}

TEST(FieldGates, EveryRealValueOfTheRecordHasARowButTheChemicalsOwnDafs) {
  std::size_t rows = 0;
  for (const RecordField& f : kRecordFields) {
    if (f.kind != RecordKind::real) continue;
    const std::string name = f.name;
    if (name == "DAFLF" || name == "DAFSI") {
      EXPECT_EQ(field_gate(name), nullptr);
      continue;
    }
    ASSERT_NE(field_gate(name), nullptr) << name;
    EXPECT_EQ(std::string(kFieldGates[rows++].field), name) << "in the record's order";
  }
  EXPECT_EQ(rows, kFieldGateCount);
}

TEST(FieldGates, TheTableIsWhatTheEngineLeavesUncomputedOrComputesOtherwise) {
  for (const FieldGate& gate : kFieldGates) {
    const RecordField& field = *record_field(gate.field);
    for (const bool landfill : {true, false}) {
      SCOPED_TRACE(std::string(gate.field) + (landfill ? " landfill" : " impoundment"));
      const UnitGates engine = measured(landfill ? "LF" : "SI", field);
      const UnitGates& table = gates_for(gate, landfill);
      EXPECT_EQ(pathway_codes(table.gates), pathway_codes(engine.gates));
      EXPECT_EQ(pathway_codes(table.alters), pathway_codes(engine.alters));
    }
  }
}

TEST(FieldGates, TheBaseChemicalHasEveryLandfillPathwayComputed) {
  const ResultSlots slots = slots_of("LF", organic_chemical(2.13));
  for (const Slot& s : kSlots) {
    if (group_of(s.name) != 0) {
      EXPECT_FALSE(same(slots.*(s.member), s.initial)) << s.name;
    }
  }
}

}  // namespace
}  // namespace vorn::chemicals
