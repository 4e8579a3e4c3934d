// The store of one run: waste unit, chemical table, DAF table and curve, result slots.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/chemical_fields.hpp"
#include "engine/input_file.hpp"
#include "engine/result_slots.hpp"
#include "engine/units.hpp"

namespace vorn {

// An allowable concentration that holds no computed limit.
inline constexpr double NOT_COMPUTED = 1.0e30;

struct WasteUnit {
  // Read from the site section.
  std::int32_t WU_SITEKEY = 0;
  std::string WU_WMUTYPE = "  ";
  double WU_RISKFACT = 0.0;
  double WU_HQFACT = 0.0;
  double WU_WASTEVOL = 0.0;
  std::int16_t WU_VOLUNIT = 0;
  double WU_ACTLIFE = 0.0;
  double WU_SIFLOW = 0.0;
  // Derived geometry and release terms.
  double WU_VOLYD3 = 0.0;
  double WU_VOLM3 = 0.0;
  double WU_ANNVOL = 0.0;
  double WU_AREAAC = 0.0;
  double WU_AREAM2 = 0.0;
  double WU_AREAV = 0.0;
  double WU_DISP1 = 0.0;
  double WU_DISP2 = 0.0;
  double WU_DIAM = 0.0;
  double WU_FETCHD = 0.0;
  double WU_RESTIME = 0.0;
  double WU_LSFAC = 0.0;
  double WU_EMITP = 0.0;
  double WU_EMITD = 0.0;
  double WU_SWFAC = 0.0;
  double WU_SWDFAC = 0.0;
  double WU_SUSP = 0.0;

  bool is_landfill() const { return WU_WMUTYPE == "LF"; }
  bool is_impoundment() const { return WU_WMUTYPE == "SI"; }
};

// One chemical record; texts are blank-padded to their widths.
struct Chemical {
#define VORN_CHEMICAL_MEMBER(name, kind) VORN_CHEMICAL_TYPE_##kind name = VORN_CHEMICAL_INIT_##kind;
  VORN_CHEMICAL_FIELDS(VORN_CHEMICAL_MEMBER)
#undef VORN_CHEMICAL_MEMBER
};

inline constexpr std::size_t kNameWidth = 255;
inline constexpr std::size_t kCasWidth = 29;

// Chemicals 1..N in input order.
class ChemicalTable {
 public:
  Chemical& operator()(int i) { return rows_[static_cast<std::size_t>(i - 1)]; }
  const Chemical& operator()(int i) const { return rows_[static_cast<std::size_t>(i - 1)]; }
  int size() const { return static_cast<int>(rows_.size()); }
  // Appends a record with every column initialised (reals 0, texts blank).
  Chemical& append();
  void release() { std::vector<Chemical>().swap(rows_); }

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

struct ResultSlots {
#define VORN_RESULT_MEMBER(name, init) double name = init;
  VORN_RESULT_SLOTS(VORN_RESULT_MEMBER)
#undef VORN_RESULT_MEMBER
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
