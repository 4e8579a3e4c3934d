// The store of one run: what it read, and what the model derived for each chemical.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "input/daf_table.hpp"
#include "model/unit_model.hpp"
#include "vorn/records.hpp"

namespace vorn {

// Chemicals 1..N in input order.
class ChemicalTable {
 public:
  Chemical& operator()(int i) { return rows_[static_cast<std::size_t>(i - 1)]; }
  const Chemical& operator()(int i) const { return rows_[static_cast<std::size_t>(i - 1)]; }
  int size() const { return static_cast<int>(rows_.size()); }
  // Appends a record with every column initialised (reals 0, texts blank).
  Chemical& append() { return rows_.emplace_back(); }
  // Appends the record given.
  Chemical& append(Chemical&& c) { return rows_.emplace_back(std::move(c)); }
  void reserve(int n) { rows_.reserve(static_cast<std::size_t>(n > 0 ? n : 0)); }
  // Hands the records over, leaving the table released.
  std::vector<Chemical> take() { return std::exchange(rows_, {}); }

 private:
  std::vector<Chemical> rows_;
};

// One set of slots per chemical, 1-based.
class ChemicalResults {
 public:
  // max(n, 0) sets of slots, each holding its initial values.
  void allocateResults(int n);
  void releaseResults() { std::vector<ResultSlots>().swap(slots_); }
  // Hands the slots over, leaving the arrays released.
  std::vector<ResultSlots> take() { return std::exchange(slots_, {}); }
  ResultSlots& operator()(int i) { return slots_[static_cast<std::size_t>(i - 1)]; }
  const ResultSlots& operator()(int i) const { return slots_[static_cast<std::size_t>(i - 1)]; }
  int size() const { return static_cast<int>(slots_.size()); }

 private:
  std::vector<ResultSlots> slots_;
};

struct RunState {
  UnitModel unit;
  std::vector<Chemical> as_read;  // the chemicals as read from VORN.IN
  DafTable daf;
  ChemicalTable chem;  // as the model derived them
  ChemicalResults res;
  std::vector<ChemicalReport> limits;

  // Back to the values of a new store (what AFreshStoreHoldsZerosOnly checks), keeping
  // the storage a run would otherwise allocate again.
  void clear();
};

}  // namespace vorn
