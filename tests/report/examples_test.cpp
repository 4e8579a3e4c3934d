// The two shipped examples: their reports, logs and standard output against the
// checked references, through the C++ entry and through the vorn program, and a set
// of report cells against an independent hand calculation.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "program_run.hpp"
#include "report_reading.hpp"
#include "support/test_support.hpp"
#include "vorn/results_json.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;

fs::path example_input(const std::string& name) {
  return fs::path(VORN_EXAMPLES) / name / "VORN.IN";
}
fs::path reference(const std::string& name) {
  return data_dir() / "examples" / name;
}

class ShippedExample : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedExample, CppEntryWritesTheCheckedFiles) {
  ScratchDir dir;
  fs::copy_file(example_input(GetParam()), dir / "VORN.IN");
  const Outcome outcome = run(dir.path());
  ASSERT_EQ(outcome.status, Status::completed);
  EXPECT_EQ(read_text(dir / "VORN.OUT"), read_text(reference(GetParam()) / "VORN.OUT"));
  EXPECT_EQ(read_text(dir / "VORN.DBG"), read_text(reference(GetParam()) / "VORN.DBG"));
  EXPECT_EQ(outcome.stdout_text, read_text(reference(GetParam()) / "stdout.txt"));
  EXPECT_EQ(outcome.stderr_text, "");
}

