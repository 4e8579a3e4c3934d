// The chemical section: the count, the property lines split at "@", the checks,
// replacements and echoes of each property, and the concentration lines.
#include "input/chemical_records.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/run_error.hpp"
#include "support/test_run.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

using Lines = std::vector<std::string>;

// Benzene's 27 values after the "@", position 1 (CAS) to 27 (LOGKOW).
const Lines kBenzene = {"71-43-2", "0.005", "0.055",   "0.0273", "0.004", "0.03", "5.2",
                        "1820",    "0.5",   "5.55e-3", "9.8e-6", "0.088", "1750", "0",
                        "0",       "0.7",   "0.015",   "0.29",   "0.051", "1",    "-1",
                        "0.13",    "C",     "78.11",   "0.125",  "-1",    "2.13"};

// Property line positions used below.
enum Pos {
  kCas = 1,
  kMcl = 2,
  kOrdi = 6,
  kBcf = 7,
  kToxC = 9,
  kOrganic = 20,
  kEcochron = 22,
  kCarc = 23,
  kMw = 24,
  kLogkow = 27
};

Lines with(Lines values, int pos, const std::string& value) {
  values[static_cast<std::size_t>(pos - 1)] = value;
  return values;
}

std::string joined(const Lines& values) {
  std::string s;
  for (const auto& v : values) s += (s.empty() ? "" : " ") + v;
  return s;
}

std::string benzene_with(int pos, const std::string& value) {
  return "Benzene @ " + joined(with(kBenzene, pos, value));
}

// The chemical section from the count line to the heading of the DAF table.
std::string section(const Lines& properties, const Lines& concentrations, int count = -1) {
  std::string s = std::to_string(count < 0 ? static_cast<int>(properties.size()) : count) + "\n";
  s += "ChemicalName @ CAS MCL ...\n";
  for (const auto& p : properties) s += p + "\n";
  s += "TCLP FLAG TOTC FLAG\n";
  for (const auto& c : concentrations) s += c + "\n";
  s += "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n";
  return s;
}

// readchemicals on a section, with what it wrote and how it ended.
struct ChemicalRead {
  std::unique_ptr<TestRun> rs = std::make_unique<TestRun>();
  std::unique_ptr<InputFile> input;
  StringSink debug;
  int N = -99;
  std::string fatal;
  Lines stop;

  Lines lines() const { return lines_of(debug.text); }
  const Chemical& chem(int i) const { return rs->chem(i); }
  bool has_line(const std::string& line) const {
    const Lines l = lines();
    return std::find(l.begin(), l.end(), line) != l.end();
  }
};

std::unique_ptr<ChemicalRead> read_section(const std::string& text) {
  auto r = std::make_unique<ChemicalRead>();
  r->input = std::make_unique<InputFile>(text);
  r->rs->input = r->input.get();
  r->rs->units.debug = &r->debug;
  try {
    readchemicals(*r->rs, kInputUnit, kDebugUnit, r->N);
  } catch (const FatalInputError& e) {
    r->fatal = e.what();
  } catch (const RunStop& s) {
    r->stop = s.lines();
  }
  return r;
}

std::unique_ptr<ChemicalRead> read_one(const std::string& property,
                                       const std::string& conc = "0.5 N 100 N") {
  return read_section(section({property}, {conc}));
}

std::string blanks(std::size_t n) {
  return std::string(n, ' ');
}
std::string padded(const std::string& s, std::size_t width) {
  std::string out = s;
  out.resize(width, ' ');
  return out;
}

