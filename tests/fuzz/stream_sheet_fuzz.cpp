// The stream-sheet reader on arbitrary bytes, and the fill of what it accepts from the
// compiled library: every refusal names the sheet and a line, and a VORN.IN that is written
// reads back to the very values filled.
#include <cstring>
#include <exception>
#include <string>

#include "chemicals/data_error.hpp"
#include "chemicals/library_snapshot.hpp"
#include "chemicals/record_fields.hpp"
#include "chemicals/stream_fill.hpp"
#include "chemicals/stream_sheet.hpp"
#include "fuzz_check.hpp"
#include "input/input_records.hpp"
#include "input/input_writer.hpp"
#include "input/unit_checks.hpp"

namespace {

using vorn::test::fuzz_require;
namespace chem = vorn::chemicals;

constexpr const char* kFile = "sheet.csv";

void check_problems(const chem::DataError& e) {
  fuzz_require(!e.problems().empty(), "a refusal without a problem");
  for (const std::string& p : e.problems()) {
    const bool placed = p.rfind(std::string(kFile) + ":", 0) == 0 || p.rfind("... and ", 0) == 0;
    fuzz_require(placed, "a problem that does not name the sheet: " + p.substr(0, 120));
  }
}

bool same_bits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void check_read_back(const chem::FillResult& fill) {
  std::string text;
  try {
    text = vorn::write_input_text(fill.unit, fill.chemicals, *fill.daf);
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("the VORN.IN writer refused a fill: ") + e.what());
    return;
  }
  const vorn::InputRecords read = vorn::read_input_records(text);
  fuzz_require(read.chemicals.size() == fill.chemicals.size(), "chemicals lost in VORN.IN");
  for (std::size_t k = 0; k < read.chemicals.size(); ++k) {
    for (const chem::RecordField& f : chem::kRecordFields) {
      if (f.kind != chem::RecordKind::real) continue;
      fuzz_require(same_bits(read.chemicals[k].*(f.real), fill.chemicals[k].*(f.real)),
                   std::string(f.name) + " reads back as another double");
    }
    fuzz_require(read.chemicals[k].ORGANIC == fill.chemicals[k].ORGANIC, "ORGANIC changed");
  }
  fuzz_require(fill.sources.size() == fill.chemicals.size() * (std::size(chem::kRecordFields) + 4),
               "a chemical without a source for each value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  chem::StreamSheet sheet;
  try {
    sheet = chem::read_stream_sheet(text, kFile);
  } catch (const chem::DataError& e) {
    check_problems(e);
    return 0;
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("the reader threw ") + e.what());
    return 0;
  }
  fuzz_require(!vorn::check_unit(sheet.unit), "a sheet accepted with a unit the run stops on");
  for (const chem::SheetRow& row : sheet.rows) {
    fuzz_require(chem::id_problem(row.key.id).empty(), "a row accepted with a bad id");
    fuzz_require(row.TCLPFLAG.size() == 1 && row.TOTFLAG.size() == 1, "a flag of another width");
  }
  const chem::LibraryStack stack({&chem::snapshot_library()});
  try {
    check_read_back(chem::fill_stream(sheet, {}, "", stack));
  } catch (const chem::DataError& e) {
    check_problems(e);
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("the fill threw ") + e.what());
  }
  return 0;
}
