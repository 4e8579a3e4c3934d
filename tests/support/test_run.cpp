#include "support/test_run.hpp"

#include <stdexcept>
#include <string>

#include "groundwater/daf_interpolation.hpp"
#include "groundwater/daf_scale.hpp"
#include "input/chemical_derivation.hpp"
#include "input/chemical_records.hpp"
#include "input/unit_geometry.hpp"
#include "limits/chemical_limits.hpp"
#include "limits/stream_totals.hpp"
#include "pathways/cas_numbers.hpp"
#include "pathways/groundwater_paths.hpp"
#include "pathways/landfill_sw.hpp"
#include "pathways/surface_paths.hpp"
#include "report/report_writer.hpp"

namespace vorn::test {

LogUnit TestUnits::unit(int number) const {
  Sink* sink = number == kReportUnit ? report : number == kDebugUnit ? debug : nullptr;
  if (sink == nullptr) throw std::logic_error("unit " + std::to_string(number) + " is not open");
  return LogUnit(*sink, number);
}

void readchemicals(TestRun& rs, int /*in_unit*/, int debug_unit, int& N) {
  std::vector<Chemical> as_read;
  // What was read before a stop stays in the store, as derived.
  struct Keep {
    TestRun& rs;
    std::vector<Chemical>& as_read;
    ~Keep() {
      for (Chemical& c : as_read) {
        (void)derive_chemical(c);
        rs.chem.append() = c;
      }
    }
  } keep{rs, as_read};
  N = vorn::readchemicals(*rs.input, rs.units.unit(debug_unit), as_read);
}

void readdaftable(TestRun& rs, int /*in_unit*/, int debug_unit) {
  vorn::readdaftable(*rs.input, rs.units.unit(debug_unit), rs.daf);
}

void calcdafscale(TestRun& rs, int debug_unit) {
  const LogUnit debug = rs.units.unit(debug_unit);
  if (Failure f = vorn::calcdafscale(rs.wu, rs.DAF_SCALE)) debug.stop(f);
  debug.log(daf_scale_line(rs.DAF_SCALE));
}

void unitgeometry(TestRun& rs, int debug_unit) {
  vorn::unitgeometry(rs.wu);
  calcdafscale(rs, debug_unit);
}

void getdafcurve(TestRun& rs, int unit, int& i) {
  if (Failure f = vorn::getdafcurve(rs.wu, rs.daf, i, rs.chem(i), rs.curve))
    rs.units.unit(unit).stop(f);
}

void dafforward(TestRun& rs, int unit, int& i) {
  getdafcurve(rs, unit, i);
  WellDafs dafs;
  if (Failure f = vorn::dafforward(rs.curve, rs.chem(i), i, rs.DAF_SCALE, rs.res(i), dafs))
    rs.units.unit(unit).stop(f);
  rs.DAF_CAR = dafs.DAF_CAR;
  rs.DAF_NON = dafs.DAF_NON;
}

void dafbackward(TestRun& rs, int unit, int& i, int selector, double W, double& result) {
  const DafLookup d = vorn::dafbackward(rs.curve, rs.chem(i), rs.DAF_SCALE, selector, W);
  if (d.failure) rs.units.unit(unit).stop(d.failure);
  result = d.daf;
}

void landfillsw(TestRun& rs, int /*debug_unit*/, int& i) {
  vorn::landfillsw(rs.wu, rs.chem(i), rs.res(i));
}

void surfacepaths(TestRun& rs, int /*debug_unit*/, int& i) {
  vorn::surfacepaths(rs.wu, rs.chem(i), rs.res(i));
}

void lfvolatilization(TestRun& rs, int i) {
  vorn::lfvolatilization(rs.wu, rs.chem(i), rs.res(i));
}

void sivolatilization(TestRun& rs, int i) {
  vorn::sivolatilization(rs.wu, rs.chem(i), rs.res(i));
}

double fishuptake(const TestRun& rs, int i) {
  return vorn::fishuptake(rs.chem(i));
}

void groundwaterpaths(TestRun& rs, int debug_unit, int& i) {
  if (is_cas(rs.chem(i).CHEMCAS, kMethylmercuryCas)) return;
  dafforward(rs, debug_unit, i);
  const GroundwaterDafs dafs{rs.curve, rs.DAF_SCALE, WellDafs{rs.DAF_CAR, rs.DAF_NON}};
  const LogUnit debug = rs.units.unit(debug_unit);
  if (Failure f = gwingestion(rs.wu, rs.chem(i), dafs, rs.res(i))) debug.stop(f);
  if (Failure f = gwdermal(rs.wu, rs.chem(i), dafs, rs.res(i))) debug.stop(f);
  if (Failure f = gwinhalation(rs.wu, rs.chem(i), dafs, rs.res(i))) debug.stop(f);
}

ReportWork writereport(TestRun& rs, int report_unit, int N) {
  Results results;
  results.unit = rs.wu;
  results.DAF_SCALE = rs.DAF_SCALE;
  Failure failure;
  int stop_before = 0;
  for (int i = 1; i <= N; ++i) {
    ChemicalReport w;
    pathway_sums(rs.res(i), w);
    surface_limit(rs.res(i), w);
    if (stop_before == 0) {
      failure = groundwater_limit(rs.wu, rs.daf, match_daf_rows(rs.daf, rs.chem(i)), rs.DAF_SCALE,
                                  i, rs.chem(i), rs.res(i), w);
      if (failure)
        stop_before = i;
      else
        exceedances(rs.wu, rs.chem(i), w);
    }
    results.chemicals.push_back(rs.chem(i));
    results.results.push_back(rs.res(i));
    results.report.push_back(w);
  }
  results.totals = stream_totals(results.chemicals, results.results, results.report);
  const LogUnit report = rs.units.unit(report_unit);
  vorn::writereport(report.sink(), results, stop_before);
  if (failure) report.stop(failure);
  return results.report;
}

}  // namespace vorn::test