TEST(ChemicalRecords, EachValueGoesToTheFieldOfItsPositionAndIsEchoedInOrder) {
  // Position p holds p + 0.5, so a value in the wrong field shows.
  Lines values;
  for (int p = 1; p <= 27; ++p) values.push_back(std::to_string(p) + ".5");
  values = with(values, kCas, "'50-00-0'");
  values = with(values, kOrganic, "1");
  values = with(values, kCarc, "c");
  const auto r = read_one("Formaldehyde @ " + joined(values), "2.5 n 300 D");
  ASSERT_EQ(r->fatal, "");
  ASSERT_EQ(r->N, 1);
  const Chemical& c = r->chem(1);
  EXPECT_EQ(c.CHEMNAME, padded("Formaldehyde ", 255));
  EXPECT_EQ(c.CHEMCAS, padded("50-00-0", 29));
  const std::vector<std::pair<const char*, double>> reals = {
      {"MCL", c.MCL},     {"CSFO", c.CSFO},     {"CSFI", c.CSFI},         {"ORDO", c.ORDO},
      {"BCF", c.BCF},     {"SOILST", c.SOILST}, {"TOX_C", c.TOX_C},       {"HENRY", c.HENRY},
      {"DIFFW", c.DIFFW}, {"DIFFA", c.DIFFA},   {"SOL", c.SOL},           {"DAFLF", c.DAFLF},
      {"DAFSI", c.DAFSI}, {"TSTAR", c.TSTAR},   {"KPW", c.KPW},           {"TAU", c.TAU},
      {"BUNGE", c.BUNGE}, {"BAF", c.BAF},       {"ECOCHRON", c.ECOCHRON}, {"MW", c.MW},
      {"VP", c.VP},       {"KDSW", c.KDSW},     {"LOGKOW", c.LOGKOW}};
  const int positions[] = {2,  3,  4,  5,  7,  8,  9,  10, 11, 12, 13, 14,
                           15, 16, 17, 18, 19, 21, 22, 24, 25, 26, 27};
  for (std::size_t k = 0; k < reals.size(); ++k)
    EXPECT_EQ(reals[k].second, positions[k] + 0.5) << reals[k].first;
  EXPECT_EQ(c.ORDI, 1.8055555555555556);  // 6.5 x 0.2777777777777778
  EXPECT_EQ(c.ORGANIC, 1);
  EXPECT_EQ(c.CARCTYPE, "C");
  EXPECT_EQ(c.TCLPCONC, 2.5);
  EXPECT_EQ(c.TCLPFLAG, "n");
  EXPECT_EQ(c.TOTC, 300.0);
  EXPECT_EQ(c.TOTFLAG, "D");

  const Lines expected = {
      " Number of Species= 1",
      " -----SITE COCS: # 1",
      " Formaldehyde",
      " 50-00-0" + blanks(22),
      " Chemical is Organic (1)",
      " Chemical is Carcinogenic (C)",
      " MCL(mg/L)= 2.5",
      " Toxicity Characteristic Level TC mg/L)= 9.5",
      " Chronic Ecological Toxicity Threshhold (AquaticTRV ECOCHRON mg/L)= 22.5",
      " CSFO(kg-day/mg)= 3.5",
      " CSFI(kg-day/mg)= 4.5",
      " Reference Dose-Oral (ORDO mg/kg-day)= 5.5",
      " ORDI is given as RFCo, RFDo=RFCo*CRair/BWadult",
      " Reference Dose-Inhalation (ORDI mg/kg-day)= 1.8055555555555556",
      " Molecular Weight(MW,gm/mol)= 24.5",
      " Bio-concentration Factor(BCF L/kg)= 7.5",
      " Bio-accumulation Factor(BAF L/kg)= 21.5",
      " Henrys Law Coefficient(H atm-m\xB3/mol-K)= 10.5",
      " Diffusion Coefficient in Water(Dw cm\xB2/sec)= 11.5",
      " Diffusion Coefficient in Air(Da cm\xB2/sec)= 12.5",
      " Chemical Solubility(SOL mg/L)= 13.5",
      " Vapor Pressure(Vp atm)= 25.5",
      " Soil-water Partition Coefficient(Kdsw L/kg)= 26.5",
      " Time to reach steady-state(T* hrs)-dermal= 16.5",
      " Skin Permeability Coeff.(Kpw cm/hr)-dermal= 17.5",
      " Lag time Tau(T hrs)-dermal= 18.5",
      " Bunge Coeff.(B-)-dermal= 19.5",
      " Octanol-water Partition Coefficient(LOGKOW -)= 27.5",
      " Formaldehyde",
      " TCLP Conc.(mg/L)= 2.5",
      " TOT Conc.(mg/kg)= 300.0",
  };
  EXPECT_EQ(r->lines(), expected);
  // The input is left at the heading of the DAF table.
  EXPECT_EQ(r->input->next_line().value_or(""), "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON");
}

