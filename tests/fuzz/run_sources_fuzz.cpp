// sources.csv on arbitrary bytes, as a run reads it beside its VORN.IN: a file it cannot use
// is refused with a reason that names it; one it can use, set against chemicals holding the
// file's own values, marks none of them changed, and marks exactly the value moved by one
// step when one is.
#include <cmath>
#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "chemicals/record_fields.hpp"
#include "chemicals/run_sources.hpp"
#include "chemicals/value_source.hpp"
#include "core/free_form.hpp"
#include "fuzz_check.hpp"

namespace {

using vorn::Chemical;
using vorn::test::fuzz_require;
namespace chem = vorn::chemicals;

constexpr const char* kFile = "sources.csv";
// Places beyond this are not built into chemicals: the file may name any index.
constexpr std::size_t kMaxPlaces = 200;

double* real_of(Chemical& c, const std::string& field) {
  if (field == "TCLPCONC") return &c.TCLPCONC;
  if (field == "TOTC") return &c.TOTC;
  const chem::RecordField* f = chem::record_field(field);
  return f != nullptr && f->kind == chem::RecordKind::real ? &(c.*(f->real)) : nullptr;
}

// The value of a row put into its chemical, as VORN.IN would hold it.
void put(Chemical& c, const chem::ValueSource& row) {
  if (double* real = real_of(c, row.field)) {
    vorn::parse_real(row.value, *real);
  } else if (row.field == "ORGANIC") {
    vorn::parse_integer(row.value, c.ORGANIC);
  } else if (row.field == "CHEMNAME") {
    c.CHEMNAME = row.value;
  } else if (row.field == "CARCTYPE") {
    c.CARCTYPE = row.value;
  } else if (row.field == "TCLPFLAG") {
    c.TCLPFLAG = row.value;
  } else if (row.field == "TOTFLAG") {
    c.TOTFLAG = row.value;
  }
}

std::size_t changed_in(const std::vector<chem::SourcedValue>& values) {
  std::size_t n = 0;
  for (const chem::SourcedValue& v : values) n += v.changed();
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  chem::RunSources none;
  try {
    none = chem::read_run_sources(text, kFile, {});
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("the reader threw ") + e.what());
    return 0;
  }
  if (!none.usable()) {
    fuzz_require(none.problem.rfind(kFile, 0) == 0, "a refusal that does not name the file");
    fuzz_require(none.chemicals.empty(), "sources kept from a file refused");
    return 0;
  }
  fuzz_require(none.chemicals.empty(), "sources for chemicals the run did not read");

  // Chemicals holding the file's own values, each at its place.
  const std::vector<chem::ValueSource> rows = chem::read_sources(text, kFile);
  std::map<std::size_t, Chemical> places;
  for (const chem::ValueSource& row : rows) {
    if (row.index > kMaxPlaces) return 0;
    Chemical& c = places[row.index];
    c.CHEMCAS = row.CHEMCAS;
    put(c, row);
  }
  if (places.empty()) return 0;
  std::vector<Chemical> as_read(places.rbegin()->first);
  for (auto& [index, c] : places) as_read[index - 1] = c;
  const chem::RunSources same = chem::read_run_sources(text, kFile, as_read);
  fuzz_require(same.usable() && same.chemicals.size() == as_read.size(),
               "a usable file not used for the chemicals");
  for (const auto& [index, c] : places)
    fuzz_require(changed_in(same.chemicals[index - 1]) == 0,
                 "a value as the fill wrote it marked changed, chemical " + std::to_string(index));

  // One value moved by a step: that value alone is marked.
  const auto& [index, first] = *places.begin();
  Chemical moved = first;
  if (!std::isfinite(moved.MW)) return 0;
  moved.MW = std::nextafter(moved.MW, INFINITY);
  as_read[index - 1] = moved;
  const chem::RunSources one = chem::read_run_sources(text, kFile, as_read);
  const auto& values = one.chemicals[index - 1];
  fuzz_require(changed_in(values) == 1, "a value moved by one step not marked alone");
  for (const chem::SourcedValue& v : values)
    if (v.changed()) fuzz_require(v.source.field == "MW", "another value than MW marked");
  return 0;
}
