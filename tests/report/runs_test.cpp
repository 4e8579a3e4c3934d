// Whole runs that put the report in its corner cases: no chemicals, an impoundment,
// limits that tie, a stop while the report is written, repeated runs.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "program_run.hpp"
#include "report_reading.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const char* const kColumns[] = {"MCL",   "CSFO",  "CSFI",  "ORDO",  "RFCI",    "BCF",   "SOILST",
                                "TOXC",  "HENRY", "DIFFW", "DIFFA", "SOL",     "DAFLF", "DAFSI",
                                "TSTAR", "KPW",   "TAU",   "BUNGE", "ORGANIC", "BAF",   "ECOCHRON",
                                "CARC",  "MW",    "VP",    "KDSW",  "LOGKOW"};

// A property line: an inorganic chemical with every property missing unless given.
// Such a chemical computes no pathway, so every allowable stays at 1.0E30.
std::string chemical(const std::string& name, const std::string& cas,
                     const std::map<std::string, std::string>& given = {}) {
  std::map<std::string, std::string> v;
  for (const char* c : kColumns) v[c] = "-1";
  v["DAFLF"] = v["DAFSI"] = "0";
  v["ORGANIC"] = "0";
  v["CARC"] = "N";
  v["MW"] = "100";
  v["VP"] = "0";
  v["KDSW"] = "10";
  v["LOGKOW"] = "-1000";
  for (const auto& [key, value] : given) {
    EXPECT_TRUE(v.count(key)) << key;
    v[key] = value;
  }
  std::vector<std::string> values;
  for (const char* c : kColumns) values.push_back(v[c]);
  return property_line(name, cas, values);
}

const std::string kSep(120, '-');
const char* const kNotComputed = " 0.100E+31";
const char* const kZero = " 0.000E+00";
const char* const kNotExceeded = "--             ";

std::string zeros(int n) {
  std::string s;
  for (int k = 0; k < n; ++k) s += std::string(",") + kZero;
  return s;
}

TEST(ReportFrame, NoChemicalsGiveEveryTitleHeaderAndZeroTotals) {
  InputBuilder in;
  in.site = "7\nLF\n2.0E-6\n0.5\n10000\n0\n20\n0\n";
  const MemoryRun r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const std::string all = "All Constituents    ,          ";
  const std::string blanks3 = ",          ,          ";
  const std::string expected =
      " TABLE 1 SURFACE PATHWAY RISK\n"
      "        CHEMICALNAME, TC(MG/KG),   R_SWING,   R_AIRPT,  R_SWFISH, R_AIRSOIL,  R_AIRVOL,     "
      "R_SUM\n" +
      kSep + "\n" + all + zeros(6) + "\n\n" +
      " Table 2 Groundwater Pathway Risks\n"
      "        CHEMICALNAME,       DAF,    DAF_WV,      TCLP,   R_GWING,   R_GWINH,R_GWDERM-A,"
      "R_GWDERM-C,     R_SUM\n" +
      kSep + "\n" + all + blanks3 + zeros(5) + "\n\n" +
      " Table 3 Surface Pathway Hazard Quotients\n"
      "        ChemicalName, TC(mg/kg),   H_SWIng,   H_AirPt,  H_SWFish, H_AirSoil,  H_AirVol,     "
      "H_Sum\n" +
      kSep + "\n" + all + zeros(6) + "\n\n" +
      " Table 4 Groundwater Pathway Hazard Quotients\n"
      "        CHEMICALNAME,      TCLP,       DAF,    DAF_WV,   H_GWING,   H_GWINH,H_GWDERM-A,"
      "H_GWDERM-C,     H_SUM\n" +
      kSep + "\n" + all + blanks3 + zeros(5) + "\n\n" +
      " Table 5 Maximum Allowable Concs-Surface Pathways\n"
      "  Risk Factor= 0.200E-05\n"
      "  HQ Factor= 0.500E+00\n"
      "        ChemicalName, TC(mg/kg),    TC_Max,   C_SWIng,   C_AirPt,  C_SWFish, C_AirSoil,  "
      "C_AirVol\n" +
      kSep + "\n\n" +
      " Table 6 Maximum Allowable TCLP Concs-GW Pathways\n"
      "  Risk Factor= 0.200E-05\n"
      "  HQ Factor= 0.500E+00\n"
      "        CHEMICALNAME,  TCLPCONC, LIMITPOE,       DAF,    DAF_WV,   TCLPMAX,   C_GWING,   "
      "C_GWINH,C_GWDERM-A,C_GWDERM-C,     C_MCL\n" +
      kSep + "\n\n" +
      " TABLE 7 AGGREGATE RISK AND HAZARD QUOTIENT RESULTS\n"
      "        ChemicalName,     CAS-Number,     HI_GW,     HI_SF,    HI_TOT,     RI_GW,     "
      "RI_SF,    RI_TOT\n" +
      kSep + "\n" + "Sum-Detected COCs Only   ,               " + zeros(6) + "\n" +
      "Sum-with Non-Detected COCs    ,               " + zeros(6) + "\n\n" +
      " TABLE 8 LIMITING PATHWAYS\n"
      "        ChemicalName,     CAS-Number,     MAX_GW,     GW_PATHWAY,     MAX_SF,    "
      "SF_PATHWAY\n" +
      kSep + "\n\n" +
      " Table 9 Pathways Exceeding the Delisting Limits\n"
      "        ChemicalName,     CAS-Number,     TCLP,     MAX_GW,     GW_PATHWAY,     TOTC,     "
      "MAX_SF,    SF_PATHWAY\n" +
      kSep + "\n\n" +
      " Table 10 Toxicity Characteristic; Soil Saturation;  and Ecological Values\n"
      "        ChemicalName,     CAS-Number,     TOX_C,      TCLP,     SOILST,      TOTC,      "
      "ECOC,     RO_AMB\n" +
      kSep + "\n";
  EXPECT_EQ(*r.files.report, expected);
}