TEST(ChemicalRecords, SuperscriptLabelsAreSingleLatin1Bytes) {
  const auto r = read_one("Benzene @ " + joined(kBenzene));
  const std::string& log = r->debug.text;
  EXPECT_NE(log.find("Henrys Law Coefficient(H atm-m\xB3/mol-K)= 0.00555\n"), std::string::npos);
  EXPECT_NE(log.find("Diffusion Coefficient in Water(Dw cm\xB2/sec)= 9.8e-06\n"),
            std::string::npos);
  EXPECT_NE(log.find("Diffusion Coefficient in Air(Da cm\xB2/sec)= 0.088\n"), std::string::npos);
  // Three such bytes in all, and no UTF-8 lead byte.
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }),
            3);
}

TEST(ChemicalRecords, NameAndCasAreSplitAtTheFirstAt) {
  struct Case {
    std::string line;
    std::string name;  // as echoed
    std::string cas;
  };
  const std::string values = " " + joined(Lines(kBenzene.begin() + 1, kBenzene.end()));
  const std::vector<Case> cases = {
      {"Benzene @ 71-43-2" + values, "Benzene", "71-43-2"},
      // The character right after the "@" is skipped.
      {"Benzene @71-43-2" + values, "Benzene", "1-43-2"},
      {"Benzene@ 71-43-2" + values, "Benzene", "71-43-2"},
      // Without "@" the name is blank and the values start at the second character.
      {"x71-43-2" + values, "", "71-43-2"},
      {"@ 71-43-2" + values, "", "71-43-2"},
      // Leading blanks of the name stay; only trailing ones are trimmed for the echo.
      {"  Benzene, ring  @ 71-43-2" + values, "  Benzene, ring", "71-43-2"},
      {"Arsenic, inorganic @ '7440-38-2'" + values, "Arsenic, inorganic", "7440-38-2"},
      {"Tab\tname @\t7440-38-2" + values, "Tab\tname", "7440-38-2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto r = read_one(c.line);
    ASSERT_EQ(r->fatal, "");
    EXPECT_EQ(r->lines().at(2), " " + c.name);
    EXPECT_EQ(r->lines().at(3), " " + padded(c.cas, 29));
    EXPECT_EQ(r->chem(1).CHEMCAS, padded(c.cas, 29));
    EXPECT_EQ(r->chem(1).MCL, 0.005);
    EXPECT_EQ(r->chem(1).LOGKOW, 2.13);
  }
  EXPECT_EQ(read_one("Benzene @ 71-43-2" + values)->chem(1).CHEMNAME, padded("Benzene ", 255));
  EXPECT_EQ(read_one("x71-43-2" + values)->chem(1).CHEMNAME, blanks(255));
}

TEST(ChemicalRecords, NamesAreCutTo255AndValuesBeyond1024CharactersAreNotRead) {
  std::string name;
  for (int k = 0; k < 300; ++k) name += static_cast<char>('a' + k % 26);
  const auto r = read_one(name + " @ " + joined(kBenzene));
  ASSERT_EQ(r->fatal, "");
  EXPECT_EQ(r->chem(1).CHEMNAME, name.substr(0, 255));
  EXPECT_EQ(r->lines().at(2), " " + name.substr(0, 255));
  EXPECT_EQ(r->chem(1).CHEMCAS, padded("71-43-2", 29));

  // With a 900-character name the values run past the 1024th character.
  const auto cut = read_one(std::string(900, 'n') + " @ " + joined(kBenzene));
  EXPECT_NE(cut->fatal.find("the line ends after "), std::string::npos) << cut->fatal;
  EXPECT_NE(cut->fatal.find(" of 27 values"), std::string::npos) << cut->fatal;
}

TEST(ChemicalRecords, InhalationReferenceConcentrationIsConvertedToADose) {
  const auto converted = read_one(benzene_with(kOrdi, "3.6"));
  EXPECT_EQ(converted->chem(1).ORDI, 1.0);
  EXPECT_TRUE(converted->has_line(" ORDI is given as RFCo, RFDo=RFCo*CRair/BWadult"));
  EXPECT_TRUE(converted->has_line(" Reference Dose-Inhalation (ORDI mg/kg-day)= 1.0"));

  const auto zero = read_one(benzene_with(kOrdi, "0"));
  EXPECT_EQ(zero->chem(1).ORDI, 0.0);
  EXPECT_TRUE(zero->has_line(" Warning: Zero ORDI"));
  EXPECT_FALSE(zero->has_line(" ORDI is given as RFCo, RFDo=RFCo*CRair/BWadult"));

  const auto missing = read_one(benzene_with(kOrdi, "-2"));
  EXPECT_EQ(missing->chem(1).ORDI, -2.0);
  EXPECT_TRUE(missing->has_line(" Warning: Missing ORDI"));
  EXPECT_FALSE(missing->has_line(" ORDI is given as RFCo, RFDo=RFCo*CRair/BWadult"));
}

TEST(ChemicalRecords, MissingAndZeroValuesAreWarningsAndOnlyEcochronIsReplaced) {
  const auto eco = read_one(benzene_with(kEcochron, "-1"));
  EXPECT_TRUE(eco->has_line(" WARNING: MISSING ECOCHRON"));
  EXPECT_EQ(eco->chem(1).ECOCHRON, 0.0);
  const auto eco0 = read_one(benzene_with(kEcochron, "0"));
  EXPECT_TRUE(eco0->has_line(" WARNING: ZERO ECOCHRON"));

  const auto mcl = read_one(benzene_with(kMcl, "-1"));
  EXPECT_TRUE(mcl->has_line(" Warning: Missing MCL"));
  EXPECT_EQ(mcl->chem(1).MCL, -1.0);
  const auto mcl0 = read_one(benzene_with(kMcl, "0"));
  EXPECT_TRUE(mcl0->has_line(" Warning: Zero MCL"));

  const auto tox = read_one(benzene_with(kToxC, "-0.5"));
  EXPECT_TRUE(tox->has_line(" Warning: Missing Toxicity Characteristic Level"));
  EXPECT_EQ(tox->chem(1).TOX_C, -0.5);
  EXPECT_TRUE(read_one(benzene_with(kMw, "0"))->has_line(" Warning: zero molecular weight"));
  EXPECT_TRUE(read_one(benzene_with(kMw, "-1"))->has_line(" Warning: Missing Molecular weight"));

  // The properties with a missing rule only echo a zero with its value label.
  const auto bcf = read_one(benzene_with(kBcf, "0"));
  EXPECT_TRUE(bcf->has_line(" Bio-concentration Factor(BCF L/kg)= 0.0"));
  const auto bcf_missing = read_one(benzene_with(kBcf, "-1"));
  EXPECT_TRUE(bcf_missing->has_line(" Warning: Missing BCF"));
  EXPECT_EQ(bcf_missing->chem(1).BCF, -1.0);

  // LOGKOW is missing only below -999.
  for (const auto& [value, line] : std::vector<std::pair<const char*, const char*>>{
           {"-5", " Octanol-water Partition Coefficient(LOGKOW -)= -5.0"},
           {"-999", " Octanol-water Partition Coefficient(LOGKOW -)= -999.0"},
           {"-1000", " Warning: Missing Octanol-water Partition Coeff."},
           {"-999.5", " Warning: Missing Octanol-water Partition Coeff."}}) {
    const auto r = read_one(benzene_with(kLogkow, value));
    EXPECT_EQ(r->lines().at(27), line) << value;
    EXPECT_EQ(r->chem(1).LOGKOW, std::strtod(value, nullptr));
  }
}

TEST(ChemicalRecords, NaNPropertiesTakeTheValueLine) {
  const auto r = read_one(benzene_with(kMcl, "NaN"));
  EXPECT_TRUE(r->has_line(" MCL(mg/L)= NaN"));
  EXPECT_TRUE(std::isnan(r->chem(1).MCL));
  const auto eco = read_one(benzene_with(kEcochron, "nan"));
  EXPECT_TRUE(
      eco->has_line(" Chronic Ecological Toxicity Threshhold (AquaticTRV ECOCHRON mg/L)= NaN"));
  EXPECT_TRUE(std::isnan(eco->chem(1).ECOCHRON));
}

TEST(ChemicalRecords, CarcinogenTypeIsNormalisedOnItsFirstCharacter) {
  struct Case {
    const char* value;
    const char* stored;
    Lines lines;
  };
  const Lines defaulted = {" Warning: Chem type defaulted as non-carcinogenic"};
  const std::vector<Case> cases = {
      {"C", "C", {" Chemical is Carcinogenic (C)"}},
      {"c", "C", {" Chemical is Carcinogenic (C)"}},
      {"carcinogen", "C", {" Chemical is Carcinogenic (C)"}},
      {"'c x'", "C", {" Chemical is Carcinogenic (C)"}},
      {"N", "N", {" Chemical is Noncarcinogenci (N)"}},
      {"n", "N", {" Chemical is Noncarcinogenci (N)"}},
      {"noncarcinogenic", "N", {" Chemical is Noncarcinogenci (N)"}},
      {"x", "N", {" Warning: Chem type(Carc/Non)= x", defaulted[0]}},
      {"1", "N", {" Warning: Chem type(Carc/Non)= 1", defaulted[0]}},
      // A null value leaves the blank every property line starts with.
      {",", "N", {" Warning: Chem type(Carc/Non)=  ", defaulted[0]}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    Lines values = with(kBenzene, kCarc, c.value);
    std::string line = "Benzene @ " + joined(values);
    if (std::string(c.value) == ",") {
      // "0.13,,78.11": two commas between ECOCHRON and MW make CARCTYPE null.
      line = "Benzene @ " + joined(Lines(kBenzene.begin(), kBenzene.begin() + kCarc - 1)) + ",," +
             joined(Lines(kBenzene.begin() + kCarc, kBenzene.end()));
    }
    const auto r = read_one(line);
    ASSERT_EQ(r->fatal, "");
    const Lines all = r->lines();
    EXPECT_EQ(Lines(all.begin() + 5, all.begin() + 5 + static_cast<long>(c.lines.size())), c.lines);
    EXPECT_EQ(r->chem(1).CARCTYPE, c.stored);
    EXPECT_EQ(r->chem(1).MW, 78.11);
  }
}

TEST(ChemicalRecords, OrganicFlagOtherThanZeroOrOneStopsAfterItsTwoLines) {
  for (const char* flag : {"2", "-1"}) {
    const auto r =
        read_section(section({benzene_with(kOrganic, flag), "Toluene @ " + joined(kBenzene)},
                             {"0.5 N 100 N", "0.5 N 100 N"}));
    const Lines stop = {std::string("Error: Chemical type(Organic/Inorganic)= ") + flag,
                        "1-organic, 0-inorganic"};
    EXPECT_EQ(r->stop, stop);
    const Lines all = r->lines();
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all[3], " 71-43-2" + blanks(22));
    EXPECT_EQ(all[4], " " + stop[0]);
    EXPECT_EQ(all[5], " " + stop[1]);
  }
  // As a whole run: a stop, no report.
  InputBuilder input;
  input.properties = {benzene_with(kOrganic, "2")};
  input.concentrations = {"0.5 N 100 N"};
  const auto run = run_text(input.text());
  EXPECT_EQ(run.outcome.status, Status::stopped);
  EXPECT_EQ(run.outcome.message,
            (Lines{"Error: Chemical type(Organic/Inorganic)= 2", "1-organic, 0-inorganic"}));
  EXPECT_FALSE(run.files.report.has_value());
  EXPECT_EQ(lines_of(run.files.debug).back(), " 1-organic, 0-inorganic");
}

TEST(ChemicalRecords, ConcentrationsNotAboveZeroBecomeTheFloor) {
  const auto r =
      read_section(section({"Benzene @ " + joined(kBenzene), "Toluene @ " + joined(kBenzene),
                            "Xylene @ " + joined(kBenzene)},
                           {"0 N 100 N", "0.02 n -5 D", "NaN No 1.0d-10 x"}));
  ASSERT_EQ(r->fatal, "");
  const Lines all = r->lines();
  const Lines tail(all.end() - 11, all.end());
  EXPECT_EQ(tail, (Lines{" Benzene", " Warning: TCLP Conc.= 0.0", " Make it 1.0d-10",
                         " TOT Conc.(mg/kg)= 100.0", " Toluene", " TCLP Conc.(mg/L)= 0.02",
                         " Warning: Total Conc.= -5.0", " Make it 1.0d-10", " Xylene",
                         " TCLP Conc.(mg/L)= NaN", " TOT Conc.(mg/kg)= 1e-10"}));
  EXPECT_EQ(r->chem(1).TCLPCONC, 1.0e-10);
  EXPECT_EQ(r->chem(1).TOTC, 100.0);
  EXPECT_EQ(r->chem(2).TCLPCONC, 0.02);
  EXPECT_EQ(r->chem(2).TOTC, 1.0e-10);
  EXPECT_TRUE(std::isnan(r->chem(3).TCLPCONC));
  EXPECT_EQ(r->chem(3).TCLPFLAG, "N");
  EXPECT_EQ(r->chem(3).TOTFLAG, "x");
}

TEST(ChemicalRecords, NullValuesGiveZeroOrBlankWhateverWasReadBefore) {
  // The second line gives no value at all: a slash right after "@ ".
  const auto r = read_section(
      section({"Benzene @ " + joined(kBenzene), "Nothing @ /"}, {"0.5 N 100 N", ", , 3 /"}));
  ASSERT_EQ(r->fatal, "");
  const Chemical& c = r->chem(2);
  EXPECT_EQ(c.CHEMCAS, blanks(29));
  for (double v : {c.MCL,   c.CSFO,  c.CSFI,  c.ORDO,     c.ORDI,  c.BCF,   c.SOILST, c.TOX_C,
                   c.HENRY, c.DIFFW, c.DIFFA, c.SOL,      c.DAFLF, c.DAFSI, c.TSTAR,  c.KPW,
                   c.TAU,   c.BUNGE, c.BAF,   c.ECOCHRON, c.MW,    c.VP,    c.KDSW,   c.LOGKOW})
    EXPECT_EQ(v, 0.0);
  EXPECT_EQ(c.TCLPCONC, 1.0e-10);  // null, so 0, then the floor
  EXPECT_EQ(c.ORGANIC, 0);
  EXPECT_EQ(c.CARCTYPE, "N");
  EXPECT_EQ(c.TCLPFLAG, " ");
  EXPECT_EQ(c.TOTC, 3.0);
  EXPECT_EQ(c.TOTFLAG, " ");

  const Lines all = r->lines();
  const auto start = std::find(all.begin(), all.end(), " -----SITE COCS: # 2");
  ASSERT_NE(start, all.end());
  const Lines second(start, start + 30);
  EXPECT_EQ(second, (Lines{" -----SITE COCS: # 2",
                           " Nothing",
                           " " + blanks(29),
                           " Chemical is Inorganic (0)",
                           " Warning: Chem type(Carc/Non)=  ",
                           " Warning: Chem type defaulted as non-carcinogenic",
                           " Warning: Zero MCL",
                           " Warning: Zero Toxicity Characteristic Level",
                           " WARNING: ZERO ECOCHRON",
                           " Warning: Zero CSFO",
                           " Warning: Zero CSFI",
                           " Warning: Zero ORDO",
                           " Warning: Zero ORDI",
                           " Warning: zero molecular weight",
                           " Bio-concentration Factor(BCF L/kg)= 0.0",
                           " Bio-accumulation Factor(BAF L/kg)= 0.0",
                           " Henrys Law Coefficient(H atm-m\xB3/mol-K)= 0.0",
                           " Diffusion Coefficient in Water(Dw cm\xB2/sec)= 0.0",
                           " Diffusion Coefficient in Air(Da cm\xB2/sec)= 0.0",
                           " Chemical Solubility(SOL mg/L)= 0.0",
                           " Vapor Pressure(Vp atm)= 0.0",
                           " Soil-water Partition Coefficient(Kdsw L/kg)= 0.0",
                           " Time to reach steady-state(T* hrs)-dermal= 0.0",
                           " Skin Permeability Coeff.(Kpw cm/hr)-dermal= 0.0",
                           " Lag time Tau(T hrs)-dermal= 0.0",
                           " Bunge Coeff.(B-)-dermal= 0.0",
                           " Octanol-water Partition Coefficient(LOGKOW -)= 0.0",
                           " Benzene",
                           " TCLP Conc.(mg/L)= 0.5",
                           " TOT Conc.(mg/kg)= 100.0"}));
}

TEST(ChemicalRecords, ZeroOrNegativeCountStillConsumesItsThreeLines) {
  for (const int count : {0, -3}) {
    SCOPED_TRACE(count);
    const auto r = read_section(std::to_string(count) + "\nheading\nskipped too\nDAF heading\n");
    ASSERT_EQ(r->fatal, "");
    EXPECT_EQ(r->N, count);
    EXPECT_EQ(r->rs->chem.size(), 0);
    EXPECT_EQ(r->lines(), (Lines{" Number of Species= " + std::to_string(count)}));
    EXPECT_EQ(r->input->line_number(), 3);
    EXPECT_EQ(r->input->next_line().value_or(""), "DAF heading");
  }
  // A whole run with a negative count completes with no chemical rows.
  const auto run = run_text(InputBuilder().site + "-3\nheading\nskipped\nDAF heading\n");
  ASSERT_EQ(run.outcome.status, Status::completed);
  EXPECT_TRUE(run.outcome.results->chemicals.empty());
  EXPECT_TRUE(run.outcome.results->results.empty());
  EXPECT_NE(run.files.debug.find("\n Number of Species= -3\n"), std::string::npos);
}

TEST(ChemicalRecords, ACountBeyondTheLinesPresentEndsAtTheEndOfTheFile) {
  const std::string text = "2000000000\nheading\nBenzene @ " + joined(kBenzene) + "\nToluene @ " +
                           joined(kBenzene) + "\nXylene @ " + joined(kBenzene) + "\n";
  const auto r = read_section(text);
  EXPECT_EQ(r->fatal,
            "vorn: fatal input error on unit 1 (VORN.IN), line 6: end of file before the property "
            "line of chemical #4 of 2000000000");
  EXPECT_EQ(r->rs->chem.size(), 3);
  EXPECT_TRUE(r->has_line(" Number of Species= 2000000000"));
  EXPECT_TRUE(r->has_line(" -----SITE COCS: # 3"));

  // As a whole run: a fatal input error, not a stop for want of memory.
  const auto run = run_text("1\nLF\n1.0E-5\n1.0\n10000\n0\n20\n0\n" + text);
  EXPECT_EQ(run.outcome.status, Status::fatal_input_error);
  ASSERT_EQ(run.outcome.message.size(), 1u);
  EXPECT_EQ(run.outcome.message[0],
            "vorn: fatal input error on unit 1 (VORN.IN), line 14: end of file before the property "
            "line of chemical #4 of 2000000000");
}

TEST(ChemicalRecords, MalformedLinesAreFatalInputErrors) {
  const std::string prefix = "vorn: fatal input error on unit 1 (VORN.IN), line ";
  // 26 values only.
  const auto short_line =
      read_one("Benzene @ " + joined(Lines(kBenzene.begin(), kBenzene.end() - 1)));
  EXPECT_EQ(short_line->fatal, prefix + "3: the line ends after 26 of 27 values");
  const auto flag = read_one(benzene_with(kOrganic, "1.0"));
  EXPECT_EQ(flag->fatal, prefix + "3: \"1.0\" is not an integer");
  const auto real = read_one(benzene_with(kMcl, "0.005x"));
  EXPECT_EQ(real->fatal, prefix + "3: \"0.005x\" is not a real");
  const auto conc = read_one("Benzene @ " + joined(kBenzene), "0.5 N abc N");
  EXPECT_EQ(conc->fatal, prefix + "5: \"abc\" is not a real");
  // The concentration lines end early.
  const auto early = read_section("2\nheading\nA @ " + joined(kBenzene) + "\nB @ " +
                                  joined(kBenzene) + "\nTCLP\n0.5 N 100 N\n");
  EXPECT_EQ(early->fatal, prefix + "7: end of file before all values were read");
  // No heading line before the concentration lines.
  const auto no_heading = read_section("1\nheading\nA @ " + joined(kBenzene) + "\n");
  EXPECT_NE(no_heading->fatal.find(prefix + "4: end of file"), std::string::npos)
      << no_heading->fatal;
}

TEST(ChemicalRecords, AFatalInputErrorEndsTheRunWithItsMessageAndNoReport) {
  ScratchDir dir;
  InputBuilder input;
  input.properties = {"Benzene @ " + joined(kBenzene), benzene_with(kMcl, "1.5x")};
  input.concentrations = {"0.5 N 100 N", "0.5 N 100 N"};
  write_text(dir / "VORN.IN", input.text());
  write_text(dir / "VORN.OUT", "an old report\n");
  const Outcome outcome = run(dir.path());
  const std::string message =
      "vorn: fatal input error on unit 1 (VORN.IN), line 12: \"1.5x\" is not a real";
  EXPECT_EQ(outcome.status, Status::fatal_input_error);
  EXPECT_EQ(outcome.exit_status(), 3);
  EXPECT_EQ(outcome.message, Lines{message});
  EXPECT_EQ(outcome.stderr_text, message + "\n");
  EXPECT_EQ(outcome.stdout_text, "");
  const Lines log = lines_of(read_text(dir / "VORN.DBG"));
  EXPECT_EQ(log.back(), " " + message);
  EXPECT_EQ(log.at(log.size() - 2), " Octanol-water Partition Coefficient(LOGKOW -)= 2.13");
  EXPECT_EQ(read_text(dir / "VORN.OUT"), "an old report\n");
}

}  // namespace
}  // namespace vorn::test
