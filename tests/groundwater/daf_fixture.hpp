// A run store set up by hand for the DAF lookups, and input lines for whole runs.
#pragma once

#include <string>

#include "support/test_run.hpp"
#include "vorn/records.hpp"

namespace vorn::test {

// Waste unit of a type, a DAF scale factor, chemicals and table rows; the debug
// and report units write to memory.
struct DafFixture {
  explicit DafFixture(const std::string& type, double scale = 1.0) {
    rs.wu.WU_WMUTYPE = type;
    rs.DAF_SCALE = scale;
    rs.units.debug = &debug;
    rs.units.report = &report;
  }

  // Adds chemical i (returned) and re-creates the result arrays for all chemicals.
  int add_chemical(const std::string& cas, int organic, double tclp, double daflf = 0.0,
                   double dafsi = 0.0) {
    Chemical& c = rs.chem.append();
    c.CHEMCAS = cas;
    c.CHEMCAS.resize(kCasWidth, ' ');
    c.ORGANIC = organic;
    c.TCLPCONC = tclp;
    c.DAFLF = daflf;
    c.DAFSI = dafsi;
    rs.N = rs.chem.size();
    rs.res.allocateResults(rs.N);
    return rs.N;
  }

  // A row with the same concentration and DAFs for both unit types.
  void add_row(const std::string& key, double conc, double car, double non) {
    add_row(key, conc, car, non, conc, car, non);
  }
  void add_row(const std::string& key, double lfconc, double lfcar, double lfnon, double siconc,
               double sicar, double sinon) {
    DafRow& row = rs.daf.row(++rs.daf.NDAF);
    row.CHEMCAS = key;
    row.CHEMCAS.resize(kDafKeyWidth, ' ');
    row.LFCONC = lfconc;
    row.LFCAR = lfcar;
    row.LFNON = lfnon;
    row.SICONC = siconc;
    row.SICAR = sicar;
    row.SINON = sinon;
  }

  TestRun rs;
  StringSink debug;
  StringSink report;
};

// A property line with every value given: an inorganic or organic carcinogen
// with its own DAFs for a landfill and an impoundment.
inline std::string chemical_line(const std::string& name, const std::string& cas, int organic,
                                 const std::string& daflf = "0", const std::string& dafsi = "0") {
  return name + " @ " + cas + " 0.01 1.5 15.1 3.0D-4 1.5e-5 44 -1 5.0 -1 -1 -1 -1 " + daflf + " " +
         dafsi + " -1 1.0e-3 -1 -1 " + std::to_string(organic) + " -1 0.15 C 74.92 0 29 -1000";
}

}  // namespace vorn::test
