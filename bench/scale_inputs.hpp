// The VORN.IN files of the scale benchmark, generated the same on every run.
//
//   scale_input(n)  n inorganic chemicals over min(n, 500) CAS numbers, each with table rows
//                   whose carcinogenic and non-carcinogenic DAFs differ and every toxicity value
//                   positive: the indoor air model runs twice per chemical.
//   mixed_input()   10,000 chemicals of which 3,059 need the indoor air model once each, a
//                   third of them organic, with 500 DAF rows over 280 CAS numbers (110 of them
//                   with three rows, the others with one); 120 further CAS numbers have no row.
#pragma once

#include <cstdio>
#include <string>

namespace vorn::bench {

inline constexpr int kDafRows = 500;
inline constexpr int kMixedChemicals = 10000;
inline constexpr int kMixedIndoor = 3059;
inline constexpr int kMixedTableKeys = 280;
inline constexpr int kMixedKeys = 400;

inline std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

inline std::string scale_input(int n) {
  const int keys = n < kDafRows ? n : kDafRows;
  std::string s = "1\nLF\n1.0E-5\n1.0\n10000\n0\n20\n0\n" + std::to_string(n) +
                  "\nChemicalName @ CAS MCL CSFO CSFI ORDO RFCI ...\n";
  for (int i = 0; i < n; ++i) {
    const double f = 1.0 + (i % 97) * 0.01;
    s += "Scale chemical " + std::to_string(i + 1) + " @ 5000-" + std::to_string(i % keys) + "-1 " +
         number(0.005 * f) + " " + number(0.055 * f) + " " + number(0.0273 * f) + " " +
         number(0.004 * f) + " " + number(0.03 * f) + " 5.2 1820 0.5 " + number(5.55e-3 * f) +
         " 9.8e-6 0.088 1750 0 0 0.7 0.015 " + "0.29 0.051 0 -1 0.13 C 78.11 0.125 -1 2.13\n";
  }
  s += "TCLP FLAG TOTC FLAG\n";
  for (int i = 0; i < n; ++i) s += number(0.5 * (1.0 + (i % 89) * 0.02)) + " N 100 N\n";
  s += "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n";
  for (int r = 0; r < kDafRows; ++r) {
    const int key = r % keys;
    const double c = 0.001 * (1 << (r / keys % 20));  // rising concentrations per chemical
    s += "5000-" + std::to_string(key) + "-1 " + number(c) + " " + number(10.5 + r * 0.01) + " " +
         number(12.5 + r * 0.02) + " " + number(c) + " 2.1 2.4\n";
  }
  return s;
}

// Whether chemical i (from 0) of the mixed input needs the indoor air model: kMixedIndoor of
// the kMixedChemicals, spread evenly.
inline bool mixed_needs_indoor(int i) {
  return (i + 1) * kMixedIndoor / kMixedChemicals > i * kMixedIndoor / kMixedChemicals;
}

inline std::string mixed_input() {
  std::string s = "1\nLF\n1.0E-5\n1.0\n10000\n0\n20\n0\n" + std::to_string(kMixedChemicals) +
                  "\nChemicalName @ CAS MCL CSFO CSFI ORDO RFCI ...\n";
  for (int i = 0; i < kMixedChemicals; ++i) {
    const double f = 1.0 + (i % 97) * 0.01;
    const bool organic = i % 3 == 0;
    // A missing toxicity value is -1; indoor inhalation needs HENRY, DIFFW, DIFFA above 0 and
    // CSFI or ORDI above 0.
    // One evaluation each: a chemical without table rows has one DAF for both halves.
    const int key = i % kMixedKeys;
    double csfi = -1, ordi = -1, henry = 5.55e-3 * f;
    if (mixed_needs_indoor(i)) {
      if (key >= kMixedTableKeys || i % 2 == 0) csfi = 0.0273 * f;
      if (key >= kMixedTableKeys || i % 2 == 1) ordi = 0.03 * f;
    } else {
      if (i % 2 == 0) csfi = 0.0273 * f;
      if (i % 5 < 2) ordi = 0.03 * f;
      henry = i % 7 == 0 ? 0.0 : -1.0;
    }
    const double csfo = i % 6 == 5 ? -1 : 0.055 * f;
    const double ordo = i % 8 == 3 ? 0.0 : 0.004 * f;
    s += "Mixed chemical " + std::to_string(i + 1) + " @ 7000-" + std::to_string(key) + "-5 " +
         number(0.005 * f) + " " + number(csfo) + " " + number(csfi) + " " + number(ordo) + " " +
         number(ordi) + " 5.2 1820 " + (i % 11 == 0 ? "-1 " : "0.5 ") + number(henry) +
         " 9.8e-6 0.088 1750 " + (i % 13 == 0 ? "7.5 " : "0 ") + "0 0.7 0.015 0.29 0.051 " +
         (organic ? "1" : "0") + " -1 0.13 " + (i % 2 == 0 ? "C " : "N ") + "78.11 " +
         (i % 9 == 0 ? "-1" : "0.125") + " -1 2.13\n";
  }
  s += "TCLP FLAG TOTC FLAG\n";
  for (int i = 0; i < kMixedChemicals; ++i)
    s += number(0.5 * (1.0 + (i % 89) * 0.02)) + " N " + number(100.0 + (i % 31)) + " N\n";
  s += "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n";
  for (int r = 0; r < kDafRows; ++r) {
    // Rows 0..279 open the keys in turn; rows 280..499 give keys 0..109 two more each.
    const int key = r < kMixedTableKeys ? r : (r - kMixedTableKeys) % 110;
    const double c = r < kMixedTableKeys ? 0.001 : r < kMixedTableKeys + 110 ? 0.1 : 10.0;
    s += "7000-" + std::to_string(key) + "-5 " + number(c) + " " + number(10.5 + r * 0.01) + " " +
         number(12.5 + r * 0.02) + " " + number(c) + " 2.1 2.4\n";
  }
  return s;
}

}  // namespace vorn::bench
