// The store of one run: waste unit, chemical table, DAF table and curve, result slots.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/input_file.hpp"
#include "engine/units.hpp"
#include "vorn/records.hpp"

namespace vorn {

// Chemicals 1..N in input order.
class ChemicalTable {
 public:
  Chemical& operator()(int i) { return rows_[static_cast<std::size_t>(i - 1)]; }
  const Chemical& operator()(int i) const { return rows_[static_cast<std::size_t>(i - 1)]; }
  int size() const { return static_cast<int>(rows_.size()); }
  // Appends a record with every column initialised (reals 0, texts blank).
  Chemical& append();
  void release() { std::vector<Chemical>().swap(rows_); }
  // Hands the records over, leaving the table released.
  std::vector<Chemical> take() { return std::exchange(rows_, {}); }

 private:
  std::vector<Chemical> rows_;
};

inline constexpr int kDafCapacity = 500;
inline constexpr std::size_t kDafKeyWidth = 20;

struct DafRow {
  std::string CHEMCAS = std::string(kDafKeyWidth, ' ');
  double LFCONC = 0.0, LFCAR = 0.0, LFNON = 0.0;
  double SICONC = 0.0, SICAR = 0.0, SINON = 0.0;
};

struct DafTable {
  std::int32_t NDAF = 0;
  std::array<DafRow, kDafCapacity> rows{};
  DafRow& row(int r) { return rows[static_cast<std::size_t>(r - 1)]; }
  const DafRow& row(int r) const { return rows[static_cast<std::size_t>(r - 1)]; }
};

inline constexpr int kCurveCapacity = 50;

// Points of the chemical being evaluated, 1-based in table order.
struct DafCurve {
  std::int32_t DC_NPT = 0;
  std::array<double, kCurveCapacity> DC_CONC{}, DC_CAR{}, DC_NON{}, DC_WCAR{}, DC_WNON{};
};

// One set of slots per chemical, 1-based.
class ChemicalResults {
 public:
  void allocateResults(int n);
  void releaseResults() {
    std::vector<ResultSlots>().swap(slots_);
    allocated_ = false;
  }
  bool allocated() const { return allocated_; }
  // Hands the slots over, leaving the arrays released.
  std::vector<ResultSlots> take() {
    allocated_ = false;
    return std::exchange(slots_, {});
  }
  ResultSlots& operator()(int i) { return slots_[static_cast<std::size_t>(i - 1)]; }
  const ResultSlots& operator()(int i) const { return slots_[static_cast<std::size_t>(i - 1)]; }
  int size() const { return static_cast<int>(slots_.size()); }

 private:
  std::vector<ResultSlots> slots_;
  bool allocated_ = false;
};

struct RunState {
  WasteUnit wu;
  ChemicalTable chem;
  DafTable daf;
  DafCurve curve;
  ChemicalResults res;
  std::int32_t N = 0;
  double DAF_SCALE = 0.0;
  double DAF_CAR = 0.0;
  double DAF_NON = 0.0;
  // The run's files: VORN.IN (unit 1) and the sinks behind the other units.
  InputFile* input = nullptr;
  Units units;
};

}  // namespace vorn
