// The strong test of a fill: the landfill example's ten chemicals, filled from the compiled
// library with the example's own site values (BCF, BAF, ECOCHRON, KDSW, LOGKOW, ORGANIC, and
// TOX_C where the regulation lists none) as overrides, give the example's values to the
// digits it prints, except for the differences listed here with their reasons.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

#include "chemicals/daf_sheet.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/decimal_text.hpp"
#include "chemicals/fill_files.hpp"
#include "chemicals/library_snapshot.hpp"
#include "chemicals/record_fields.hpp"
#include "chemicals/stream_fill.hpp"
#include "input/input_records.hpp"
#include "support/test_support.hpp"

namespace vorn::chemicals {
namespace {

struct Difference {
  const char* cas;
  const char* field;
  const char* reason;
};

constexpr const char* kDermal =
    "derived from the table's MW and Kp by the standard relations; the example's dermal "
    "constants were computed otherwise";
constexpr const char* kMetalVapour =
    "the example writes 0; no table gives a metal's vapour "
    "pressure, so the fill writes the missing -1";

const Difference kDifferences[] = {
    {"71-43-2", "TSTAR", kDermal},
    {"79-01-6", "TSTAR", kDermal},
    {"79-01-6", "TAU", kDermal},
    {"79-01-6", "BUNGE", kDermal},
    {"127-18-4", "TSTAR", kDermal},
    {"127-18-4", "TAU", kDermal},
    {"91-20-3", "TSTAR", kDermal},
    {"91-20-3", "TAU", kDermal},
    {"50-32-8", "TSTAR", kDermal},
    {"50-32-8", "BUNGE", kDermal},
    {"79-01-6", "CSFI", "4.1E-6 x 3500 = 0.01435, which the example rounds up to 0.0144"},
    {"79-01-6", "SOILST", "the RSL Csat is 692 mg/kg; the example has 1300"},
    {"127-18-4", "SOILST", "the RSL Csat is 166 mg/kg; the example has 240"},
    {"79-01-6", "DAFLF", "the example gives trichloroethylene DAFs of its own; a fill writes 0"},
    {"79-01-6", "DAFSI", "the example gives trichloroethylene DAFs of its own; a fill writes 0"},
    {"79-01-6", "VP", "69 mm Hg in the volatile table is 0.0908 atm; the example has 0.0974"},
    {"50-32-8", "VP", "benzo(a)pyrene is not in the volatile table: no vapour pressure (-1)"},
    {"7440-38-2", "VP", kMetalVapour},
    {"7440-43-9", "VP", kMetalVapour},
    {"7439-92-1", "VP", kMetalVapour},
    {"91-20-3", "MW", "the RSL gives 128.18 g/mol; the example 128.17"},
    {"7440-43-9", "MW", "the RSL gives 112.4 g/mol; the example 112.41"},
    {"22967-92-6", "MW", "the RSL gives 216.6326 g/mol; the example 215.6"},
    {"50-32-8", "DIFFW", "the RSL gives 5.56E-6 cm2/s; the example 9.0E-6"},
    {"7439-92-1", "CSFO", "the RSL publishes no toxicity value for lead: 0; the example -1"},
    {"7439-92-1", "CSFI", "the RSL publishes no toxicity value for lead: 0; the example -1"},
    {"7439-92-1", "ORDO", "the RSL publishes no toxicity value for lead: 0; the example -1"},
    {"7439-92-1", "RFCI", "the RSL publishes no toxicity value for lead: 0; the example -1"},
    {"7439-97-6", "ORDO", "the RSL gives elemental mercury no RfDo: 0; the example 3.0E-4"},
    {"7439-97-6", "HENRY", "the RSL gives 8.622E-3 atm-m3/mol; the example 7.1E-3"},
    {"22967-92-6", "RFCI", "the RSL gives methyl mercury no RfC: 0; the example -1"},
};

// The example's property lines as printed: name, CAS and the 26 values.
struct PrintedChemical {
  std::string cas;
  std::map<std::string, std::string> values;  // by record field (RFCI for the sixth)
};

std::vector<PrintedChemical> printed_example() {
  const std::vector<std::string> lines =
      vorn::test::lines_of(vorn::test::read_text(vorn::test::examples_dir() / "landfill/VORN.IN"));
  std::vector<PrintedChemical> out;
  for (std::size_t k = 10; k < 20; ++k) {
    std::istringstream in(lines[k].substr(lines[k].find('@') + 1));
    PrintedChemical c;
    in >> c.cas;
    for (const RecordField& f : kRecordFields)
      if (f.kind != RecordKind::name) in >> c.values[f.name];
    out.push_back(std::move(c));
  }
  return out;
}

// A value shown as the example prints it: same digits, same number.
bool same_to_printed_digits(double value, const std::string& printed) {
  if (!is_decimal(printed)) return false;
  std::string digits;
  for (char ch : printed.substr(0, printed.find_first_of("eE"))) {
    if (ch >= '0' && ch <= '9' && (!digits.empty() || ch != '0')) digits += ch;
  }
  const int n = std::max<int>(1, static_cast<int>(digits.size()));
  char rounded[64];
  std::snprintf(rounded, sizeof rounded, "%.*e", n - 1, value);
  return std::strtod(rounded, nullptr) == std::strtod(printed.c_str(), nullptr);
}

FillResult landfill_fill() {
  const auto data = vorn::test::data_dir() / "chemicals";
  const StreamSheet sheet =
      read_stream_sheet(vorn::test::read_text(data / "landfill_stream.csv"), "landfill_stream.csv");
  const auto daf =
      read_daf_sheet(vorn::test::read_text(data / "landfill_daf.csv"), "landfill_daf.csv");
  const LibraryStack stack({&snapshot_library()});
  return fill_stream(sheet, daf, "landfill_daf.csv", stack);
}

TEST(LandfillFill, EveryValueIsTheExamplesToItsPrintedDigitsButTheListedDifferences) {
  const FillResult fill = landfill_fill();
  const std::vector<PrintedChemical> example = printed_example();
  ASSERT_EQ(fill.chemicals.size(), example.size());
  std::set<std::pair<std::string, std::string>> expected, found;
  for (const Difference& d : kDifferences) expected.insert({d.cas, d.field});
  for (std::size_t k = 0; k < example.size(); ++k) {
    const Chemical& c = fill.chemicals[k];
    EXPECT_EQ(c.CHEMCAS, example[k].cas);
    for (const RecordField& f : kRecordFields) {
      if (f.kind == RecordKind::name) continue;
      const std::string& printed = example[k].values.at(f.name);
      bool same = false;
      if (f.kind == RecordKind::real) same = same_to_printed_digits(c.*(f.real), printed);
      if (f.kind == RecordKind::integer) same = std::to_string(c.ORGANIC) == printed;
      if (f.kind == RecordKind::flag) same = c.CARCTYPE == printed;
      if (!same) found.insert({c.CHEMCAS, f.name});
    }
  }
  EXPECT_EQ(found, expected);
}

TEST(LandfillFill, TheVornInWrittenReadsBackToTheLibraryAndSheetValuesBitForBit) {
  const FillResult fill = landfill_fill();
  vorn::test::ScratchDir dir;
  write_fill(dir.path(), fill, false);
  const InputRecords read = read_input_records(vorn::test::read_text(dir / "VORN.IN"));
  ASSERT_EQ(read.chemicals.size(), fill.chemicals.size());
  const auto sources = read_sources(vorn::test::read_text(dir / "sources.csv"), "sources.csv");
  std::size_t from_library = 0;
  for (const ValueSource& s : sources) {
    const RecordField* f = record_field(s.field);
    if (f == nullptr || f->kind != RecordKind::real) continue;
    const double as_read = read.chemicals[s.index - 1].*(f->real);
    // The value named in sources.csv is the one VORN.IN holds.
    const double written = *decimal_value(s.value);
    EXPECT_EQ(std::memcmp(&as_read, &written, sizeof as_read), 0) << s.CHEMCAS << " " << s.field;
    if (s.origin != "library") continue;
    ++from_library;
    // ... and a library value is the double of the library's own text.
    const LibraryValue* v =
        snapshot_library().find(s.CHEMCAS, s.variant, f->library ? f->library : "");
    ASSERT_NE(v, nullptr) << s.CHEMCAS << " " << s.field;
    EXPECT_EQ(as_read, *decimal_value(v->value)) << s.CHEMCAS << " " << s.field;
  }
  EXPECT_GT(from_library, 100u);
  EXPECT_EQ(read.daf->NDAF, 18);
  // A second fill into the same place is refused without --force, and leaves the first.
  EXPECT_THROW(write_fill(dir.path(), fill, false), DataError);
  write_fill(dir.path(), fill, true);
  // The filled input runs to its end.
  const vorn::test::MemoryRun run = vorn::test::run_text(vorn::test::read_text(dir / "VORN.IN"));
  EXPECT_EQ(run.outcome.status, vorn::Status::completed);
}

TEST(LandfillFill, SourcesNameEachValuesOriginAndTheNoticesComeInOrder) {
  const FillResult fill = landfill_fill();
  std::map<std::string, const ValueSource*> by_key;
  for (const ValueSource& s : fill.sources) by_key[s.CHEMCAS + " " + s.field] = &s;
  const ValueSource& bcf = *by_key.at("71-43-2 BCF");
  EXPECT_EQ(bcf.origin, "user");
  EXPECT_EQ(bcf.note, "the landfill example's site values");
  const ValueSource& csfi = *by_key.at("71-43-2 CSFI");
  EXPECT_EQ(csfi.origin, "library");
  EXPECT_EQ(csfi.library, kSnapshotOrigin);
  EXPECT_EQ(csfi.table, "RSL summary table");
  EXPECT_EQ(csfi.date, "May 2017");
  EXPECT_EQ(csfi.source, "I");
  EXPECT_NE(csfi.derivation.find("3500"), std::string::npos);
  EXPECT_EQ(by_key.at("79-01-6 CSFO")->note.find("mutagenic") != std::string::npos, true);
  EXPECT_EQ(by_key.at("71-43-2 TAU")->origin, "derived");
  EXPECT_EQ(by_key.at("7440-43-9 CHEMNAME")->variant, "water");
  EXPECT_EQ(by_key.at("7440-43-9 CHEMNAME")->value, "Cadmium (Water)");
  // Arsenic has no Henry's law constant: it is to be supplied, for indoor inhalation.
  EXPECT_EQ(by_key.at("7440-38-2 HENRY")->action, "supply");
  EXPECT_EQ(by_key.at("7440-38-2 HENRY")->pathways, "GWINH");
  // Lead, without a toxicity value on any route, comes first.
  ASSERT_FALSE(fill.notices.empty());
  EXPECT_EQ(fill.notices.front().rfind("Lead and Compounds (7439-92-1, line 18) has no toxicity "
                                       "value on any route",
                                       0),
            0u)
      << fill.notices.front();
}

}  // namespace
}  // namespace vorn::chemicals
