#include "chemicals/stream_fill.hpp"

#include <algorithm>
#include <map>

#include "chemicals/chemical_fill.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/record_fields.hpp"

namespace vorn::chemicals {
namespace {

// Chloroform, bromodichloromethane, dibromochloromethane and bromoform: the tables give each
// the MCL of total trihalomethanes, which limits their sum.
// The name, the 26 values and the four concentration values.
constexpr std::size_t kSourcesPerChemical = std::size(kRecordFields) + 4;

constexpr const char* kTrihalomethanes[] = {"67-66-3", "75-27-4", "124-48-1", "75-25-2"};

std::string label(const Chemical& c, const SheetRow& row) {
  return c.CHEMNAME + " (" + row.key.text() + ", line " + std::to_string(row.line) + ")";
}

// Chemicals without a positive toxicity value on any route.
void toxicity_notices(const FillResult& out, const StreamSheet& sheet,
                      std::vector<std::string>& notices) {
  for (std::size_t k = 0; k < out.chemicals.size(); ++k) {
    const Chemical& c = out.chemicals[k];
    const double values[] = {c.CSFO, c.CSFI, c.ORDO, c.ORDI};
    if (std::any_of(std::begin(values), std::end(values), [](double v) { return v > 0.0; }))
      continue;
    const bool none_published =
        std::all_of(std::begin(values), std::end(values), [](double v) { return v == 0.0; });
    notices.push_back(label(c, sheet.rows[k]) + " has no toxicity value on any route: " +
                      (none_published
                           ? "none is published, so the run computes no health-based limit for it"
                           : "those not given are written as missing, and the run sets the "
                             "allowable concentration of their pathways to 0 until they are "
                             "supplied"));
  }
}

void trihalomethane_notice(const std::vector<const Chemical*>& found,
                           std::vector<std::string>& notices) {
  if (found.size() < 2) return;
  std::string names;
  for (const Chemical* c : found) names += (names.empty() ? "" : ", ") + c->CHEMNAME;
  notices.push_back("the trihalomethanes " + names +
                    " each carry the MCL of total trihalomethanes (0.08 mg/L), which limits "
                    "their sum: the run compares each with it alone");
}

void add_daf_rows(const std::vector<DafSheetRow>& rows, const std::string& file,
                  const std::vector<Chemical>& chemicals, FillResult& out, Problems& problems) {
  std::map<std::string, int> per_chemical;
  std::size_t left_out = 0;
  for (const DafSheetRow& r : rows) {
    const std::string& id = r.row.CHEMCAS;
    const bool in_stream = std::any_of(chemicals.begin(), chemicals.end(),
                                       [&](const Chemical& c) { return c.CHEMCAS == id; });
    if (!in_stream) {
      ++left_out;
      continue;
    }
    const std::string at = file + ":" + std::to_string(r.line) + ": ";
    if (++per_chemical[id] > kDafRowsPerChemical) {
      problems.add(at + "DAF row " + std::to_string(per_chemical[id]) + " for " + id +
                   ": the run takes at most " + std::to_string(kDafRowsPerChemical) +
                   " per chemical");
      continue;
    }
    if (out.daf->NDAF == kDafCapacity) {
      problems.add(at + "more than the " + std::to_string(kDafCapacity) + " DAF rows a run takes");
      continue;
    }
    out.daf->row(++out.daf->NDAF) = r.row;
  }
  if (left_out > 0) {
    out.notices.push_back(std::to_string(left_out) + " DAF row" +
                          (left_out == 1 ? " of " + file + " names a chemical that is"
                                         : "s of " + file + " name chemicals that are") +
                          " not in the stream: left out");
  }
}

}  // namespace

FillResult fill_stream(const StreamSheet& sheet, const std::vector<DafSheetRow>& daf,
                       const std::string& daf_file, const LibraryStack& stack) {
  FillResult out;
  out.unit = sheet.unit;
  const FillContext context{stack, sheet.unit.WU_WMUTYPE == "LF", sheet.f_oc};
  Problems problems;
  std::vector<std::string> later;
  std::vector<const Chemical*> trihalomethanes;
  std::map<std::string, std::size_t> first_line;
  std::vector<bool> mcl_from_library;
  out.chemicals.reserve(sheet.rows.size());
  out.sources.reserve(sheet.rows.size() * kSourcesPerChemical);
  for (const SheetRow& row : sheet.rows) {
    const std::string at = sheet.file + ":" + std::to_string(row.line) + ": ";
    EntryKey entry;
    try {
      entry = stack.resolve(row.key);
    } catch (const LookupError& e) {
      problems.add(at + e.what());
      continue;
    }
    if (const auto [it, fresh] = first_line.emplace(row.key.text(), row.line); !fresh) {
      later.push_back(row.key.text() + " is on line " + std::to_string(it->second) +
                      " and again on line " + std::to_string(row.line));
    }
    FilledChemical filled =
        fill_chemical(row, entry, out.chemicals.size() + 1, context, at, problems);
    if (filled.mutagen) {
      later.push_back(label(filled.chemical, row) + " is " + kMutagenNote);
    }
    mcl_from_library.push_back(filled.mcl_from_library);
    out.chemicals.push_back(std::move(filled.chemical));
    for (ValueSource& s : filled.sources) out.sources.push_back(std::move(s));
  }
  problems.throw_if_any();
  for (std::size_t k = 0; k < out.chemicals.size(); ++k) {
    const Chemical& c = out.chemicals[k];
    if (mcl_from_library[k] && std::find(std::begin(kTrihalomethanes), std::end(kTrihalomethanes),
                                         c.CHEMCAS) != std::end(kTrihalomethanes))
      trihalomethanes.push_back(&c);
  }
  toxicity_notices(out, sheet, out.notices);
  trihalomethane_notice(trihalomethanes, out.notices);
  for (std::string& n : later) out.notices.push_back(std::move(n));
  add_daf_rows(daf, daf_file, out.chemicals, out, problems);
  problems.throw_if_any();
  return out;
}

}  // namespace vorn::chemicals
