#include "chemicals/chemical_fill.hpp"

#include <map>

#include "chemicals/decimal_text.hpp"
#include "chemicals/dermal_constants.hpp"
#include "chemicals/field_gates.hpp"
#include "chemicals/library_import.hpp"
#include "chemicals/record_fields.hpp"
#include "input/free_form_items.hpp"

namespace vorn::chemicals {
namespace {

constexpr double kMissing = -1.0;
constexpr double kMissingLogKow = -1000.0;
// Only organic chemicals have an organic-carbon partition coefficient.
constexpr const char* kOrganicRule =
    "1: the library gives a Koc, which only organic chemicals have";
// ORGANIC decides which DAF rows a chemical matches and the form of its dermal dose.
constexpr unsigned kOrganicPathways =
    kGroundwaterIngestion | kGroundwaterInhalation | kDermalAdult | kDermalChild;

class Filler {
 public:
  Filler(const SheetRow& row, const EntryKey& entry, std::size_t index, const FillContext& context)
      : row_(row), entry_(entry), index_(index), context_(context) {
    out_.chemical.CHEMCAS = entry.id;
  }

  FilledChemical run(const std::string& at, Problems& problems) {
    Chemical& c = out_.chemical;
    name();
    for (const RecordField& f : kRecordFields) {
      if (f.kind == RecordKind::real && !derived(f.name)) plain(f);
    }
    out_.mcl_from_library = sources_["MCL"].origin == "library";
    out_.mutagen = static_cast<bool>(context_.stack.find(entry_, "MUTAGEN"));
    if (out_.mutagen) {
      for (const char* field : {"CSFO", "CSFI"}) append_note(sources_[field], kMutagenNote);
    }
    if (!organic()) {
      problems.add(at + entry_.id +
                   ": no Koc in the libraries tells whether it is organic: give ORGANIC "
                   "(1 organic, 0 inorganic) in the sheet");
    }
    carcinogen();
    dermal();
    partition();
    c.TCLPCONC = row_.TCLPCONC;
    c.TCLPFLAG = row_.TCLPFLAG;
    c.TOTC = row_.TOTC;
    c.TOTFLAG = row_.TOTFLAG;
    for (const RecordField& f : kRecordFields) out_.sources.push_back(finished(f));
    sheet_value("TCLPCONC", real_item(c.TCLPCONC, "TCLPCONC"), "mg/L");
    sheet_value("TCLPFLAG", c.TCLPFLAG, "");
    sheet_value("TOTC", real_item(c.TOTC, "TOTC"), "mg/kg");
    sheet_value("TOTFLAG", c.TOTFLAG, "");
    return std::move(out_);
  }

 private:
  static bool derived(std::string_view field) {
    return field == "TSTAR" || field == "TAU" || field == "BUNGE" || field == "KDSW";
  }

  const SheetOverride* override_of(std::string_view field) const {
    for (const SheetOverride& o : row_.overrides)
      if (o.field == field) return &o;
    return nullptr;
  }

  ValueSource& user(const char* field) {
    ValueSource& s = sources_[field];
    s.origin = "user";
    s.source = "stream sheet";
    s.note = row_.note;
    return s;
  }

  void library(ValueSource& s, const FoundValue& found) {
    const LibraryValue& v = *found.value;
    s.origin = "library";
    s.library = found.library->origin();
    s.source = v.source;
    s.table = v.table;
    s.date = v.date;
    s.derivation = v.derivation;
    s.note = v.note;
    if (in_conflict(v))
      append_note(s, "conflict: the " + v.other_table + " gives " + v.other + "; this value kept");
  }

  static void append_note(ValueSource& s, const std::string& note) {
    s.note += (s.note.empty() ? "" : "; ") + note;
  }

  void set_real(const char* field, double value) {
    const RecordField* f = record_field(field);
    out_.chemical.*(f->real) = value;
  }

  void name() {
    std::string& name = out_.chemical.CHEMNAME;
    if (const SheetOverride* o = override_of("CHEMNAME")) {
      name = o->text;
      user("CHEMNAME");
    } else if (const FoundValue found = context_.stack.find(entry_, "CHEMNAME")) {
      name = found.value->value;
      library(sources_["CHEMNAME"], found);
    } else {
      name = entry_.id;
      sources_["CHEMNAME"].origin = "default";
      sources_["CHEMNAME"].derivation = "no library names it: its id";
    }
  }

  void plain(const RecordField& f) {
    if (const SheetOverride* o = override_of(f.name)) {
      set_real(f.name, *decimal_value(o->text));
      user(f.name);
      return;
    }
    ValueSource& s = sources_[f.name];
    if (f.library != nullptr) {
      if (const FoundValue found = context_.stack.find(entry_, f.library)) {
        set_real(f.name, *decimal_value(found.value->value));
        library(s, found);
        return;
      }
    }
    const std::string_view name = f.name;
    if (name == "DAFLF" || name == "DAFSI") {
      set_real(f.name, 0.0);
      s.origin = "default";
      s.derivation = "0: the DAF table's rows, else the run's own DAF rule";
      return;
    }
    set_real(f.name, name == "LOGKOW" ? kMissingLogKow : kMissing);
    s.origin = "missing";
    s.derivation = f.library != nullptr ? "in no library" : "given by the user only";
  }

