#include "groundwater/daf_rows.hpp"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/text.hpp"

namespace vorn {
namespace {

using Key = std::array<char, kDafKeyWidth>;

// Leading blanks removed, cut or padded to the key width.
Key key_of(std::string_view cas) {
  Key key;
  key.fill(' ');
  const std::string_view cut = trim_leading(cas).substr(0, kDafKeyWidth);
  std::copy(cut.begin(), cut.end(), key.begin());
  return key;
}

// Keys in byte order.
int compare(const Key& a, const Key& b) {
  return std::memcmp(a.data(), b.data(), a.size());
}

// The key of `cas` is `key` (a key already cut and padded), without building it: this runs
// for every table row.
bool has_key(std::string_view cas, std::string_view key) {
  const std::string_view cut = trim_leading(cas).substr(0, kDafKeyWidth);
  return key.compare(0, cut.size(), cut) == 0 &&
         key.find_first_not_of(' ', cut.size()) == std::string::npos;
}

// Adds row j to the match; false once the match is complete.
bool take_row(DafRowMatch& match, int j, const Chemical& c) {
  if (match.count == kCurveCapacity) {
    match.overflow = true;
    return false;
  }
  match.rows[static_cast<std::size_t>(match.count++)] = static_cast<std::int16_t>(j);
  return c.ORGANIC != 1;  // an organic chemical takes its first row only
}

}  // namespace

DafRowMatch match_daf_rows(const DafTable& table, const Chemical& c) {
  DafRowMatch match;
  const Key key = key_of(c.CHEMCAS);
  for (int j = 1; j <= table.NDAF; ++j) {
    if (!has_key(table.row(j).CHEMCAS, std::string_view(key.data(), key.size()))) continue;
    if (!take_row(match, j, c)) break;
  }
  return match;
}

DafRowIndex::DafRowIndex(const DafTable& table) {
  entries_.reserve(static_cast<std::size_t>(table.NDAF));
  for (int j = 1; j <= table.NDAF; ++j)
    entries_.push_back({key_of(table.row(j).CHEMCAS), static_cast<std::int16_t>(j)});
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    const int order = compare(a.key, b.key);
    return order != 0 ? order < 0 : a.row < b.row;
  });
}

DafRowMatch DafRowIndex::match(const Chemical& c) const {
  DafRowMatch match;
  const Key key = key_of(c.CHEMCAS);
  auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                             [](const Entry& e, const Key& k) { return compare(e.key, k) < 0; });
  for (; it != entries_.end() && compare(it->key, key) == 0; ++it)
    if (!take_row(match, it->row, c)) break;
  return match;
}

}  // namespace vorn
