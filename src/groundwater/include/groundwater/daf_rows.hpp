// A chemical's rows in the DAF table: its CAS number with leading blanks removed, cut or
// padded to the 20-character key width, equals the row's key taken the same way.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "input/daf_table.hpp"
#include "vorn/records.hpp"

namespace vorn {

inline constexpr int kCurveCapacity = 50;

// The table rows of one chemical in table order (an organic chemical's first only),
// found once and used by every gathering. `overflow`: a 51st row matches.
struct DafRowMatch {
  std::int32_t count = 0;
  bool overflow = false;
  std::array<std::int16_t, kCurveCapacity> rows{};
};

// One table scan.
DafRowMatch match_daf_rows(const DafTable& table, const Chemical& c);

// The rows of a table by key, built once: each match is a binary search instead of a scan,
// with the same rows as match_daf_rows. It reads the table's keys when built only.
class DafRowIndex {
 public:
  explicit DafRowIndex(const DafTable& table);
  DafRowMatch match(const Chemical& c) const;

 private:
  struct Entry {
    std::array<char, kDafKeyWidth> key;
    std::int16_t row;  // 1-based
  };
  std::vector<Entry> entries_;  // by key, then by row
};

}  // namespace vorn
