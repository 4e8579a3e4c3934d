// VORN.IN written from records reads back to the identical records and runs as the original.
#include "input/input_writer.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "input/input_records.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

using Input = InputRecords;

Input read_input(const std::string& text) {
  return read_input_records(text);
}

std::string written(const Input& r) {
  return write_input_text(r.unit, r.chemicals, *r.daf);
}

void expect_same(const std::string& where, double a, double b) {
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << where << ": " << a << " became " << b;
}
template <typename T>
void expect_same(const std::string& where, const T& a, const T& b) {
  EXPECT_EQ(a, b) << where;
}

void expect_same_input(const Input& a, const Input& b) {
#define VORN_EXPECT_UNIT(name) expect_same(#name, a.unit.name, b.unit.name)
  VORN_EXPECT_UNIT(WU_SITEKEY);
  VORN_EXPECT_UNIT(WU_WMUTYPE);
  VORN_EXPECT_UNIT(WU_RISKFACT);
  VORN_EXPECT_UNIT(WU_HQFACT);
  VORN_EXPECT_UNIT(WU_WASTEVOL);
  VORN_EXPECT_UNIT(WU_VOLUNIT);
  VORN_EXPECT_UNIT(WU_ACTLIFE);
  VORN_EXPECT_UNIT(WU_SIFLOW);
#undef VORN_EXPECT_UNIT
  ASSERT_EQ(a.chemicals.size(), b.chemicals.size());
  for (std::size_t i = 0; i < a.chemicals.size(); ++i) {
    const std::string at = "chemical " + std::to_string(i + 1) + " ";
#define VORN_EXPECT_FIELD(name, kind) \
  expect_same(at + #name, a.chemicals[i].name, b.chemicals[i].name);
    VORN_CHEMICAL_FIELDS(VORN_EXPECT_FIELD)
#undef VORN_EXPECT_FIELD
  }
  ASSERT_EQ(a.daf->NDAF, b.daf->NDAF);
  for (int r = 1; r <= a.daf->NDAF; ++r) {
    const DafRow& x = a.daf->row(r);
    const DafRow& y = b.daf->row(r);
    const std::string at = "DAF row " + std::to_string(r);
    expect_same(at, x.CHEMCAS, y.CHEMCAS);
    for (double DafRow::*v : {&DafRow::LFCONC, &DafRow::LFCAR, &DafRow::LFNON, &DafRow::SICONC,
                              &DafRow::SICAR, &DafRow::SINON})
      expect_same(at, x.*v, y.*v);
  }
}

std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

class ShippedInputs : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedInputs, ReadsBackIdenticallyAndRunsTheSame) {
  const std::string original = read_text(data_dir() / GetParam() / "VORN.IN");
  const Input as_read = read_input(original);
  const std::string text = written(as_read);
  expect_same_input(as_read, read_input(text));
  // Written again from what it gave, the text is a fixed point.
  EXPECT_EQ(written(read_input(text)), text);

  const MemoryRun before = run_text(original);
  const MemoryRun after = run_text(text);
  EXPECT_EQ(before.outcome.status, Status::completed);
  EXPECT_EQ(after.outcome.status, before.outcome.status);
  ASSERT_TRUE(before.files.report.has_value());
  EXPECT_EQ(after.files.report, before.files.report);
  EXPECT_EQ(after.files.debug, before.files.debug);
}

INSTANTIATE_TEST_SUITE_P(InputWriter, ShippedInputs,
                         ::testing::Values("../../examples/landfill", "../../examples/impoundment",
                                           "reference/landfill", "reference/impoundment"));

// The landfill example with awkward values in its first chemical and first DAF row.
Input awkward_input() {
  Input r = read_input(read_text(data_dir() / "../../examples/landfill/VORN.IN"));
  Chemical& c = r.chemicals.front();
  c.CHEMNAME = padded("  Odd, \"quoted\" 'name', a/b\tc", kNameWidth);
  c.CHEMCAS = padded("71 43 2", kCasWidth);
  c.TCLPFLAG = " ";
  c.TOTFLAG = "\"";
  c.CARCTYPE = ",";
  c.MCL = std::numeric_limits<double>::quiet_NaN();
  c.CSFO = -0.0;
  c.CSFI = 5e-324;
  c.ORDO = 1.7976931348623157e308;
  c.ORDI = -std::numeric_limits<double>::quiet_NaN();
  c.BCF = std::numeric_limits<double>::infinity();
  c.SOILST = -std::numeric_limits<double>::infinity();
  c.TOX_C = 0.1 + 0.2;
  c.HENRY = 2.2250738585072014e-308;
  c.ORGANIC = 1;
  r.chemicals[1].CHEMCAS = padded("'a\"b'", kCasWidth);
  r.chemicals[1].CHEMNAME = padded("", kNameWidth);
  DafRow& row = r.daf->row(1);
  row.CHEMCAS = padded("x,y z/", kDafKeyWidth);
  row.LFCONC = -5e-324;
  row.SINON = 123456789012345680.0;
  return r;
}

TEST(InputWriter, AwkwardValuesReadBackIdentically) {
  const Input r = awkward_input();
  expect_same_input(r, read_input(written(r)));
}

TEST(InputWriter, RefusesWhatTheReaderCannotGiveBack) {
  double odd_nan = 0.0;
  const std::uint64_t bits = 0x7FF8000000000001ULL;
  std::memcpy(&odd_nan, &bits, sizeof bits);
  const struct {
    void (*change)(Input&, double);
    std::string named;
  } cases[] = {
      {[](Input& r, double) { r.chemicals[1].CHEMNAME = padded("Mail @ home", kNameWidth); },
       "CHEMNAME of chemical 2 (\"Mail @ home\")"},
      {[](Input& r, double) { r.chemicals[1].CHEMCAS = std::string(kCasWidth + 1, '7'); },
       "CHEMCAS of chemical 2 (\"\")"},
      {[](Input& r, double) { r.chemicals[1].TOTFLAG = "ND"; }, "TOTFLAG of chemical 2"},
      {[](Input& r, double nan) { r.chemicals[1].KDSW = nan; }, "KDSW of chemical 2"},
      {[](Input& r, double) { r.daf->row(3).CHEMCAS = std::string(kDafKeyWidth + 1, '1'); },
       "CHEMCAS of DAF row 3"},
      {[](Input& r, double) { r.unit.WU_WMUTYPE = "lf"; }, "WU_WMUTYPE"},
  };
  for (const auto& c : cases) {
    Input r = awkward_input();
    c.change(r, odd_nan);
    try {
      (void)written(r);
      ADD_FAILURE() << "nothing thrown for " << c.named;
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace vorn::test
