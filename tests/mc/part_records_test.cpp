// A part's records travel as JSON text between machines: every value, NaN, the infinities,
// signed zeros and subnormals included, must come back with its bits, and records that are
// not exactly the units of their shards must be refused before anything is merged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "mc/part_document.hpp"
#include "mc/unit_values.hpp"

namespace vorn::mc {
namespace {

std::vector<std::uint64_t> bits(const std::vector<double>& values) {
  std::vector<std::uint64_t> out(values.size());
  std::memcpy(out.data(), values.data(), values.size() * sizeof(double));
  return out;
}

std::string error_of(const std::function<void()>& call) {
  try {
    call();
  } catch (const PartError& e) {
    return e.what();
  }
  return "no error";
}

TEST(PartRecords, ValuesComeBackBitForBitAndAShortRecordIsNamed) {
  const std::vector<double> values = {std::nan(""), HUGE_VAL,
                                      -HUGE_VAL,    -0.0,
                                      5e-324,       std::numeric_limits<double>::max(),
                                      0.1,          1.0 / 3.0,
                                      -2.5e-308,    1.2345678901234568e17};
  const std::vector<UnitValues> records = {{4, values}, {5, {values.rbegin(), values.rend()}}};
  std::string text;
  append_unit_values(text, records, "draw");
  const nlohmann::ordered_json json = nlohmann::ordered_json::parse(text);
  const std::vector<UnitValues> back =
      unit_values_from_json(json, "draw", values.size(), "outer draw", "p.json: ");
  ASSERT_EQ(back.size(), records.size());
  for (std::size_t k = 0; k < records.size(); ++k) {
    EXPECT_EQ(back[k].unit, records[k].unit);
    EXPECT_EQ(bits(back[k].values), bits(records[k].values)) << "record " << k;
  }
  EXPECT_EQ(error_of([&] { unit_values_from_json(json, "draw", 11, "outer draw", "p.json: "); }),
            "p.json: outer draw 4 holds 10 values, not 11");
}

TEST(PartRecords, MustBeTheUnitsOfTheirShardsAndMergeInUnitOrder) {
  // Shards 1 and 3 of 3 over 7 units: units 1-2 and 5-7.
  const std::vector<ShardRange> shards = {{1, 1, 2}, {3, 5, 7}};
  auto units = [](std::vector<std::uint64_t> list) {
    std::vector<UnitValues> records;
    for (const std::uint64_t u : list) records.push_back({u, {static_cast<double>(u)}});
    return records;
  };
  auto check = [&](const std::vector<std::uint64_t>& list) {
    return error_of([&] { check_records(units(list), shards, 5, "base rows", "p.json: "); });
  };
  EXPECT_EQ(check({1, 2, 5, 6, 7}), "no error");
  EXPECT_EQ(check({1, 2, 5, 7, 6}), "p.json: its records are not the base rows of its shards");
  EXPECT_EQ(check({1, 2, 3, 5, 6}), "p.json: its records are not the base rows of its shards");
  EXPECT_EQ(check({1, 2, 5, 6}), "p.json: its records are not the base rows of its shards");
  EXPECT_EQ(check({1, 2, 5, 6, 7, 8}), "p.json: it holds 6 base rows, its shards 5");

  std::vector<UnitValues> merged = units({1, 2, 6, 7});
  merge_records(merged, units({3, 4, 5, 8}));
  EXPECT_EQ(merged, units({1, 2, 3, 4, 5, 6, 7, 8}));
}

}  // namespace
}  // namespace vorn::mc