TEST_P(ShippedExample, ProgramWritesTheCheckedFiles) {
  ScratchDir dir;
  fs::copy_file(example_input(GetParam()), dir / "VORN.IN");
  const ProgramRun r = run_program(dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(read_text(dir / "VORN.OUT"), read_text(reference(GetParam()) / "VORN.OUT"));
  EXPECT_EQ(read_text(dir / "VORN.DBG"), read_text(reference(GetParam()) / "VORN.DBG"));
  EXPECT_EQ(r.out, read_text(reference(GetParam()) / "stdout.txt"));
  EXPECT_EQ(without_warnings(r.err), "");
}

TEST_P(ShippedExample, EveryDataRowHasItsTablesLength) {
  const MemoryRun r = run_text(read_text(example_input(GetParam())));
  ASSERT_EQ(r.outcome.status, Status::completed);
  const int n = static_cast<int>(r.outcome.results->chemicals.size());
  ASSERT_EQ(n, 10);
  for (int t = 1; t <= 10; ++t) {
    const auto rows = data_rows(*r.files.report, t, n);
    ASSERT_EQ(rows.size(), 10u) << "table " << t;
    for (const std::string& row : rows) EXPECT_EQ(row.size(), row_length(t)) << "table " << t;
  }
  EXPECT_EQ(row_length(6), 160u);
}

INSTANTIATE_TEST_SUITE_P(Both, ShippedExample, ::testing::Values("landfill", "impoundment"));

// The annotated example is the landfill example with a comment after a slash on every value
// line: it reads to the same values, so it writes the same report, log and values.
TEST(AnnotatedExample, GivesTheLandfillExamplesReportLogAndValues) {
  const std::string annotated = read_text(example_input("annotated"));
  ASSERT_NE(annotated.find(" / WU_WMUTYPE"), std::string::npos);
  const MemoryRun a = run_text(annotated);
  const MemoryRun lf = run_text(read_text(example_input("landfill")));
  ASSERT_EQ(a.outcome.status, Status::completed);
  EXPECT_EQ(*a.files.report, read_text(reference("landfill") / "VORN.OUT"));
  EXPECT_EQ(a.files.debug, read_text(reference("landfill") / "VORN.DBG"));
  EXPECT_EQ(results_json(a.outcome), results_json(lf.outcome));
}

// Cells worked out by tests/report/hand_check_examples.py from the model's formulas,
// without the engine: example, table, row (chemical), field after the name, text.
struct HandCell {
  const char* example;
  int table, row, column;
  const char* text;
};
const HandCell kHandCells[] = {
    {"landfill", 1, 6, 3, " 0.118E-08"},  // arsenic R_AIRPT
    {"landfill", 2, 6, 1, " 0.136E+02"},  // arsenic DAF, interpolated between 0.01 and 0.1 mg/L
    {"landfill", 2, 6, 2, " 0.230E+02"},  // arsenic DAF_WV
    {"landfill", 2, 6, 4, " 0.178E-04"},  // arsenic R_GWING
    {"landfill", 4, 6, 2, " 0.129E+02"},  // arsenic DAF, non-carcinogenic
    {"landfill", 6, 6, 2, " 0.487E-03"},  // arsenic LIMITPOE
    {"landfill", 6, 6, 3, " 0.121E+02"},  // arsenic DAF
    {"landfill", 6, 6, 4, " 0.205E+02"},  // arsenic DAF_WV
    {"landfill", 6, 6, 5, " 0.997E-02"},  // arsenic TCLPMAX
    {"landfill", 6, 6, 8, " 0.250E+00"},  // arsenic C_GWDERM-A
    {"landfill", 8, 6, 3, "GWINGESTION    "},     // arsenic limiting groundwater pathway
    {"landfill", 9, 6, 3, " 0.997E-02"},          // arsenic MAX_GW, exceeded
    {"landfill", 9, 6, 4, "GWINGESTION    "},     // arsenic exceeded pathway
    {"landfill", 2, 1, 4, " 0.509E-06"},          // benzene R_GWING
    {"landfill", 6, 1, 5, " 0.887E-01"},          // benzene TCLPMAX
    {"landfill", 8, 1, 3, "MCL            "},     // benzene limiting pathway
    {"landfill", 5, 8, 4, " 0.419E+07"},          // lead C_AirPt
    {"landfill", 5, 8, 6, " 0.152E+08"},          // lead C_AirSoil
    {"landfill", 5, 8, 2, " 0.419E+07"},          // lead TC_Max
    {"landfill", 6, 8, 5, " 0.342E+02"},          // lead TCLPMAX
    {"landfill", 6, 8, 3, " 0.135E+04"},          // lead DAF
    {"landfill", 8, 8, 3, "GWINGESTION    "},     // lead: the MCL ties and loses
    {"landfill", 3, 9, 2, " 0.366E-07"},          // mercury H_SWIng
    {"landfill", 3, 10, 4, " 0.628E-03"},         // methylmercury H_SWFish
    {"landfill", 5, 10, 5, " 0.318E+01"},         // methylmercury C_SWFish
    {"landfill", 10, 10, 7, " 0.140E-09"},        // methylmercury RO_AMB
    {"impoundment", 1, 2, 6, " 0.112E-08"},       // benzene R_AirVol
    {"impoundment", 3, 2, 6, " 0.965E-05"},       // benzene H_AirVol
    {"impoundment", 5, 2, 7, " 0.356E+02"},       // benzene C_AirVol
    {"impoundment", 2, 4, 1, " 0.318E+01"},       // vinyl chloride DAF, the default own DAF
    {"impoundment", 2, 4, 4, " 0.159E-05"},       // vinyl chloride R_GWING
    {"impoundment", 6, 1, 5, " 0.451E+01"},       // toluene TCLPMAX
    {"impoundment", 6, 1, 4, " 0.451E+01"},       // toluene DAF_WV
    {"impoundment", 8, 1, 3, "MCL            "},  // toluene limiting pathway
    {"impoundment", 2, 3, 5, " 0.325E-04"},       // chloroform R_GWINH
    {"impoundment", 6, 3, 2, " 0.495E-02"},       // chloroform LIMITPOE
    {"impoundment", 6, 3, 5, " 0.185E-01"},       // chloroform TCLPMAX
    {"impoundment", 9, 3, 3, " 0.185E-01"},       // chloroform MAX_GW, exceeded
    {"impoundment", 9, 3, 4, "GWINHALATION   "},  // chloroform exceeded pathway
    {"impoundment", 4, 5, 2, " 0.201E+01"},       // arsenic DAF, non-carcinogenic
    {"impoundment", 6, 5, 5, " 0.159E-02"},       // arsenic TCLPMAX
    {"impoundment", 6, 7, 8, " 0.300E+04"},       // barium C_GWDERM-A
};

TEST(ShippedExampleReports, HandCalculatedCellsMatch) {
  for (const HandCell& c : kHandCells) {
    SCOPED_TRACE(std::string(c.example) + " table " + std::to_string(c.table) + " row " +
                 std::to_string(c.row) + " field " + std::to_string(c.column));
    const std::string report = read_text(reference(c.example) / "VORN.OUT");
    const auto rows = data_rows(report, c.table, c.row);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.row));
    EXPECT_EQ(field(rows.back(), c.column), c.text);
  }
}

