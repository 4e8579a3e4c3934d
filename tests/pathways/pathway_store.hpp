// A run store set up by hand, for calling the pathway steps one chemical at a time.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/test_run.hpp"

namespace vorn::test {

// The 55 result slots by name.
inline double& slot(ResultSlots& r, std::string_view name) {
  static const std::map<std::string, double ResultSlots::*, std::less<>> members = {
#define VORN_SLOT_MEMBER(name, init) {#name, &ResultSlots::name},
      VORN_RESULT_SLOTS(VORN_SLOT_MEMBER)
#undef VORN_SLOT_MEMBER
  };
  const auto it = members.find(name);
  if (it == members.end()) throw std::invalid_argument("no slot " + std::string(name));
  return r.*(it->second);
}

inline std::vector<std::string> slot_names() {
  return {
#define VORN_SLOT_NAME(name, init) #name,
      VORN_RESULT_SLOTS(VORN_SLOT_NAME)
#undef VORN_SLOT_NAME
  };
}

// The identical double (NaN equal to NaN).
inline bool same_double(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

#define EXPECT_SAME_DOUBLE(expected, actual) \
  EXPECT_PRED2(::vorn::test::same_double, expected, actual)

// Marks a slot that a step must leave as it was.
inline constexpr double kUntouched = -777.0;

// The landfill of 10000 cubic yards a year over 20 years (or the impoundment of the
// same input numbers), with risk target 1e-5 and HQ target 1. Its unit-level terms
// come from the unit geometry step; no DAF table rows.
class PathwayStore {
 public:
  explicit PathwayStore(const char* type) {
    rs.units.debug = &debug;
    rs.wu.WU_WMUTYPE = type;
    rs.wu.WU_RISKFACT = 1.0e-5;
    rs.wu.WU_HQFACT = 1.0;
    rs.wu.WU_WASTEVOL = 10000;
    rs.wu.WU_VOLUNIT = 0;
    rs.wu.WU_ACTLIFE = 20;
    unitgeometry(rs, kDebugUnit);
  }

  // Appends a chemical with the given CAS number (blank-padded); every other value 0.
  Chemical& add(std::string_view cas) {
    Chemical& c = rs.chem.append();
    c.CHEMCAS = std::string(cas);
    c.CHEMCAS.resize(kCasWidth, ' ');
    c.TCLPCONC = 1.0e-10;
    c.TOTC = 1.0e-10;
    return c;
  }

  void add_daf_row(std::string_view cas, double conc, double car, double non) {
    DafRow& row = rs.daf.row(++rs.daf.NDAF);
    row.CHEMCAS = std::string(cas);
    row.CHEMCAS.resize(kDafKeyWidth, ' ');
    row.LFCONC = row.SICONC = conc;
    row.LFCAR = row.SICAR = car;
    row.LFNON = row.SINON = non;
  }

  // Creates the result slots for the chemicals added, each holding `fill`.
  void allocate(double fill = kUntouched) {
    rs.N = rs.chem.size();
    rs.res.allocateResults(rs.N);
    for (int i = 1; i <= rs.N; ++i)
      for (const auto& name : slot_names()) slot(rs.res(i), name) = fill;
  }

  // The pathway steps of chemical i in the order of a run.
  void evaluate(int i) {
    if (rs.wu.is_landfill()) landfillsw(rs, kDebugUnit, i);
    surfacepaths(rs, kDebugUnit, i);
    groundwaterpaths(rs, kDebugUnit, i);
  }
  void evaluate_all() {
    for (int i = 1; i <= rs.N; ++i) evaluate(i);
  }

  ResultSlots& slots(int i) { return rs.res(i); }
  double& operator()(int i, std::string_view name) { return slot(rs.res(i), name); }

  StringSink debug;
  TestRun rs;
};

// An organic chemical for which every pathway applies, with the given oral and
// inhalation toxicity values.
inline Chemical& add_organic(PathwayStore& s, const char* cas, double csfo, double ordo,
                             double csfi, double ordi) {
  Chemical& c = s.add(cas);
  c.CSFO = csfo;
  c.ORDO = ordo;
  c.CSFI = csfi;
  c.ORDI = ordi;
  c.BCF = 5.2;
  c.BAF = 12;
  c.HENRY = 5.55e-3;
  c.DIFFW = 9.8e-6;
  c.DIFFA = 0.088;
  c.TSTAR = 0.3;
  c.KPW = 0.015;
  c.TAU = 0.29;
  c.BUNGE = 0.051;
  c.ORGANIC = 1;
  c.MW = 78.11;
  c.VP = 0.125;
  c.KDSW = 2.5;
  c.LOGKOW = 2.13;
  c.TOTC = 100;
  c.TCLPCONC = 0.5;
  return c;
}

}  // namespace vorn::test
