// The DAF table section at the end of VORN.IN.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"

namespace vorn {

inline constexpr int kDafCapacity = 500;
inline constexpr std::size_t kDafKeyWidth = 20;

// Concentrations in mg/L; DAFs dimensionless.
struct DafRow {
  std::string CHEMCAS = std::string(kDafKeyWidth, ' ');
  double LFCONC = 0.0, LFCAR = 0.0, LFNON = 0.0;
  double SICONC = 0.0, SICAR = 0.0, SINON = 0.0;
};

// Calls f(name, field) for the columns of a row in the order VORN.IN gives them; `Row` is
// DafRow or const DafRow.
template <typename Row, typename F>
void for_each_daf_field(Row& row, F&& f) {
  f("CHEMCAS", row.CHEMCAS);
  f("LFCONC", row.LFCONC);
  f("LFCAR", row.LFCAR);
  f("LFNON", row.LFNON);
  f("SICONC", row.SICONC);
  f("SICAR", row.SICAR);
  f("SINON", row.SINON);
}

// Rows 1..NDAF in table order.
struct DafTable {
  std::int32_t NDAF = 0;
  std::array<DafRow, kDafCapacity> rows{};
  DafRow& row(int r) { return rows[static_cast<std::size_t>(r - 1)]; }
  const DafRow& row(int r) const { return rows[static_cast<std::size_t>(r - 1)]; }
  // Back to the values of a new table, keeping the keys' storage.
  void clear();
};

// Reads the rows up to the end of the file or the first blank line, echoing each.
void readdaftable(InputFile& in, const LogUnit& debug, DafTable& table);

}  // namespace vorn
