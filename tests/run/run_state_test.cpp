// The run store: initial values of the records and result slots, the life of the
// result arrays, and runs that start from a fresh store whatever ran before.
#include "run/run_state.hpp"

#include "core/thread_spare.hpp"
#include "groundwater/daf_curve.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

// The initial value of a result slot by the prefix of its name: DAFs 1, risks,
// hazard quotients and the dissolved concentration 0, allowables NOT_COMPUTED.
double expected_initial(const std::string& name) {
  if (name.rfind("DAF", 0) == 0) return 1.0;
  if (name.rfind("R_", 0) == 0 || name.rfind("H_", 0) == 0 || name == "SWDISS") return 0.0;
  for (const char* prefix : {"CC_", "CN_", "WC_", "WN_", "FC_", "FN_"})
    if (name.rfind(prefix, 0) == 0) return NOT_COMPUTED;
  ADD_FAILURE() << "unknown slot " << name;
  return -1;
}

TEST(RunState, ResultSlotsStartWithTheirInitialValues) {
  ChemicalResults res;
  EXPECT_EQ(res.size(), 0);
  res.allocateResults(3);
  ASSERT_EQ(res.size(), 3);
  int slots = 0, dafs = 0, zeros = 0, not_computed = 0;
  for (int i = 1; i <= 3; ++i) {
    const ResultSlots& s = res(i);
#define VORN_CHECK_SLOT(name, init)                    \
  EXPECT_EQ(s.name, expected_initial(#name)) << #name; \
  if (i == 1) {                                        \
    ++slots;                                           \
    dafs += s.name == 1.0;                             \
    zeros += s.name == 0.0;                            \
    not_computed += s.name == 1.0e30;                  \
  }
    VORN_RESULT_SLOTS(VORN_CHECK_SLOT)
#undef VORN_CHECK_SLOT
  }
  EXPECT_EQ(slots, 55);
  EXPECT_EQ(dafs, 4);
  EXPECT_EQ(zeros, 19);
  EXPECT_EQ(not_computed, 32);
  EXPECT_EQ(NOT_COMPUTED, 1.0e30);
}

TEST(RunState, ResultArraysAreCreatedAfreshAndReleasedAnyNumberOfTimes) {
  ChemicalResults res;
  res.allocateResults(2);
  res(2).R_GWING = 0.5;
  res(2).CC_AIRVOL = 7.0;
  res.allocateResults(4);
  ASSERT_EQ(res.size(), 4);
  EXPECT_EQ(res(2).R_GWING, 0.0);
  EXPECT_EQ(res(2).CC_AIRVOL, NOT_COMPUTED);
  res.releaseResults();
  EXPECT_EQ(res.size(), 0);
  res.releaseResults();
  EXPECT_EQ(res.size(), 0);

  // A count of zero or below gives arrays with no element.
  for (int n : {0, -5}) {
    res.allocateResults(n);
    EXPECT_EQ(res.size(), 0);
  }
}

TEST(RunState, ChemicalRecordsStartAsZerosAndBlanks) {
  ChemicalTable table;
  Chemical& c = table.append();
  EXPECT_EQ(table.size(), 1);
  EXPECT_EQ(c.CHEMNAME, std::string(255, ' '));
  EXPECT_EQ(c.CHEMCAS, std::string(29, ' '));
  for (const std::string* flag : {&c.TCLPFLAG, &c.TOTFLAG, &c.CARCTYPE}) EXPECT_EQ(*flag, " ");
  EXPECT_EQ(c.ORGANIC, 0);
  int reals = 0;
#define VORN_CHECK_REAL(name, kind)                         \
  if constexpr (std::is_same_v<decltype(c.name), double>) { \
    EXPECT_EQ(c.name, 0.0) << #name;                        \
    ++reals;                                                \
  }
  VORN_CHEMICAL_FIELDS(VORN_CHECK_REAL)
#undef VORN_CHECK_REAL
  EXPECT_EQ(reals, 26);

  // Every record is new: a second one does not inherit the first one's values.
  c.MCL = 3.0;
  c.CHEMCAS = "71-43-2";
  table.append();
  EXPECT_EQ(table(2).MCL, 0.0);
  EXPECT_EQ(table(2).CHEMCAS, std::string(29, ' '));
  EXPECT_EQ(table(1).MCL, 3.0);
  table.take();
  EXPECT_EQ(table.size(), 0);
}

// Everything of a store is as a new one holds it.
void expect_fresh(const RunState* rs) {
  const WasteUnit& wu = rs->unit.wu;
  EXPECT_EQ(wu.WU_SITEKEY, 0);
  EXPECT_EQ(wu.WU_WMUTYPE, "  ");
  EXPECT_EQ(wu.WU_VOLUNIT, 0);
  for (double v : {wu.WU_RISKFACT, wu.WU_HQFACT, wu.WU_WASTEVOL,    wu.WU_ACTLIFE, wu.WU_SIFLOW,
                   wu.WU_VOLYD3,   wu.WU_VOLM3,  wu.WU_ANNVOL,      wu.WU_AREAAC,  wu.WU_AREAM2,
                   wu.WU_AREAV,    wu.WU_DISP1,  wu.WU_DISP2,       wu.WU_DIAM,    wu.WU_FETCHD,
                   wu.WU_RESTIME,  wu.WU_LSFAC,  wu.WU_EMITP,       wu.WU_EMITD,   wu.WU_SWFAC,
                   wu.WU_SWDFAC,   wu.WU_SUSP,   rs->unit.DAF_SCALE})
    EXPECT_EQ(v, 0.0);
  EXPECT_EQ(rs->chem.size(), 0);
  EXPECT_EQ(rs->res.size(), 0);
  EXPECT_EQ(rs->daf.NDAF, 0);
  EXPECT_EQ(rs->daf.row(kDafCapacity).CHEMCAS, std::string(kDafKeyWidth, ' '));
  EXPECT_EQ(rs->daf.row(kDafCapacity).SINON, 0.0);
  EXPECT_EQ(rs->as_read.size(), 0u);
  EXPECT_EQ(rs->limits.size(), 0u);
  for (int r = 1; r <= kDafCapacity; ++r) {
    const DafRow& row = rs->daf.row(r);
    EXPECT_EQ(row.CHEMCAS, std::string(kDafKeyWidth, ' ')) << r;
    for (double v : {row.LFCONC, row.LFCAR, row.LFNON, row.SICONC, row.SICAR, row.SINON})
      EXPECT_EQ(v, 0.0) << r;
  }
}

TEST(RunState, AFreshStoreHoldsZerosOnly) {
  expect_fresh(std::make_unique<RunState>().get());
  EXPECT_EQ(DafCurve{}.DC_NPT, 0);
}

// Runs reuse their thread's store: cleared, it must be as fresh as a new one.
TEST(RunState, AStoreLentAgainIsClearedToAFreshOne) {
  const RunState* lent = nullptr;
  {
    const ThreadSpare<RunState> rs;
    lent = &*rs;
    rs->unit.wu.WU_WMUTYPE = "LF";
    rs->unit.wu.WU_WASTEVOL = 5.0;
    rs->unit.DAF_SCALE = 2.0;
    rs->as_read.emplace_back();
    rs->daf.NDAF = 3;
    rs->daf.row(1).SINON = 4.0;
    rs->daf.row(kDafCapacity).CHEMCAS = "71-43-2";
    rs->daf.row(kDafCapacity).LFCONC = 1.0;
    rs->chem.append();
    rs->res.allocateResults(2);
    rs->limits.emplace_back();
  }
  const ThreadSpare<RunState> again;
  ASSERT_EQ(&*again, lent);
  again->clear();
  expect_fresh(&*again);
}

TEST(RunState, SlotsOfPathwaysThatDoNotApplyKeepTheirInitialValues) {
  // An impoundment has no surface-water pathways.
  const auto r = run_text(read_text(data_dir() / "reference" / "impoundment" / "VORN.IN"));
  ASSERT_EQ(r.outcome.status, Status::completed);
  ASSERT_FALSE(r.outcome.results->results.empty());
  for (const ResultSlots& s : r.outcome.results->results) {
    for (double v : {s.R_SWING, s.H_SWING, s.R_SWFISH, s.H_SWFISH, s.SWDISS}) EXPECT_EQ(v, 0.0);
    for (double v : {s.CC_SWING, s.CN_SWING, s.WC_SWING, s.WN_SWING, s.CC_SWFISH, s.CN_SWFISH,
                     s.WC_SWFISH, s.WN_SWFISH, s.FC_SWFISH, s.FN_SWFISH})
      EXPECT_EQ(v, NOT_COMPUTED);
  }
}

// The landfill reference input with null values for the site key and the flow rate.
std::string landfill_with_nulls() {
  const std::string input = read_text(data_dir() / "reference" / "landfill" / "VORN.IN");
  std::string out;
  std::size_t pos = 0;
  for (int line = 1; pos < input.size(); ++line) {
    const std::size_t end = input.find('\n', pos);
    const std::string text = input.substr(pos, end - pos);
    out += (line == 1 || line == 8) ? std::string(",") : text;
    out += '\n';
    pos = end + 1;
  }
  return out;
}

TEST(FreshRun, ANullValueDoesNotReuseAValueOfAnEarlierRun) {
  const std::string impoundment = read_text(data_dir() / "reference" / "impoundment" / "VORN.IN");
  const std::string with_nulls = landfill_with_nulls();

  const auto alone = run_text(with_nulls);
  ASSERT_EQ(alone.outcome.status, Status::completed);
  const auto lines = lines_of(alone.files.debug);
  EXPECT_EQ(lines.at(0), " SITEKEY=  0");
  EXPECT_EQ(lines.at(7), " SI Flowrate(cbm/yr)=  0.0");

  // The impoundment run sets both to other values (202 and 5000).
  ASSERT_EQ(run_text(impoundment).outcome.status, Status::completed);
  const auto after = run_text(with_nulls);
  ASSERT_EQ(after.outcome.status, Status::completed);
  EXPECT_EQ(after.files.debug, alone.files.debug);
  EXPECT_EQ(after.files.report, alone.files.report);
  EXPECT_EQ(after.outcome.stdout_text, alone.outcome.stdout_text);

  // The same in one directory, with the files of the earlier run still there.
  ScratchDir dir, fresh;
  write_text(dir / "VORN.IN", impoundment);
  ASSERT_EQ(run(dir.path()).status, Status::completed);
  write_text(dir / "VORN.IN", with_nulls);
  ASSERT_EQ(run(dir.path()).status, Status::completed);
  write_text(fresh / "VORN.IN", with_nulls);
  ASSERT_EQ(run(fresh.path()).status, Status::completed);
  EXPECT_EQ(read_text(dir / "VORN.DBG"), read_text(fresh / "VORN.DBG"));
  EXPECT_EQ(read_text(dir / "VORN.OUT"), read_text(fresh / "VORN.OUT"));
  EXPECT_EQ(read_text(dir / "VORN.DBG"), alone.files.debug);
}

}  // namespace
}  // namespace vorn::test