TEST(ReportFrame, ImpoundmentKeepsSurfaceWaterSlotsAndComparesTheLeachate) {
  InputBuilder in;
  in.site = "1\nSI\n1.0E-5\n1.0\n10000\n2\n20\n0\n";
  // A volatile carcinogen whose leachate is far above its volatilisation limit while its
  // total concentration is below it.
  in.properties = {chemical("Benzene", "71-43-2",
                            {{"CSFO", "0.055"},
                             {"CSFI", "0.0273"},
                             {"ORDO", "0.004"},
                             {"RFCI", "0.03"},
                             {"HENRY", "5.55E-3"},
                             {"DIFFW", "1.03E-5"},
                             {"DIFFA", "0.0895"},
                             {"ORGANIC", "1"},
                             {"VP", "0.125"}})};
  in.concentrations = {"1000 N 2 N"};
  const MemoryRun r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const std::string& report = *r.files.report;

  for (int t : {1, 3}) {  // risks and hazard quotients
    const std::string row = data_rows(report, t, 1).at(0);
    for (int f = 2; f <= 5; ++f) EXPECT_EQ(field(row, f), kZero) << "table " << t << " field " << f;
    EXPECT_NE(field(row, 6), kZero) << "table " << t;
  }
  const std::string t5 = data_rows(report, 5, 1).at(0);
  for (int f = 3; f <= 6; ++f) EXPECT_EQ(field(t5, f), kNotComputed) << "field " << f;
  const double airvol = r.outcome.results->report[0].SF_ALLOW[4];
  ASSERT_LT(2.0, airvol);
  ASSERT_LT(airvol, 1000.0);
  EXPECT_EQ(field(t5, 2), field(t5, 7));  // TC_Max is the volatilisation limit

  EXPECT_EQ(table_lines(report, 9).at(1),
            "        ChemicalName,     CAS-Number,     TCLP,     MAX_GW,     GW_PATHWAY,     TCLP,"
            "     MAX_SF,    SF_PATHWAY");
  const std::string t9 = data_rows(report, 9, 1).at(0);
  EXPECT_EQ(field(t9, 5), " 0.100E+04");  // the leachate, not the total concentration
  EXPECT_EQ(field(t9, 6), field(t5, 7));
  EXPECT_EQ(field(t9, 7), "AIRVOLATINHAL  ");
  EXPECT_EQ(field(data_rows(report, 10, 1).at(0), 7), kZero);  // no surface water
}

TEST(ReportChoices, AllSurfaceAllowablesNotComputedGiveSurfaceWaterIngestion) {
  InputBuilder in;
  in.properties = {chemical("Inert", "1-11-1")};
  in.concentrations = {"0.5 N 1.0E30 N"};  // equal to the limit: not exceeded
  const MemoryRun r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const std::string& report = *r.files.report;
  const std::string t5 = data_rows(report, 5, 1).at(0);
  for (int f = 2; f <= 7; ++f) EXPECT_EQ(field(t5, f), kNotComputed) << "field " << f;
  const std::string t8 = data_rows(report, 8, 1).at(0);
  EXPECT_EQ(field(t8, 3), "GWINGESTION    ");  // all four groundwater candidates equal too
  EXPECT_EQ(field(t8, 4), kNotComputed);
  EXPECT_EQ(field(t8, 5), "SWINGESTION    ");
  const std::string t9 = data_rows(report, 9, 1).at(0);
  EXPECT_EQ(field(t9, 6), kZero);
  EXPECT_EQ(field(t9, 7), kNotExceeded);
}

