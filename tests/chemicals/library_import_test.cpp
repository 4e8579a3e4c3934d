// The library file is what the importer writes over the committed tables: the build's import
// equals it byte for byte, an import of the same tables changes nothing against the compiled
// snapshot, and the consistency report lists the tables' conflicts and the rows without a
// CAS number.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "chemicals/library_changes.hpp"
#include "chemicals/library_file.hpp"
#include "chemicals/library_import.hpp"
#include "chemicals/library_snapshot.hpp"
#include "support/test_support.hpp"

namespace vorn::chemicals {
namespace {

const std::filesystem::path kData = VORN_CHEMICAL_DATA;
const char* const kTables[] = {"ParametersSummary.csv", "ToxSummary.csv", "CHEM_DATA.csv",
                               "toxicity_characteristic.csv"};

std::vector<SourceTable> committed_tables() {
  std::vector<SourceTable> out;
  for (const char* t : kTables) out.push_back(read_source_table(test::read_text(kData / t), t));
  return out;
}

TEST(LibraryImport, TheBuildsImportOfTheTablesIsTheCommittedFileByteForByte) {
  const std::string committed = test::read_text(kData / "library.csv");
  EXPECT_TRUE(test::read_text(VORN_CHEMICAL_IMPORT) == committed)
      << "data/chemicals/library.csv is not what vorn chem import --snapshot writes";
  // The program's snapshot is that file, and reading and writing it changes no byte.
  EXPECT_TRUE(snapshot_library_text() == committed);
  EXPECT_TRUE(library_csv(read_library(committed, "library.csv")) == committed);
}

TEST(LibraryImport, AnImportOfTheSnapshotsTablesChangesNothing) {
  const Library imported = import_tables(committed_tables(), {}, "again");
  std::vector<std::string> tables;
  for (const TableLayout& l : table_layouts()) tables.emplace_back(l.table);
  EXPECT_TRUE(library_changes(snapshot_library(), imported, tables).empty());
  // The same tables named as a newer edition change the naming of each value, not one value.
  const Library renamed = import_tables(committed_tables(), {"RSL copy", "2017-05-01"}, "copy");
  EXPECT_TRUE(library_changes(snapshot_library(), renamed, tables).empty());
  EXPECT_EQ(renamed.values().front().table, "RSL copy");
}

TEST(LibraryImport, ANewerTableIsComparedWithTheSnapshotValueByValue) {
  std::string newer = test::read_text(kData / "ToxSummary.csv");
  const std::string benzene = "Benzene,71-43-2,5.5E-2,I,";
  ASSERT_NE(newer.find(benzene), std::string::npos);
  newer.replace(newer.find(benzene), benzene.size(), "Benzene,71-43-2,6E-2,I,");
  const Library imported = import_tables({read_source_table(newer, "ToxSummary.csv")},
                                         {"RSL November 2024", "2024-11-01"}, "newer.csv");
  const auto changes = library_changes(snapshot_library(), imported, {"RSL summary table"});
  std::vector<std::string> lines;
  for (const ValueChange& c : changes) lines.push_back(change_line(c));
  EXPECT_EQ(lines,
            (std::vector<std::string>{"changed 71-43-2 CSFO: 5.5E-2 -> 6E-2 (mg/kg-day)-1"}));
}

TEST(LibraryImport, RowsSharingACasNumberBecomeVariantsNamedByTheirSuffix) {
  const Library& lib = snapshot_library();
  std::size_t rows = 0;
  std::set<std::string> ids;
  for (const EntryKey& e : lib.entries()) {
    if (e.variant.empty()) continue;
    ++rows;
    ids.insert(e.id);
  }
  EXPECT_EQ(rows, 7u);
  EXPECT_EQ(ids, (std::set<std::string>{"1336-36-3", "7439-96-5", "7440-43-9"}));
  EXPECT_EQ(lib.variants("7440-43-9"), (std::vector<std::string>{"diet", "water"}));
  EXPECT_EQ(lib.variants("1336-36-3"),
            (std::vector<std::string>{"high-risk", "low-risk", "lowest-risk"}));
  // Cadmium's two rows differ in their oral reference dose.
  EXPECT_EQ(lib.find("7440-43-9", "diet", "ORDO")->value, "1E-3");
  EXPECT_EQ(lib.find("7440-43-9", "water", "ORDO")->value, "5.0000000000000001E-4");
  // A table that gives no variant, as the regulation for cadmium, gives both.
  EXPECT_EQ(lib.find("7440-43-9", "diet", "TOX_C")->value, "1.0");
  EXPECT_EQ(lib.find("7440-43-9", "water", "TOX_C")->value, "1.0");
}

TEST(LibraryImport, TheConsistencyReportListsTheConflictsAndTheRowsWithoutACasNumber) {
  const test::ProcessResult check = test::run_process({VORN_CLI, "chem", "check"}, kData);
  ASSERT_EQ(check.status, 0) << check.err;
  const std::vector<std::string> lines = test::lines_of(check.out);
  const auto has = [&](const std::string& start) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(start) != std::string::npos; });
  };
  EXPECT_TRUE(has("Values two tables give: 1880, of which 3 differ:"));
  // 1,2-dichloropropane's unit risk (RSL 3.7E-5, volatile table 3.7E-6), Aroclor 5460's
  // diffusion coefficients: the RSL value kept.
  EXPECT_TRUE(
      has("78-87-5 Dichloropropane, 1,2- CSFI: 0.1295 (RSL summary table, kept) "
          "against 0.01295 (J&E volatile chemical table)"));
  EXPECT_TRUE(has("11126-42-4 Aroclor 5460 DIFFW: 6.798E-6"));
  EXPECT_TRUE(has("11126-42-4 Aroclor 5460 DIFFA: 2.5930100000000001E-2"));
  // 16 registry ids, 10 group headings, 2 substances without an id: each sheet's 28.
  EXPECT_TRUE(has("Registry ids: 16"));
  const auto count = [&](const std::string& part) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.find(part) != std::string::npos; });
  };
  EXPECT_EQ(count(": registry id, no check digit"), 16);
  EXPECT_EQ(count(": a group heading (RSL chemical-specific parameters record"), 10);
  EXPECT_EQ(count(": no CAS number or registry id: not loaded (RSL chemical-specific"), 2);
  EXPECT_TRUE(
      has("  Cyanides: a group heading (RSL chemical-specific parameters record 170; "
          "RSL summary table record 172)"));
  // The three rows of the toxicity characteristic table that are not attached as they stand.
  EXPECT_TRUE(has("  D020 57-74-9: "));
  EXPECT_TRUE(has("  D026 no CAS: "));
  EXPECT_TRUE(has("  D031 76-44-8: "));
  EXPECT_FALSE(has("DIFFERS"));
  EXPECT_EQ(count("  holds   "), 7);
}

}  // namespace
}  // namespace vorn::chemicals
