// Bad input, one table: each case is run through the program, which must end with status 3,
// say where (file:line, or file:record:column for a table) and why on standard error, and
// write nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr const char* kUnit =
    "WU_SITEKEY,1\nWU_WMUTYPE,LF\nWU_RISKFACT,1e-5\nWU_HQFACT,1\nWU_WASTEVOL,6000\n"
    "WU_VOLUNIT,0\nWU_ACTLIFE,15\nWU_SIFLOW,0\n\n";
constexpr const char* kHeader = "CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG\n";
// The summary table's mapped headers, each with its line breaks.
constexpr const char* kToxicityHeader =
    "Analyte,CAS No.,\"SFO\n(mg/kg-day)-1\",\"k\ne\ny\",\"IUR\n(ug/m3)-1\",\"k\ne\ny\","
    "\"RfDo\n(mg/kg-day)\",\"k\ne\ny\",\"RfCi\n(mg/m3)\",\"k\ne\ny\",\"muta-\ngen\","
    "\"Csat\n(mg/kg)\",\"MCL\n(ug/L)\"\n";

struct Case {
  const char* what;
  const char* file;  // written into the scratch directory
  std::string text;
  std::vector<std::string> command;  // after the program; FILE is the file above
  const char* message;               // on standard error
};

const Case kCases[] = {
    {"an unknown CAS number",
     "stream.csv",
     std::string(kUnit) + kHeader + "7732-18-5,1,N,1,N\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:11: 7732-18-5 is in no chemical library"},
    {"a wrong check digit",
     "stream.csv",
     std::string(kUnit) + kHeader + "71-43-3,1,N,1,N\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:11: the check digit of 71-43-3 should be 2"},
    {"an ambiguous variant",
     "stream.csv",
     std::string(kUnit) + kHeader + "7440-43-9,1,N,1,N\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:11: 7440-43-9 has 2 variants: give one of 7440-43-9:diet or "
     "7440-43-9:water"},
    {"an unknown variant",
     "stream.csv",
     std::string(kUnit) + kHeader + "7440-43-9:food,1,N,1,N\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:11: \"food\" is not a variant of 7440-43-9: give 7440-43-9:diet or "
     "7440-43-9:water"},
    {"a concentration that is not a number",
     "stream.csv",
     std::string(kUnit) + kHeader + "71-43-2,0.0l2,N,1,N\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:11: TCLPCONC \"0.0l2\" is not a number"},
    {"the inhalation value named ORDI",
     "stream.csv",
     std::string(kUnit) + "CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG,ORDI\n71-43-2,1,N,1,N,0.03\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:10: the column ORDI: the sheet takes the reference concentration as "
     "RFCI (mg/m3)"},
    {"no blank line before the header",
     "stream.csv",
     "WU_SITEKEY,1\nWU_WMUTYPE,LF\nWU_RISKFACT,1e-5\nWU_HQFACT,1\nWU_WASTEVOL,6000\n"
     "WU_VOLUNIT,0\nWU_ACTLIFE,15\nWU_SIFLOW,0\n" +
         std::string(kHeader) + "71-43-2,1,N,1,N\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:9: the chemical table needs one blank line before its header"},
    {"a unit the run would stop on",
     "stream.csv",
     std::string(kUnit).replace(std::string(kUnit).find("6000"), 4, "0") + kHeader +
         "71-43-2,1,N,1,N\n",
     {"fill", "stream.csv", "-o", "out"},
     "vorn fill: stream.csv:5: WU_WASTEVOL 0: the waste volume must be above 0"},
    {"an unknown token in a table",
     "tox.csv",
     std::string(kToxicityHeader) + "Benzene,71-43-2,n/a,I, ,, ,, ,,,, ,5\n",
     {"chem", "import", "tox.csv", "-o", "out/lib.csv", "--date", "2024-11-01"},
     "vorn chem: tox.csv:2:3: SFO (mg/kg-day)-1: \"n/a\" is not a number, a missing value or a "
     "token this table is known to hold"},
    {"a wrong check digit in a table",
     "tox.csv",
     std::string(kToxicityHeader) + "Benzene,71-43-3,1,I, ,, ,, ,,,, ,5\n",
     {"chem", "import", "tox.csv", "-o", "out/lib.csv", "--date", "2024-11-01"},
     "vorn chem: tox.csv:2:2: the check digit of 71-43-3 should be 2"},
    {"a table of no known layout",
     "tox.csv",
     "Name,CAS,MW\nBenzene,71-43-2,78\n",
     {"chem", "import", "tox.csv", "-o", "out/lib.csv", "--date", "2024-11-01"},
     "vorn chem: tox.csv: not a table of a known layout; the layouts are:"},
    {"a known table without one of its columns",
     "tox.csv",
     "Analyte,CAS No.,MW\nBenzene,71-43-2,78\n",
     {"chem", "import", "tox.csv", "-o", "out/lib.csv", "--date", "2024-11-01"},
     "vorn chem: tox.csv:1: the header of the RSL summary table lacks: SFO (mg/kg-day)-1; "},
};

TEST(ChemicalErrors, BadInputEndsWithStatusThreeSayingWhereAndWhyAndWritesNothing) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    write_text(dir / c.file, c.text);
    std::vector<std::string> argv = {VORN_CLI};
    argv.insert(argv.end(), c.command.begin(), c.command.end());
    const ProcessResult r = run_process(argv, dir.path());
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out")) << "something was written";
  }
}

TEST(ChemicalErrors, AnExistingInputIsReplacedOnlyWithForce) {
  ScratchDir dir;
  write_text(dir / "stream.csv", std::string(kUnit) + kHeader + "71-43-2,0.012,N,3.5,N\n");
  std::filesystem::create_directory(dir / "out");
  write_text(dir / "out/VORN.IN", "old");
  ProcessResult r = run_process({VORN_CLI, "fill", "stream.csv", "-o", "out"}, dir.path());
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("out/VORN.IN exists: give --force to replace it"), std::string::npos);
  EXPECT_EQ(read_text(dir / "out/VORN.IN"), "old");
  EXPECT_FALSE(std::filesystem::exists(dir / "out/sources.csv"));
  r = run_process({VORN_CLI, "fill", "stream.csv", "-o", "out", "--force"}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(read_text(dir / "out/VORN.IN"), "old");
  EXPECT_TRUE(std::filesystem::exists(dir / "out/sources.csv"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 2)
      << "no temporary file is left";
}

}  // namespace
}  // namespace vorn::test