// Lead without oral toxicity values is held to a well concentration of 0.015 mg/L. Its
// curve gives a DAF of 20 at well concentrations up to 0.01 mg/L and 10 from 0.014 mg/L
// on, so the pathway limit is 10 x 0.015 = 0.15 mg/L and an MCL of 0.0075 mg/L gives
// 20 x 0.0075, the same double.
const std::vector<std::string> kLeadRows = {"7439-92-1 0.2 20 20 0.2 20 20",
                                            "7439-92-1 0.14 10 10 0.14 10 10"};

TEST(ReportChoices, MclTieWinsOnlyWithALowerWellConcentration) {
  InputBuilder in;
  in.properties = {chemical("Lead tie lower", "7439-92-1", {{"MCL", "0.0075"}}),
                   chemical("Lead tie equal", "7439-92-1", {{"MCL", "0.015"}}),
                   chemical("Lead MCL below", "7439-92-1", {{"MCL", "0.0074"}}),
                   chemical("Lead MCL above", "7439-92-1", {{"MCL", "0.02"}})};
  in.concentrations = {"0.01 N 1 N", "0.01 N 1 N", "0.01 N 1 N", "0.01 N 1 N"};
  in.daf_rows = kLeadRows;
  const MemoryRun r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  ASSERT_EQ(r.outcome.results->DAF_SCALE, 1.0);
  const auto t6 = data_rows(*r.files.report, 6, 4);
  const auto t8 = data_rows(*r.files.report, 8, 4);
  // Fields of Table 6: LIMITPOE, DAF, DAF_WV, TCLPMAX.
  EXPECT_EQ(field(t6[0], 2), " 0.750E-02");
  EXPECT_EQ(field(t6[0], 3), " 0.200E+02");
  EXPECT_EQ(field(t6[0], 4), " 0.200E+02");
  EXPECT_EQ(field(t6[0], 5), " 0.150E+00");
  EXPECT_EQ(field(t8[0], 3), "MCL            ");
  EXPECT_EQ(field(t6[1], 2), " 0.150E-01");
  EXPECT_EQ(field(t6[1], 5), " 0.150E+00");
  EXPECT_EQ(field(t8[1], 3), "GWINGESTION    ");
  EXPECT_EQ(field(t6[2], 5), " 0.148E+00");
  EXPECT_EQ(field(t8[2], 3), "MCL            ");
  EXPECT_EQ(field(t6[3], 2), " 0.150E-01");
  EXPECT_EQ(field(t8[3], 3), "GWINGESTION    ");
  EXPECT_EQ(field(t6[3], 10), " 0.200E-01");  // C_MCL shows the MCL all the same
}

TEST(ReportChoices, LeachateEqualToItsLimitIsNotExceeded) {
  InputBuilder in;
  in.properties = {chemical("Lead at the limit", "7439-92-1"),
                   chemical("Lead just above", "7439-92-1")};
  in.concentrations = {"0.15 N 1 N", "0.15000000000000002 N 1 N"};
  in.daf_rows = kLeadRows;
  const MemoryRun r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const auto t9 = data_rows(*r.files.report, 9, 2);
  EXPECT_EQ(field(t9[0], 2), " 0.150E+00");
  EXPECT_EQ(field(t9[0], 3), kZero);
  EXPECT_EQ(field(t9[0], 4), kNotExceeded);
  EXPECT_EQ(field(t9[1], 3), " 0.150E+00");
  EXPECT_EQ(field(t9[1], 4), "GWINGESTION    ");
}

// An inorganic methylmercury record is skipped by the groundwater pathways, so only the
// report's MCL check looks its curve up. The second row's DAF is not a number, so a well
// concentration above the first row's has no bracket.
const std::vector<std::string> kBrokenCurve = {"22967-92-6 0.01 50 50 0.01 8 8",
                                               "22967-92-6 1 NaN NaN 1 NaN NaN"};

InputBuilder methylmercury_after_barium(const std::string& mcl) {
  InputBuilder in;
  in.properties = {chemical("Barium", "7440-39-3", {{"MCL", "2.0"}, {"ORDO", "0.2"}}),
                   chemical("Methylmercury", "22967-92-6", {{"MCL", mcl}, {"ORDO", "1.0E-4"}})};
  in.concentrations = {"1.0 N 100 N", "1.0E-5 N 0.01 N"};
  in.daf_rows = kBrokenCurve;
  return in;
}

