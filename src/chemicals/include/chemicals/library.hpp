// The chemical library in long form: one value per (id, variant, field), each with its unit,
// source key, table, table date and derivation.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn::chemicals {

// One row of the library.
struct LibraryValue {
  std::string id;       // CAS number or registry id; empty on a SKIPPED row
  std::string variant;  // empty unless the id has several rows
  std::string field;    // a library field (library_fields.hpp)
  std::string value;    // a decimal number as the run takes it, or a text (CHEMNAME, MUTAGEN)
  std::string unit;     // as the run takes it
  std::string source;   // the table's source key (I, P, PHYSPROP, D018 ...)
  std::string table;
  std::string date;         // the table's date, as its edition names it
  std::string derivation;   // how the value came from the table's cell; empty: as written
  std::string note;         // the table's note on the cell, or a remark on the row
  std::string other;        // a later table's value for the same field, in the same unit
  std::string other_table;  // that table
};

// The field of a row that records a table row not loaded: its value is the row's name, its
// derivation the record, its note the reason.
inline constexpr const char* kSkippedField = "SKIPPED";

struct EntryKey {
  std::string id, variant;
  bool operator==(const EntryKey&) const = default;
};

class Library {
 public:
  Library() = default;
  // `origin` names the library in messages and sources: a file's path, or the snapshot.
  Library(std::string origin, std::vector<LibraryValue> values);

  const std::string& origin() const { return origin_; }
  const std::vector<LibraryValue>& values() const { return values_; }
  // Every (id, variant) that has a value, in the order of their first rows.
  const std::vector<EntryKey>& entries() const { return entries_; }
  const LibraryValue* find(std::string_view id, std::string_view variant,
                           std::string_view field) const;
  // The variants the id has here, in order ("" for an entry without one); empty when none.
  std::vector<std::string> variants(std::string_view id) const;

 private:
  std::string origin_;
  std::vector<LibraryValue> values_;
  std::vector<EntryKey> entries_;
  std::unordered_map<std::string, std::size_t> index_;
  std::unordered_map<std::string, std::vector<std::string>> variants_;
};

}  // namespace vorn::chemicals
