// The library reader and the source-table reader on arbitrary bytes: every refusal names the
// file and a place, and a library that is read is written back to a text that reads as the
// same library, and is then a fixed point.
#include <exception>
#include <string>

#include "chemicals/data_error.hpp"
#include "chemicals/library_file.hpp"
#include "chemicals/library_stack.hpp"
#include "chemicals/source_table.hpp"
#include "fuzz_check.hpp"

namespace {

using vorn::test::fuzz_require;
namespace chem = vorn::chemicals;

void check_problems(const chem::DataError& e, const std::string& file) {
  fuzz_require(!e.problems().empty(), "a refusal without a problem");
  for (const std::string& p : e.problems()) {
    const bool placed =
        p.rfind(file + ":", 0) == 0 || p.rfind("  ", 0) == 0 || p.rfind("... and ", 0) == 0;
    fuzz_require(placed, "a problem that does not name " + file + ": " + p.substr(0, 120));
  }
}

template <typename Read>
void attempt(const std::string& file, Read read) {
  try {
    read();
  } catch (const chem::DataError& e) {
    check_problems(e, file);
  } catch (const std::exception& e) {
    fuzz_require(false, file + ": the reader threw " + e.what());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  attempt("lib.csv", [&] {
    const chem::Library library = chem::read_library(text, "lib.csv");
    const std::string written = chem::library_csv(library);
    const chem::Library again = chem::read_library(written, "lib.csv");
    fuzz_require(chem::library_csv(again) == written, "a library that does not read back");
    fuzz_require(again.values().size() == library.values().size(), "rows lost in writing");
    const chem::LibraryStack stack({&library});
    for (const chem::EntryKey& e : library.entries()) {
      fuzz_require(!stack.variants(e.id).empty(), "an entry without variants");
      bool found = false;
      for (const chem::LibraryValue& v : library.values())
        found = found || (v.id == e.id && v.variant == e.variant &&
                          library.find(v.id, v.variant, v.field) == &v);
      fuzz_require(found, "an entry whose values are not found");
    }
  });
  attempt("table.csv", [&] {
    const chem::SourceTable table = chem::read_source_table(text, "table.csv");
    for (const chem::SourceRow& row : table.rows)
      fuzz_require(chem::id_problem(row.id).empty(), "a table row accepted with a bad id");
  });
  return 0;
}