TEST(ReportStop, FailedMclLookupEndsTheReportWithItsMessage) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", methylmercury_after_barium("0.002").text());
  const Outcome outcome = run(dir.path());
  EXPECT_EQ(outcome.status, Status::stopped);
  EXPECT_EQ(outcome.exit_status(), 2);
  EXPECT_EQ(outcome.message,
            std::vector<std::string>{"FAILED DAF 1D INTERPOLATION IN BACKWARD CALC"});
  EXPECT_EQ(outcome.message_file, "VORN.OUT");
  EXPECT_EQ(outcome.stdout_text, "");

  // VORN.OUT: the lines of a completed run up to Barium's Table 6 row, then the message.
  const std::string stopped = read_text(dir / "VORN.OUT");
  const std::string message = " FAILED DAF 1D INTERPOLATION IN BACKWARD CALC\n";
  ASSERT_GT(stopped.size(), message.size());
  EXPECT_EQ(stopped.substr(stopped.size() - message.size()), message);
  const std::string written = stopped.substr(0, stopped.size() - message.size());
  const MemoryRun completed = run_text(methylmercury_after_barium("-1").text());
  ASSERT_EQ(completed.outcome.status, Status::completed);
  EXPECT_EQ(completed.files.report->substr(0, written.size()), written);
  const auto lines = lines_of(written);
  EXPECT_EQ(lines.back().substr(0, 7), "Barium ");
  EXPECT_EQ(lines.back().size(), 160u);
  EXPECT_EQ(table_lines(stopped, 6).size(), 7u);  // title, factors, header, separator, row, message

  // VORN.DBG is complete: it ends with the echo of the DAF table.
  const auto dbg = lines_of(read_text(dir / "VORN.DBG"));
  EXPECT_EQ(dbg.back().substr(0, 31), "22967-92-6          , 0.100E+01");
  EXPECT_EQ(read_text(dir / "VORN.DBG").find("FAILED"), std::string::npos);

  const ProgramRun program = run_program(dir.path());
  EXPECT_EQ(program.status, 2);
  EXPECT_EQ(program.out, "");
  EXPECT_NE(program.err.find("FAILED DAF 1D INTERPOLATION IN BACKWARD CALC"), std::string::npos);
  EXPECT_NE(program.err.find("VORN.OUT"), std::string::npos);
  EXPECT_EQ(read_text(dir / "VORN.OUT"), stopped);
}

TEST(ReportChoices, MclNotPositiveMakesNoDafLookup) {
  for (const char* mcl : {"0", "-1"}) {
    SCOPED_TRACE(mcl);
    const MemoryRun r = run_text(methylmercury_after_barium(mcl).text());
    ASSERT_EQ(r.outcome.status, Status::completed);  // the broken curve is never read
    const std::string t6 = data_rows(*r.files.report, 6, 2).at(1);
    EXPECT_EQ(field(t6, 10), std::string(mcl) == "0" ? kZero : "-0.100E+01");
    EXPECT_EQ(field(data_rows(*r.files.report, 8, 2).at(1), 3), "GWINGESTION    ");
  }
}

TEST(ReportFrame, LongNameAndCasAreCutInTheirFields) {
  const std::string name = "A123456789B123456789C123456789D123456789E123456789F123456789";
  const std::string cas = "1234567-89-012345678";
  ASSERT_EQ(name.size(), 60u);
  ASSERT_EQ(cas.size(), 20u);
  InputBuilder in;
  in.properties = {chemical("   " + name, cas)};  // leading blanks are dropped
  in.concentrations = {"0.1 N 1 N"};
  const MemoryRun r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  for (int t = 1; t <= 10; ++t) {
    const std::string row = data_rows(*r.files.report, t, 1).at(0);
    EXPECT_EQ(row.substr(0, 51), name.substr(0, 50) + ",") << "table " << t;
    EXPECT_EQ(row.size(), row_length(t)) << "table " << t;
    if (t >= 7) {
      EXPECT_EQ(field(row, 1), "1234567-89-0123") << "table " << t;
    }
  }
}

TEST(ReportRuns, RepeatedRunsInOneProcessWriteIdenticalFiles) {
  ScratchDir landfill, impoundment;
  std::filesystem::copy_file(data_dir() / "reference" / "landfill" / "VORN.IN",
                             landfill / "VORN.IN");
  std::filesystem::copy_file(data_dir() / "reference" / "impoundment" / "VORN.IN",
                             impoundment / "VORN.IN");
  ASSERT_EQ(run(landfill.path()).status, Status::completed);
  const std::string out = read_text(landfill / "VORN.OUT");
  const std::string dbg = read_text(landfill / "VORN.DBG");
  ASSERT_EQ(run(landfill.path()).status, Status::completed);
  EXPECT_EQ(read_text(landfill / "VORN.OUT"), out);
  EXPECT_EQ(read_text(landfill / "VORN.DBG"), dbg);
  // A run of another unit type in between leaves nothing behind.
  ASSERT_EQ(run(impoundment.path()).status, Status::completed);
  ASSERT_EQ(run(landfill.path()).status, Status::completed);
  EXPECT_EQ(read_text(landfill / "VORN.OUT"), out);
  EXPECT_EQ(read_text(landfill / "VORN.DBG"), dbg);
}

}  // namespace
}  // namespace vorn::test
