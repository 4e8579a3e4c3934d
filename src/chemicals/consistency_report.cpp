#include "chemicals/consistency_report.hpp"

#include <algorithm>
#include <map>
#include <optional>

#include "chemicals/chemical_id.hpp"
#include "chemicals/decimal_text.hpp"
#include "chemicals/dermal_constants.hpp"
#include "chemicals/library_import.hpp"
#include "chemicals/library_snapshot.hpp"
#include "chemicals/table_layout.hpp"

namespace vorn::chemicals {
namespace {

constexpr const char* kNoneBlank = "blank in the table: none published";

std::string name_of(const Library& library, const std::string& id, const std::string& variant) {
  const LibraryValue* name = library.find(id, variant, "CHEMNAME");
  return name ? name->value : std::string();
}

std::string who(const Library& library, const LibraryValue& v) {
  return ChemicalKey{v.id, v.variant}.text() + " " + name_of(library, v.id, v.variant);
}

std::optional<double> number(const Library& library, const char* id, const char* field) {
  const LibraryValue* v = library.find(id, "", field);
  return v ? decimal_value(v->value) : std::nullopt;
}

PinResult exact_pin(const Library& library, const char* what, const char* id, const char* field,
                    double expected, bool both_tables) {
  PinResult pin{what, shortest_text(expected), "none", false};
  const LibraryValue* v = library.find(id, "", field);
  if (v == nullptr) return pin;
  pin.found = v->value;
  pin.holds = decimal_value(v->value) == expected;
  if (both_tables) {
    pin.found += v->other.empty() ? ", one table only" : ", " + v->other_table + " " + v->other;
    pin.holds = pin.holds && !v->other.empty() && decimal_value(v->other) == expected;
  }
  return pin;
}

void dermal_pins(const Library& library, const char* name, const char* id, const char* tau,
                 const char* bunge, const char* tstar, std::vector<PinResult>& out) {
  const auto mw = number(library, id, "MW");
  const auto kp = number(library, id, "KPW");
  const std::string what = std::string(name) + " " + id + " dermal constants from MW and KPW";
  PinResult pin{what, std::string("tau ") + tau + " h, B " + bunge + ", t* " + tstar + " h",
                "no MW or KPW", false};
  if (mw && kp) {
    const DermalConstants d = dermal_constants(*mw, *kp);
    pin.found = "tau " + shortest_text(d.TAU) + " h, B " + shortest_text(d.BUNGE) + ", t* " +
                shortest_text(d.TSTAR) + " h";
    pin.holds = equals_to_digits(d.TAU, tau) && equals_to_digits(d.BUNGE, bunge) &&
                equals_to_digits(d.TSTAR, tstar);
  }
  out.push_back(pin);
}

void conflicts(const Library& library, std::string& out) {
  std::size_t shared = 0, blank = 0;
  std::string lines;
  for (const LibraryValue& v : library.values()) {
    if (v.other.empty()) continue;
    if (v.derivation == kNoneBlank) {
      ++blank;
      continue;
    }
    ++shared;
    if (in_conflict(v)) {
      lines += "  " + who(library, v) + " " + v.field + ": " + v.value + " (" + v.table +
               ", kept) against " + v.other + " (" + v.other_table + ") " + v.unit + "\n";
    }
  }
  const std::size_t differ = static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
  out += "Values two tables give: " + std::to_string(shared) + ", of which " +
         std::to_string(differ) + " differ";
  out += differ > 0 ? ":\n" + lines : std::string("\n");
  if (blank > 0)
    out += "  and " + std::to_string(blank) +
           " left blank (none published) in the first table where the other gives a number\n";
}

void ids(const Library& library, std::string& out) {
  std::size_t cas = 0;
  std::string registry, wrong;
  for (const EntryKey& e : library.entries()) {
    if (is_registry_id(e.id)) {
      registry += "  " + ChemicalKey{e.id, e.variant}.text() + " " +
                  name_of(library, e.id, e.variant) + ": registry id, no check digit\n";
    } else {
      ++cas;
      if (std::string why = id_problem(e.id); !why.empty()) wrong += "  " + why + "\n";
    }
  }
  out += "CAS numbers: " + std::to_string(cas) + ", " +
         (wrong.empty() ? "every check digit right\n" : "check digits wrong:\n" + wrong);
  const std::size_t n =
      static_cast<std::size_t>(std::count(registry.begin(), registry.end(), '\n'));
  if (n > 0) out += "Registry ids: " + std::to_string(n) + "\n" + registry;
}

void skipped(const Library& library, std::string& out) {
  std::vector<std::string> order;
  std::map<std::string, std::pair<std::string, std::string>> rows;  // reason, where
  for (const LibraryValue& v : library.values()) {
    if (v.field != kSkippedField) continue;
    auto [it, fresh] = rows.emplace(v.value, std::make_pair(v.note, std::string()));
    if (fresh) order.push_back(v.value);
    it->second.second += (it->second.second.empty() ? "" : "; ") + v.table + " " + v.derivation;
  }
  if (order.empty()) return;
  out += "Table rows without a CAS number not loaded: " + std::to_string(order.size()) + "\n";
  for (const std::string& name : order)
    out += "  " + name + ": " + rows[name].first + " (" + rows[name].second + ")\n";
}

void remarks(const Library& library, std::string& out) {
  std::string lines;
  for (const TableLayout& layout : table_layouts()) {
    for (const RowRemark& r : layout.remarks) {
      if (!r.listed) continue;
      for (const LibraryValue& v : library.values()) {
        if (v.note.find(r.text) == std::string::npos) continue;
        const std::string id = v.id.empty() ? "no CAS" : ChemicalKey{v.id, v.variant}.text();
        lines += "  " + std::string(r.source) + " " + id + ": " + r.text + "\n";
        break;
      }
    }
  }
  if (!lines.empty()) out += "Remarks on table rows:\n" + lines;
}

}  // namespace

std::vector<PinResult> check_unit_pins(const Library& library) {
  std::vector<PinResult> out;
  out.push_back(exact_pin(library,
                          "acetaldehyde 75-07-0 CSFI: IUR 2.2E-6 per ug/m3 x 3500, "
                          "in both tables",
                          "75-07-0", "CSFI", 2.2e-6 * 3500.0, true));
  out.push_back(exact_pin(library, "acetaldehyde 75-07-0 RFCI: 9E-3 mg/m3, in both tables",
                          "75-07-0", "RFCI", 9e-3, true));
  out.push_back(exact_pin(library, "benzene 71-43-2 CSFI: IUR 7.8E-6 per ug/m3 x 3500", "71-43-2",
                          "CSFI", 7.8e-6 * 3500.0, false));
  out.push_back(exact_pin(library, "arsenic 7440-38-2 MCL: 10 ug/L as mg/L", "7440-38-2", "MCL",
                          0.01, false));
  out.push_back(exact_pin(library, "benzene 71-43-2 KPW: the first Kp column", "71-43-2", "KPW",
                          0.0149, false));
  dermal_pins(library, "benzene", "71-43-2", "0.2875", "0.0507", "0.690", out);
  dermal_pins(library, "benzo(a)pyrene", "50-32-8", "2.718", "4.356", "11.80", out);
  return out;
}

std::string consistency_report(const LibraryStack& stack) {
  std::string out;
  for (const Library* library : stack.libraries()) {
    out += "== " + library->origin() + ": " + std::to_string(library->entries().size()) +
           " chemicals, " + std::to_string(library->values().size()) + " rows\n";
    conflicts(*library, out);
    ids(*library, out);
    skipped(*library, out);
    remarks(*library, out);
    if (library->origin() == kSnapshotOrigin) {
      out += "Unit pins:\n";
      for (const PinResult& pin : check_unit_pins(*library)) {
        out += std::string("  ") + (pin.holds ? "holds   " : "DIFFERS ") + pin.what +
               ": expected " + pin.expected + ", found " + pin.found + "\n";
      }
    }
  }
  return out;
}

}  // namespace vorn::chemicals
