// A run store set up by hand, and the engine's steps called on it one at a time with the
// run's own rules: a failure stops the run on the unit given, with its lines written there.
#pragma once

#include <vector>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "groundwater/daf_curve.hpp"
#include "input/daf_table.hpp"
#include "run/run_state.hpp"
#include "vorn/records.hpp"

namespace vorn::test {

struct TestUnits {
  Sink* debug = nullptr;
  Sink* report = nullptr;
  LogUnit unit(int number) const;
};

struct TestRun {
  WasteUnit wu;
  ChemicalTable chem;
  DafTable daf;
  DafCurve curve;
  ChemicalResults res;
  int N = 0;
  double DAF_SCALE = 0.0;
  double DAF_CAR = 0.0;
  double DAF_NON = 0.0;
  InputFile* input = nullptr;
  TestUnits units;
};

// Element i - 1 belongs to chemical i.
using ReportWork = std::vector<ChemicalReport>;

// Reading: the chemicals are kept as the run derives them.
void readchemicals(TestRun& rs, int in_unit, int debug_unit, int& N);
void readdaftable(TestRun& rs, int in_unit, int debug_unit);
// The geometry, then the DAF scale factor with its echo.
void unitgeometry(TestRun& rs, int debug_unit);
void calcdafscale(TestRun& rs, int debug_unit);

void getdafcurve(TestRun& rs, int unit, int& i);
// Gathers the curve, then the DAFs at TCLPCONC (DAF_CAR, DAF_NON).
void dafforward(TestRun& rs, int unit, int& i);
void dafbackward(TestRun& rs, int unit, int& i, int selector, double W, double& result);

void landfillsw(TestRun& rs, int debug_unit, int& i);
void surfacepaths(TestRun& rs, int debug_unit, int& i);
void lfvolatilization(TestRun& rs, int i);
void sivolatilization(TestRun& rs, int i);
double fishuptake(const TestRun& rs, int i);
// The DAFs at TCLPCONC, ingestion, dermal contact, indoor inhalation (not for methylmercury).
void groundwaterpaths(TestRun& rs, int debug_unit, int& i);

// The chemicals' limits as a run decides them, then the ten tables on the report unit; a
// failed drinking-water check stops there after the rows before it.
ReportWork writereport(TestRun& rs, int report_unit, int N);

}  // namespace vorn::test
