// How a fill decides what the library leaves open: KDSW from Koc and the sheet's f_oc, the
// organic flag from a Koc, the trihalomethanes' shared limit, the run's limit of DAF rows,
// and a library file taking precedence over the snapshot, value by value.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "chemicals/daf_sheet.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/library_file.hpp"
#include "chemicals/library_snapshot.hpp"
#include "chemicals/stream_fill.hpp"

namespace vorn::chemicals {
namespace {

std::string sheet(const std::string& unit_type, const std::string& extra_unit_rows,
                  const std::string& header_tail, const std::string& rows) {
  return "WU_SITEKEY,1\nWU_WMUTYPE," + unit_type +
         "\nWU_RISKFACT,1e-5\nWU_HQFACT,1\nWU_WASTEVOL,6000\nWU_VOLUNIT,0\nWU_ACTLIFE,15\n"
         "WU_SIFLOW,0\n" +
         extra_unit_rows + "\nCAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG" + header_tail + "\n" + rows;
}

FillResult fill(const std::string& text, const std::vector<const Library*>& libraries = {},
                const std::string& daf = "") {
  std::vector<const Library*> layers = libraries;
  layers.push_back(&snapshot_library());
  const LibraryStack stack(layers);
  const auto rows = daf.empty() ? std::vector<DafSheetRow>{} : read_daf_sheet(daf, "daf.csv");
  return fill_stream(read_stream_sheet(text, "stream.csv"), rows, "daf.csv", stack);
}

const ValueSource& source(const FillResult& f, std::size_t index, const std::string& field) {
  const auto it = std::find_if(f.sources.begin(), f.sources.end(), [&](const ValueSource& s) {
    return s.index == index && s.field == field;
  });
  if (it == f.sources.end()) throw std::runtime_error("no source for " + field);
  return *it;
}

TEST(StreamFill, KdswIsKocTimesTheSheetsOrganicCarbonOrElseToBeSupplied) {
  const FillResult with = fill(sheet("LF", "f_oc,0.002\n", "", "71-43-2,1,N,1,N\n"));
  EXPECT_EQ(with.chemicals[0].KDSW, 145.80000000000001 * 0.002);
  EXPECT_EQ(source(with, 1, "KDSW").origin, "derived");
  EXPECT_NE(source(with, 1, "KDSW").derivation.find("KOC 145.80000000000001 L/kg"),
            std::string::npos);
  const FillResult without = fill(sheet("LF", "", "", "71-43-2,1,N,1,N\n"));
  EXPECT_EQ(without.chemicals[0].KDSW, -1.0);
  EXPECT_EQ(source(without, 1, "KDSW").action, "supply");
  EXPECT_EQ(source(without, 1, "KDSW").pathways, "SWFISH SWDISS");
  // An impoundment has no surface-water pathways: nothing for the user to supply.
  const FillResult pond = fill(sheet("SI", "", "", "71-43-2,1,N,1,N\n"));
  EXPECT_EQ(source(pond, 1, "KDSW").action, "");
  // Benzene is organic by its Koc, for the user to confirm; the dermal constants follow.
  EXPECT_EQ(without.chemicals[0].ORGANIC, 1);
  EXPECT_EQ(source(without, 1, "ORGANIC").action, "confirm");
  EXPECT_GT(without.chemicals[0].TAU, 0.0);
}

TEST(StreamFill, WithoutAKocTheSheetMustSayWhetherAChemicalIsOrganic) {
  try {
    fill(sheet("LF", "", "", "71-43-2,1,N,1,N\n7440-38-2,1,N,1,N\n"));
    FAIL() << "arsenic was filled without ORGANIC";
  } catch (const DataError& e) {
    ASSERT_EQ(e.problems().size(), 1u);
    EXPECT_EQ(e.problems()[0],
              "stream.csv:12: 7440-38-2: no Koc in the libraries tells whether "
              "it is organic: give ORGANIC (1 organic, 0 inorganic) in the "
              "sheet");
  }
  const FillResult given = fill(sheet("LF", "", ",ORGANIC", "7440-38-2,1,N,1,N,0\n"));
  EXPECT_EQ(given.chemicals[0].ORGANIC, 0);
  EXPECT_EQ(given.chemicals[0].TAU, -1.0);
  EXPECT_EQ(source(given, 1, "TAU").origin, "default");
}

TEST(StreamFill, TwoTrihalomethanesAreWarnedOfTheirSharedLimit) {
  const auto warned = [](const FillResult& f) {
    return std::any_of(f.notices.begin(), f.notices.end(), [](const std::string& n) {
      return n.find("total trihalomethanes") != std::string::npos;
    });
  };
  EXPECT_TRUE(warned(fill(sheet("LF", "", "", "67-66-3,1,N,1,N\n75-25-2,1,N,1,N\n"))));
  EXPECT_FALSE(warned(fill(sheet("LF", "", "", "67-66-3,1,N,1,N\n71-43-2,1,N,1,N\n"))));
  // A limit the user gives is the user's: no warning.
  EXPECT_FALSE(
      warned(fill(sheet("LF", "", ",MCL", "67-66-3,1,N,1,N,0.08\n75-25-2,1,N,1,N,0.08\n"))));
}

TEST(StreamFill, DafRowsAreCheckedAgainstTheRunsLimitAndThoseOfOtherChemicalsLeftOut) {
  std::string daf = "CAS,LFCONC,LFCAR,LFNON,SICONC,SICAR,SINON\n50-00-0,1,2,3,1,2,3\n";
  for (int k = 1; k <= 51; ++k) daf += "71-43-2," + std::to_string(k) + ",2,3,1,2,3\n";
  try {
    fill(sheet("LF", "", "", "71-43-2,1,N,1,N\n"), {}, daf);
    FAIL() << "51 DAF rows for one chemical were taken";
  } catch (const DataError& e) {
    ASSERT_EQ(e.problems().size(), 1u);
    EXPECT_EQ(e.problems()[0],
              "daf.csv:53: DAF row 51 for 71-43-2: the run takes at most 50 per chemical");
  }
  daf.erase(daf.rfind("71-43-2,51"));
  const FillResult f = fill(sheet("LF", "", "", "71-43-2,1,N,1,N\n"), {}, daf);
  EXPECT_EQ(f.daf->NDAF, 50);
  EXPECT_EQ(f.daf->row(50).LFCONC, 50.0);
  EXPECT_EQ(f.notices.back(),
            "1 DAF row of daf.csv names a chemical that is not in the stream: left out");
}

TEST(StreamFill, ALibraryFileGivesItsValuesBeforeTheSnapshotAndTheSheetBeforeBoth) {
  const Library newer =
      read_library(std::string(kLibraryHeader) +
                       "\n71-43-2,,CSFO,0.06,(mg/kg-day)-1,I,RSL November 2024,2024-11-01,,,,\n",
                   "newer.csv");
  const FillResult f =
      fill(sheet("LF", "", ",RFCI,note", "71-43-2,1,N,1,N,0.04,measured\n"), {&newer});
  EXPECT_EQ(f.chemicals[0].CSFO, 0.06);
  EXPECT_EQ(source(f, 1, "CSFO").library, "newer.csv");
  EXPECT_EQ(source(f, 1, "CSFO").date, "2024-11-01");
  EXPECT_EQ(f.chemicals[0].CSFI, 7.8e-6 * 3500.0);
  EXPECT_EQ(source(f, 1, "CSFI").library, kSnapshotOrigin);
  EXPECT_EQ(f.chemicals[0].ORDI, 0.04);
  EXPECT_EQ(source(f, 1, "RFCI").origin, "user");
  EXPECT_EQ(source(f, 1, "RFCI").note, "measured");
}

}  // namespace
}  // namespace vorn::chemicals
