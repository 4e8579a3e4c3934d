// The structured check of VORN.IN's values against the log a run writes for the same input:
// every warning and stop it lists is in VORN.DBG word for word, and every warning line of
// VORN.DBG is one of them, at its field and chemical.
#include "input/input_findings.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include <string>
#include <vector>

#include "input/input_records.hpp"
#include "input/input_writer.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

InputRecords landfill() {
  return read_input_records(read_text(examples_dir() / "landfill" / "VORN.IN"));
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    out.push_back(text.substr(start, end - start));
  return out;
}

bool warns(const std::string& line) {
  return line.rfind(" Warning", 0) == 0 || line.rfind(" WARNING", 0) == 0 ||
         line == " Make it 1.0d-10";
}

// The findings' lines, in order, as a run of the same records logs them.
std::vector<std::string> finding_lines(const std::vector<InputFinding>& findings) {
  std::vector<std::string> out;
  for (const InputFinding& f : findings)
    for (const LogLine& line : f.lines) out.push_back(line.text());
  return out;
}

TEST(InputFindings, EveryWarningOfTheLogIsAFindingAtItsFieldInTheLogsWords) {
  InputRecords records = landfill();
  Chemical& benzene = records.chemicals.at(0);
  benzene.MCL = -1;
  benzene.CSFI = 0;
  benzene.ORDI = -1;
  benzene.ECOCHRON = 0;
  benzene.LOGKOW = -1000;
  benzene.CARCTYPE = "X";
  benzene.TCLPCONC = 0;
  records.chemicals.at(3).HENRY = -2;
  records.chemicals.at(3).TOTC = -5;
  WasteUnit unit = records.unit;
  unit.WU_RISKFACT = 1e-3;
  const MemoryRun run = run_text(write_input_text(unit, records.chemicals, *records.daf));
  ASSERT_EQ(run.outcome.status, Status::completed);

  // In the log's order: the unit, every chemical's properties, then every concentration line.
  std::vector<InputFinding> findings = unit_problems(unit, unit.WU_VOLUNIT);
  const auto add_problems = [&findings](std::vector<InputFinding> more) {
    for (InputFinding& f : more)
      if (f.kind != FindingKind::echo) findings.push_back(std::move(f));
  };
  for (std::size_t i = 0; i < records.chemicals.size(); ++i)
    add_problems(property_findings(records.chemicals[i], static_cast<int>(i + 1)));
  for (std::size_t i = 0; i < records.chemicals.size(); ++i)
    add_problems(concentration_findings(records.chemicals[i], static_cast<int>(i + 1)));
  // chemical_problems gives the same, chemical by chemical.
  std::size_t problems = unit_problems(unit, unit.WU_VOLUNIT).size();
  for (std::size_t i = 0; i < records.chemicals.size(); ++i)
    problems += chemical_problems(records.chemicals[i], static_cast<int>(i + 1)).size();
  EXPECT_EQ(problems, findings.size());
  std::vector<std::string> logged;
  for (const std::string& line : lines_of(run.files.debug))
    if (warns(line)) logged.push_back(line);
  EXPECT_EQ(finding_lines(findings), logged);

  std::vector<std::string> placed;
  for (const InputFinding& f : findings)
    placed.push_back(std::to_string(f.chemical) + " " + f.field + ": " + finding_text(f));
  const std::vector<std::string> expected = {
      "0 WU_RISKFACT: Warning: User specified risk(1e-6~1e-4) is:  0.001",
      "1 CARCTYPE: Warning: Chem type(Carc/Non)= X\nWarning: Chem type defaulted as "
      "non-carcinogenic",
      "1 MCL: Warning: Missing MCL",
      "1 ECOCHRON: WARNING: ZERO ECOCHRON",
      "1 CSFI: Warning: Zero CSFI",
      "1 ORDI: Warning: Missing ORDI",
      "1 LOGKOW: Warning: Missing Octanol-water Partition Coeff.",
      "1 TCLPCONC: Warning: TCLP Conc.= 0.0\nMake it 1.0d-10",
      "4 HENRY: Warning: Missing HENRY",
      "4 TOTC: Warning: Total Conc.= -5.0\nMake it 1.0d-10"};
  // The landfill example's own warnings (zero or missing values it ships with) come too.
  for (const std::string& e : expected)
    EXPECT_NE(std::find(placed.begin(), placed.end(), e), placed.end()) << e;
}

