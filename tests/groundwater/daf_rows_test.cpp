// Finding a chemical's DAF rows through the index built once per table, against the rows a
// table scan finds.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "groundwater/daf_rows.hpp"
#include "input/daf_table.hpp"
#include "vorn/records.hpp"

namespace vorn::test {
namespace {

Chemical chemical(const std::string& cas, int organic) {
  Chemical c;
  c.CHEMCAS = cas;
  c.CHEMCAS.resize(kCasWidth, ' ');
  c.ORGANIC = organic;
  return c;
}

// The keys as readdaftable stores them: cut or padded to the key width.
void set_keys(DafTable& table, const std::vector<std::string>& keys) {
  table.NDAF = static_cast<std::int32_t>(keys.size());
  for (std::size_t j = 0; j < keys.size(); ++j) {
    table.rows[j].CHEMCAS = keys[j].substr(0, kDafKeyWidth);
    table.rows[j].CHEMCAS.resize(kDafKeyWidth, ' ');
  }
}

std::vector<int> rows_of(const DafRowMatch& m) {
  return std::vector<int>(m.rows.begin(), m.rows.begin() + m.count);
}

TEST(DafRowIndex, FindsTheRowsInTableOrderAndAnOrganicChemicalsFirstOnly) {
  auto table = std::make_unique<DafTable>();
  set_keys(*table, {"7440-38-2", "71-43-2", "7440-38-2", "  71-43-2", "7440-38-2  ", "50-32-8"});
  const DafRowIndex index(*table);
  EXPECT_EQ(rows_of(index.match(chemical("7440-38-2", 0))), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(rows_of(index.match(chemical("71-43-2", 0))), (std::vector<int>{2, 4}));
  EXPECT_EQ(rows_of(index.match(chemical("  71-43-2", 1))), (std::vector<int>{2}));
  EXPECT_EQ(rows_of(index.match(chemical("7440-38-2", 1))), (std::vector<int>{1}));
  EXPECT_EQ(index.match(chemical("1336-36-3", 0)).count, 0);
  EXPECT_FALSE(index.match(chemical("1336-36-3", 0)).overflow);
}

TEST(DafRowIndex, OnlyLeadingBlanksAreTrimmedAndKeysCompareOnTwentyCharacters) {
  auto table = std::make_unique<DafTable>();
  // A tab is no blank; the row's key is cut when read, the chemical's after its blanks go.
  set_keys(*table, {"\t71-43-2", "71-43-2x", "   12345678901234567890", "12345678901234567890ab",
                    "71-43-2"});
  const DafRowIndex index(*table);
  EXPECT_EQ(rows_of(index.match(chemical("71-43-2", 0))), (std::vector<int>{5}));
  EXPECT_EQ(rows_of(index.match(chemical("\t71-43-2", 0))), (std::vector<int>{1}));
  EXPECT_EQ(rows_of(index.match(chemical(" 12345678901234567890zz", 0))), (std::vector<int>{4}));
  EXPECT_EQ(rows_of(index.match(chemical("12345678901234567", 0))), (std::vector<int>{3}));
}

TEST(DafRowIndex, AFiftyFirstRowOverflowsWithTheFirstFiftyKept) {
  auto table = std::make_unique<DafTable>();
  std::vector<std::string> keys;
  for (int j = 0; j < 120; ++j) keys.push_back(j % 2 == 0 ? "7440-38-2" : "7439-92-1");
  keys.resize(101);  // 51 rows of arsenic, 50 of lead
  set_keys(*table, keys);
  const DafRowIndex index(*table);
  const DafRowMatch arsenic = index.match(chemical("7440-38-2", 0));
  EXPECT_TRUE(arsenic.overflow);
  EXPECT_EQ(arsenic.count, kCurveCapacity);
  EXPECT_EQ(arsenic.rows[kCurveCapacity - 1], 99);
  const DafRowMatch lead = index.match(chemical("7439-92-1", 0));
  EXPECT_FALSE(lead.overflow);
  EXPECT_EQ(lead.count, kCurveCapacity);
  // An organic chemical takes its first row before any overflow.
  EXPECT_FALSE(index.match(chemical("7440-38-2", 1)).overflow);
}

TEST(DafRowIndex, GivesTheRowsOfATableScanOnRandomTables) {
  // Keys from a small pool, written with blanks and tabs around them, so that rows repeat,
  // interleave, overflow and nearly match.
  const std::vector<std::string> pool = {
      "71-43-2", "71-43-20", "7-43-2", "7440-38-2", "12345678901234567890", "1234567890123456789",
      "a",       "A",        ""};
  const std::vector<std::string> around = {"", " ", "   ", "\t"};
  std::mt19937 rng(24);
  auto pick = [&rng](const std::vector<std::string>& v) {
    return v[std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(rng)];
  };
  auto key = [&] { return pick(around) + pick(pool) + pick(around) + pick(around); };
  auto table = std::make_unique<DafTable>();
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> keys(std::uniform_int_distribution<int>(0, kDafCapacity)(rng));
    for (std::string& k : keys) k = key();
    set_keys(*table, keys);
    const DafRowIndex index(*table);
    for (int c = 0; c < 40; ++c) {
      const Chemical chem = chemical(key() + pick(pool), c % 2);
      const DafRowMatch scan = match_daf_rows(*table, chem);
      const DafRowMatch found = index.match(chem);
      ASSERT_EQ(rows_of(found), rows_of(scan)) << round << " '" << chem.CHEMCAS << "'";
      ASSERT_EQ(found.overflow, scan.overflow) << round << " '" << chem.CHEMCAS << "'";
    }
  }
}

}  // namespace
}  // namespace vorn::test
