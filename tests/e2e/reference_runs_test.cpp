// Whole runs against two reference runs computed by a separate implementation:
// the report byte for byte, the log, standard output, and every value as the
// identical double.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

using nlohmann::json;

class ReferenceRun : public ::testing::TestWithParam<const char*> {
 protected:
  std::filesystem::path ref() const { return data_dir() / "reference" / GetParam(); }
};

// Bit-identical, with NaN equal to NaN.
bool same_double(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

double number_of(const json& v) {
  if (v.is_string()) {
    const auto s = v.get<std::string>();
    if (s == "NaN") return std::nan("");
    return s == "Infinity" ? INFINITY : -INFINITY;
  }
  return v.get<double>();
}

std::string trimmed(const std::string& s) {
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

void expect_value(const json& expected, const std::string& mine) {
  EXPECT_EQ(expected.get<std::string>(), trimmed(mine));
}
void expect_value(const json& expected, double mine) {
  EXPECT_TRUE(same_double(number_of(expected), mine)) << expected << " vs " << mine;
}

TEST_P(ReferenceRun, ReportLogAndStdoutMatchByteForByte) {
  ScratchDir dir;
  std::filesystem::copy_file(ref() / "VORN.IN", dir / "VORN.IN");
  const Outcome outcome = run(dir.path());
  ASSERT_EQ(outcome.status, Status::completed)
      << (outcome.message.empty() ? "" : outcome.message[0]);
  EXPECT_EQ(read_text(dir / "VORN.OUT"), read_text(ref() / "VORN.OUT"));
  EXPECT_EQ(read_text(dir / "VORN.DBG"), read_text(ref() / "VORN.DBG"));
  EXPECT_EQ(outcome.stdout_text, read_text(ref() / "stdout.txt"));
  EXPECT_EQ(outcome.stderr_text, "");
}

TEST_P(ReferenceRun, EveryValueIsTheIdenticalDouble) {
  const auto r = run_text(read_text(ref() / "VORN.IN"));
  ASSERT_EQ(r.outcome.status, Status::completed);
  const Results& res = *r.outcome.results;
  const json expected = json::parse(read_text(ref() / "results.json"));

  const json& unit = expected["unit"];
  int unit_fields = 0;
  auto check_unit = [&](const char* name, const auto& value) {
    ++unit_fields;
    SCOPED_TRACE(name);
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
      expect_value(unit.at(name), value);
    else
      expect_value(unit.at(name), static_cast<double>(value));
  };
  const bool landfill = res.unit.is_landfill();
#define VORN_CHECK_UNIT(name, which)                                                    \
  if (std::strcmp(#which, "BOTH") == 0 || (std::strcmp(#which, "LF") == 0) == landfill) \
    check_unit(#name, res.unit.name);
  VORN_UNIT_FIELDS(VORN_CHECK_UNIT)
#undef VORN_CHECK_UNIT
  check_unit("DAF_SCALE", res.DAF_SCALE);
  EXPECT_EQ(unit.size(), static_cast<std::size_t>(unit_fields));

  const json& chems = expected["chemicals"];
  ASSERT_EQ(chems.size(), res.chemicals.size());
  for (std::size_t k = 0; k < chems.size(); ++k) {
    SCOPED_TRACE("chemical " + std::to_string(k + 1));
    const json& c = chems[k]["chemical"];
    const Chemical& mine = res.chemicals[k];
#define VORN_CHECK_CHEM(name, kind)       \
  {                                       \
    SCOPED_TRACE(#name);                  \
    expect_value(c.at(#name), mine.name); \
  }
    VORN_CHEMICAL_FIELDS(VORN_CHECK_CHEM)
#undef VORN_CHECK_CHEM
    const json& slots = chems[k]["results"];
    const ResultSlots& s = res.results[k];
#define VORN_CHECK_SLOT(name, init)                            \
  EXPECT_TRUE(same_double(number_of(slots.at(#name)), s.name)) \
      << #name << ": " << slots.at(#name) << " vs " << s.name;
    VORN_RESULT_SLOTS(VORN_CHECK_SLOT)
#undef VORN_CHECK_SLOT
    const json& rep = chems[k]["report"];
    const ChemicalReport& w = res.report[k];
    for (const auto& [name, value] :
         std::vector<std::pair<const char*, double>>{{"RI_SF", w.RI_SF},
                                                     {"RI_GW", w.RI_GW},
                                                     {"HI_SF", w.HI_SF},
                                                     {"HI_GW", w.HI_GW},
                                                     {"TC_MAX", w.TC_MAX},
                                                     {"TCLPMAX", w.TCLPMAX},
                                                     {"LIMITPOE", w.LIMITPOE},
                                                     {"DAF", w.DAF},
                                                     {"DAF_WV", w.DAF_WV}}) {
      EXPECT_TRUE(same_double(number_of(rep.at(name)), value)) << name;
    }
    EXPECT_EQ(rep.at("SF_LIMIT").get<int>(), w.SF_LIMIT);
    EXPECT_EQ(rep.at("GW_LIMIT").get<int>(), w.GW_LIMIT);
    EXPECT_EQ(rep.at("GW_EXCEEDED").get<bool>(), w.GW_EXCEEDED);
    EXPECT_EQ(rep.at("SF_EXCEEDED").get<bool>(), w.SF_EXCEEDED);
    for (std::size_t p = 0; p < 5; ++p) {
      EXPECT_TRUE(same_double(number_of(rep.at("SF_ALLOW")[p]), w.SF_ALLOW[p]));
      EXPECT_TRUE(same_double(number_of(rep.at("GW_WELL")[p]), w.GW_WELL[p]));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Both, ReferenceRun, ::testing::Values("landfill", "impoundment"));

}  // namespace
}  // namespace vorn::test