TEST(InputFindings, UnitStopsAreAllListedAndTheRunStopsWithTheFirstsLines) {
  InputRecords records = landfill();
  WasteUnit unit = records.unit;
  unit.WU_WASTEVOL = 0;
  unit.WU_ACTLIFE = -3;
  unit.WU_HQFACT = 2;
  const std::vector<InputFinding> findings = unit_problems(unit, 65536);
  std::vector<std::string> fields;
  for (const InputFinding& f : findings) fields.push_back(f.field);
  EXPECT_EQ(fields,
            (std::vector<std::string>{"WU_HQFACT", "WU_WASTEVOL", "WU_VOLUNIT", "WU_ACTLIFE"}));
  EXPECT_EQ(findings[0].kind, FindingKind::warning);
  EXPECT_EQ(finding_text(findings[2]),
            "Stop, Error: Illegal vol.unit= 65536\n0-Cubic Yards, 1-Cubic Feet, 2-Cubic Meters");

  // A run of the same unit stops at the waste volume, its first stop, with these lines last.
  const MemoryRun run = run_text(write_input_text(unit, records.chemicals, *records.daf));
  ASSERT_EQ(run.outcome.status, Status::stopped);
  const std::vector<std::string> log = lines_of(run.files.debug);
  EXPECT_EQ(log.back(), findings[1].lines.front().text());

  WasteUnit typed = records.unit;
  typed.WU_WMUTYPE = "lx";
  const std::vector<InputFinding> type = unit_problems(typed, typed.WU_VOLUNIT);
  ASSERT_EQ(type.size(), 1u);
  EXPECT_EQ(type[0].field, "WU_WMUTYPE");
  EXPECT_EQ(finding_text(type[0]), "Stop, Error: WMUTYPE=  lx");
}

TEST(InputFindings, ABadOrganicFlagStopsAndTheOtherValuesAreStillChecked) {
  InputRecords records = landfill();
  Chemical& c = records.chemicals.at(1);
  c.ORGANIC = 2;
  c.MW = 0;
  const std::vector<InputFinding> findings = chemical_problems(c, 2);
  ASSERT_GE(findings.size(), 2u);
  EXPECT_EQ(findings[0].kind, FindingKind::stop);
  EXPECT_EQ(findings[0].field, "ORGANIC");
  EXPECT_EQ(finding_text(findings[0]),
            "Error: Chemical type(Organic/Inorganic)= 2\n1-organic, 0-inorganic");
  bool mw = false;
  for (const InputFinding& f : findings)
    mw = mw || (f.field == "MW" && finding_text(f) == "Warning: zero molecular weight");
  EXPECT_TRUE(mw);

  const MemoryRun run = run_text(write_input_text(records.unit, records.chemicals, *records.daf));
  ASSERT_EQ(run.outcome.status, Status::stopped);
  const std::vector<std::string> log = lines_of(run.files.debug);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], findings[0].lines[0].text());
  EXPECT_EQ(log.back(), findings[0].lines[1].text());
}

TEST(InputFindings, AValueNotANumberIsEchoedAsTheRunDoesAndNeverWarns) {
  Chemical c = landfill().chemicals.at(0);
  c.MCL = std::numeric_limits<double>::quiet_NaN();
  c.TOTC = std::numeric_limits<double>::quiet_NaN();
  for (const InputFinding& f : chemical_problems(c, 1)) {
    EXPECT_NE(f.field, "MCL");
    EXPECT_NE(f.field, "TOTC");
  }
  const std::vector<InputFinding> echo = property_findings(c, 1);
  EXPECT_EQ(echo[2].field, "MCL");
  EXPECT_EQ(echo[2].lines[0].text(), " MCL(mg/L)= NaN");
}

}  // namespace
}  // namespace vorn::test