// The same hand calculation at full precision: example, chemical (0 for the run), value.
struct HandValue {
  const char* example;
  int chemical;
  const char* name;
  double value;
};
const HandValue kHandValues[] = {
    {"landfill", 0, "DAF_SCALE", 1.6895502324823155},
    {"landfill", 6, "R_AIRPT", 1.179511485996358e-09},
    {"landfill", 6, "DAFC", 13.6229012512712},
    {"landfill", 6, "DAFC_WV", 23.016575976168884},
    {"landfill", 6, "R_GWING", 1.783110395434337e-05},
    {"landfill", 6, "DAFN", 12.912986691708566},
    {"landfill", 6, "LIMITPOE", 0.0004873164218958612},
    {"landfill", 6, "DAF", 12.107160108885932},
    {"landfill", 6, "DAF_WV", 20.45565517666884},
    {"landfill", 6, "TCLPMAX", 0.009968376688229811},
    {"landfill", 6, "GW_WELL3", 0.25028571428571433},
    {"landfill", 1, "R_GWING", 5.08957152777692e-07},
    {"landfill", 1, "TCLPMAX", 0.08870138720532156},
    {"landfill", 8, "SF_ALLOW2", 4190142.476656936},
    {"landfill", 8, "SF_ALLOW4", 15164823.947598584},
    {"landfill", 8, "TC_MAX", 4190142.476656936},
    {"landfill", 8, "TCLPMAX", 34.20057881937834},
    {"landfill", 8, "DAF", 1349.49440633599},
    {"landfill", 9, "H_SWING", 3.6559591113869666e-08},
    {"landfill", 10, "H_SWFISH", 0.0006283702561262897},
    {"landfill", 10, "SF_ALLOW3", 3.1828368394286954},
    {"landfill", 10, "SWDISS", 1.4042151642005864e-10},
    {"impoundment", 0, "DAF_SCALE", 1.553684249938789},
    {"impoundment", 2, "R_AIRVOL", 1.124566369940882e-09},
    {"impoundment", 2, "H_AIRVOL", 9.654584636967728e-06},
    {"impoundment", 2, "SF_ALLOW5", 35.56926569136403},
    {"impoundment", 4, "DAFC", 3.180000066757202},
    {"impoundment", 4, "R_GWING", 1.5948883484526648e-06},
    {"impoundment", 1, "TCLPMAX", 4.5056843248224885},
    {"impoundment", 1, "DAF_WV", 4.5056843248224885},
    {"impoundment", 3, "R_GWINH", 3.248594910618014e-05},
    {"impoundment", 3, "LIMITPOE", 0.004953152345061479},
    {"impoundment", 3, "TCLPMAX", 0.018469523486566553},
    {"impoundment", 5, "DAFN", 2.007741476049845},
    {"impoundment", 5, "TCLPMAX", 0.0015907426678720494},
    {"impoundment", 7, "GW_WELL3", 3003.4285714285716},
};

double value_of(const Results& res, int chemical, const std::string& name) {
  if (chemical == 0) return name == "DAF_SCALE" ? res.DAF_SCALE : NAN;
  const ResultSlots& s = res.results[static_cast<std::size_t>(chemical - 1)];
  const ChemicalReport& w = res.report[static_cast<std::size_t>(chemical - 1)];
  if (name == "R_AIRPT") return s.R_AIRPT;
  if (name == "R_AIRVOL") return s.R_AIRVOL;
  if (name == "H_AIRVOL") return s.H_AIRVOL;
  if (name == "H_SWING") return s.H_SWING;
  if (name == "H_SWFISH") return s.H_SWFISH;
  if (name == "SWDISS") return s.SWDISS;
  if (name == "R_GWING") return s.R_GWING;
  if (name == "R_GWINH") return s.R_GWINH;
  if (name == "DAFC") return s.DAFC;
  if (name == "DAFC_WV") return s.DAFC_WV;
  if (name == "DAFN") return s.DAFN;
  if (name == "TC_MAX") return w.TC_MAX;
  if (name.rfind("SF_ALLOW", 0) == 0) return w.SF_ALLOW[std::stoul(name.substr(8)) - 1];
  if (name.rfind("GW_WELL", 0) == 0) return w.GW_WELL[std::stoul(name.substr(7)) - 1];
  if (name == "TCLPMAX") return w.TCLPMAX;
  if (name == "LIMITPOE") return w.LIMITPOE;
  if (name == "DAF") return w.DAF;
  if (name == "DAF_WV") return w.DAF_WV;
  return NAN;
}

TEST(ShippedExampleReports, HandCalculatedValuesMatchToTwelveDigits) {
  for (const HandValue& v : kHandValues) {
    SCOPED_TRACE(std::string(v.example) + " chemical " + std::to_string(v.chemical) + " " + v.name);
    const MemoryRun r = run_text(read_text(example_input(v.example)));
    ASSERT_EQ(r.outcome.status, Status::completed);
    const double mine = value_of(*r.outcome.results, v.chemical, v.name);
    EXPECT_NEAR(mine, v.value, std::fabs(v.value) * 1e-12);
  }
}

}  // namespace
}  // namespace vorn::test