  bool organic() {
    if (const SheetOverride* o = override_of("ORGANIC")) {
      out_.chemical.ORGANIC = o->text == "1" ? 1 : 0;
      user("ORGANIC");
      return true;
    }
    const FoundValue koc = context_.stack.find(entry_, "KOC");
    if (!koc) return false;
    out_.chemical.ORGANIC = 1;
    ValueSource& s = sources_["ORGANIC"];
    library(s, koc);
    s.origin = "derived";
    s.derivation = kOrganicRule;
    s.note = "KOC " + koc.value->value + " " + koc.value->unit;
    s.action = "confirm";
    s.pathways = pathway_codes(kOrganicPathways);
    return true;
  }

  void carcinogen() {
    Chemical& c = out_.chemical;
    if (const SheetOverride* o = override_of("CARCTYPE")) {
      c.CARCTYPE = o->text;
      user("CARCTYPE");
      return;
    }
    const bool slope = c.CSFO > 0.0 || c.CSFI > 0.0;
    c.CARCTYPE = slope ? "C" : "N";
    ValueSource& s = sources_["CARCTYPE"];
    s.origin = "derived";
    s.derivation = slope ? "C: a slope factor (CSFO or CSFI) above 0"
                         : "N: no slope factor (CSFO or CSFI) above 0";
  }

  void dermal() {
    const Chemical& c = out_.chemical;
    const bool given = c.MW > 0.0 && c.KPW > 0.0;
    const DermalConstants d = given ? dermal_constants(c.MW, c.KPW) : DermalConstants{};
    const std::pair<const char*, double> values[] = {
        {"TAU", d.TAU}, {"TSTAR", d.TSTAR}, {"BUNGE", d.BUNGE}};
    for (const auto& [field, value] : values) {
      if (const SheetOverride* o = override_of(field)) {
        set_real(field, *decimal_value(o->text));
        user(field);
        continue;
      }
      ValueSource& s = sources_[field];
      if (c.ORGANIC != 1) {
        set_real(field, kMissing);
        s.origin = "default";
        s.derivation = "an inorganic chemical: the run does not use it";
      } else if (!given) {
        set_real(field, kMissing);
        s.origin = "missing";
        s.derivation = "derived from MW and KPW, which are not both above 0";
      } else {
        set_real(field, value);
        s.origin = "derived";
        s.derivation = std::string(kDermalRule) + "; MW " + real_item(c.MW, "MW") + ", KPW " +
                       real_item(c.KPW, "KPW");
      }
    }
  }

  void partition() {
    if (override_of("KDSW") != nullptr) {
      set_real("KDSW", *decimal_value(override_of("KDSW")->text));
      user("KDSW");
      return;
    }
    ValueSource& s = sources_["KDSW"];
    const FoundValue koc = context_.stack.find(entry_, "KOC");
    if (!koc || !context_.f_oc) {
      set_real("KDSW", kMissing);
      s.origin = "missing";
      s.derivation = koc ? "Koc x f_oc, and the sheet gives no f_oc" : "given by the user only";
      return;
    }
    const double koc_value = *decimal_value(koc.value->value);
    set_real("KDSW", koc_value * *context_.f_oc);
    library(s, koc);
    s.origin = "derived";
    s.derivation = "Koc x f_oc: KOC " + koc.value->value + " L/kg (" + koc.value->table +
                   ") x f_oc " + real_item(*context_.f_oc, "f_oc") + " (the stream sheet)";
  }

  ValueSource finished(const RecordField& f) {
    ValueSource s = std::move(sources_[f.name]);
    const Chemical& c = out_.chemical;
    s.index = index_;
    s.CHEMCAS = entry_.id;
    s.variant = entry_.variant;
    s.CHEMNAME = c.CHEMNAME;
    s.field = f.name;
    s.unit = f.unit;
    switch (f.kind) {
      case RecordKind::real:
        s.value = real_item(c.*(f.real), f.name);
        break;
      case RecordKind::integer:
        s.value = integer_item(c.ORGANIC);
        break;
      case RecordKind::flag:
        s.value = c.CARCTYPE;
        break;
      case RecordKind::name:
        s.value = c.CHEMNAME;
        break;
    }
    if (s.origin == "missing") {
      if (const FieldGate* gate = field_gate(f.name)) {
        const UnitGates& g = gates_for(*gate, context_.landfill);
        if ((g.gates | g.alters) != 0) {
          s.action = "supply";
          s.pathways = pathway_codes(g.gates | g.alters);
        }
      }
    }
    return s;
  }

  void sheet_value(const char* field, std::string value, const char* unit) {
    ValueSource s;
    s.index = index_;
    s.CHEMCAS = entry_.id;
    s.variant = entry_.variant;
    s.CHEMNAME = out_.chemical.CHEMNAME;
    s.field = field;
    s.value = std::move(value);
    s.unit = unit;
    s.origin = "user";
    s.source = "stream sheet";
    out_.sources.push_back(std::move(s));
  }

  const SheetRow& row_;
  const EntryKey& entry_;
  std::size_t index_;
  const FillContext& context_;
  FilledChemical out_;
  std::map<std::string, ValueSource, std::less<>> sources_;
};

}  // namespace

FilledChemical fill_chemical(const SheetRow& row, const EntryKey& entry, std::size_t index,
                             const FillContext& context, const std::string& at,
                             Problems& problems) {
  return Filler(row, entry, index, context).run(at, problems);
}

}  // namespace vorn::chemicals
