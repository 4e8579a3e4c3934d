#include "input_binding.hpp"

#include <cmath>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/free_form.hpp"
#include "core/run_error.hpp"
#include "core/text.hpp"
#include "form_fields.hpp"
#include "input/free_form_items.hpp"
#include "input/input_findings.hpp"
#include "input/input_records.hpp"

namespace vorn::web {
namespace {

constexpr std::size_t kPropertyLineWidth = 1024;  // the reader cuts a property line here
constexpr std::size_t kDafRows = 500;

// One value as the reader takes it: its number, or why it cannot be read.
struct FieldValue {
  bool ok = true;
  double real = 0;
  std::int32_t integer = 0;
  std::string text;
  std::string message;
};

// The reason of a fatal input error, without the place a whole file would give it.
std::string reason_of(const FatalInputError& e) {
  const std::string prefix = input_error_message(1, "");
  const std::string what = e.what();
  return what.rfind(prefix, 0) == 0 ? what.substr(prefix.size()) : what;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

FieldValue read_field(const FormField& field, const std::string& text) {
  FieldValue v;
  v.text = text;
  auto refuse = [&v](std::string message) {
    v.ok = false;
    v.message = std::move(message);
    return v;
  };
  if (field.kind == FieldKind::name) {
    if (text.find('@') != std::string::npos) return refuse("a name cannot hold \"@\"");
    if (text.find_first_of("\r\n") != std::string::npos)
      return refuse("a name cannot hold a line break");
    if (trim_trailing(text).size() > field.width)
      return refuse("longer than the " + std::to_string(field.width) +
                    " characters the input keeps");
    return v;
  }
  if (field.kind == FieldKind::text) {
    try {
      text_item(text, field.width, field.name);
    } catch (const std::invalid_argument& e) {
      return refuse(e.what());
    }
    return v;
  }
  const std::string_view token = trimmed(text);
  if (token.empty()) return refuse("no value");
  if (token.find_first_of(" \t,/") != std::string_view::npos)
    return refuse("\"" + std::string(token) + "\" holds a separator: one value per field");
  try {
    if (field.kind == FieldKind::real)
      read_free(token, 1, {Item::real(v.real)});
    else
      read_free(token, 1, {Item::integer(v.integer)});
  } catch (const FatalInputError& e) {
    return refuse(reason_of(e));
  }
  return v;
}

std::string text_of(const val& object, const char* key) {
  const val v = object[key];
  if (v.isUndefined() || v.isNull()) return "";
  std::string out;
  if (!latin1_of(v, out)) return std::string(1, '\x01');  // refused below: not Latin-1
  return out;
}

val finding_object(std::string_view field, int chemical, const char* kind,
                   const std::string& text) {
  val f = val::object();
  f.set("field", std::string(field));
  f.set("chemical", chemical);
  f.set("kind", std::string(kind));
  f.set("text", latin1_string(text));
  return f;
}

const char* kind_word(FindingKind kind) {
  return kind == FindingKind::stop ? "stop" : "warning";
}

double* real_of(double& v) {
  return &v;
}
double* real_of(std::string&) {
  return nullptr;
}
double* real_of(std::int32_t&) {
  return nullptr;
}

double* real_member(Chemical& c, std::string_view name) {
#define VORN_FORM_REAL(NAME, KIND) \
  if (name == #NAME) return real_of(c.NAME);
  VORN_CHEMICAL_FIELDS(VORN_FORM_REAL)
#undef VORN_FORM_REAL
  return nullptr;
}

// Reads every field of `fields` from `object` into `c`, adding a fatal finding per field
// that cannot be read; those fields keep their values from before and are not checked.
template <typename Fields, typename Assign>
std::vector<std::string> read_fields(const Fields& fields, const val& object, int chemical,
                                     val& findings, Assign assign) {
  std::vector<std::string> unread;
  for (const FormField& f : fields) {
    const std::string text = text_of(object, f.name);
    FieldValue v = text == "\x01" ? FieldValue{false, 0, 0, text,
                                               "a character the input cannot hold (not Latin-1)"}
                                  : read_field(f, text);
    if (!v.ok) {
      findings.call<void>("push", finding_object(f.name, chemical, "fatal", v.message));
      unread.push_back(f.name);
      continue;
    }
    assign(f, v);
  }
  return unread;
}

bool listed(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (n == name) return true;
  return false;
}

void add_findings(val& out, const std::vector<InputFinding>& findings,
                  const std::vector<std::string>& unread) {
  for (const InputFinding& f : findings)
    if (!listed(unread, f.field))
      out.call<void>("push",
                     finding_object(f.field, f.chemical, kind_word(f.kind), finding_text(f)));
}

}  // namespace

val read_value(const val& text, const std::string& kind) {
  std::string bytes;
  val r = val::object();
  const FormField field{"value", kind == "integer" ? FieldKind::integer : FieldKind::real, 0};
  const FieldValue v = latin1_of(text, bytes)
                           ? read_field(field, bytes)
                           : FieldValue{false, 0, 0, "", "a character the input cannot hold"};
  r.set("ok", v.ok);
  r.set("value", field.kind == FieldKind::integer ? static_cast<double>(v.integer) : v.real);
  r.set("message", v.message);
  return r;
}

val check_unit(const val& unit) {
  val out = val::array();
  WasteUnit wu;
  std::int32_t volume_unit = 0;
  const auto unread =
      read_fields(kUnitFields, unit, 0, out, [&](const FormField& f, const FieldValue& v) {
        const std::string_view name = f.name;
        if (name == "WU_SITEKEY") wu.WU_SITEKEY = v.integer;
        if (name == "WU_WMUTYPE") wu.WU_WMUTYPE = (v.text + "  ").substr(0, 2);
        if (name == "WU_RISKFACT") wu.WU_RISKFACT = v.real;
        if (name == "WU_HQFACT") wu.WU_HQFACT = v.real;
        if (name == "WU_WASTEVOL") wu.WU_WASTEVOL = v.real;
        if (name == "WU_VOLUNIT") volume_unit = v.integer;
        if (name == "WU_ACTLIFE") wu.WU_ACTLIFE = v.real;
        if (name == "WU_SIFLOW") wu.WU_SIFLOW = v.real;
      });
  add_findings(out, unit_problems(wu, volume_unit), unread);
  return out;
}

val check_chemical(const val& chemical, int index) {
  val out = val::array();
  Chemical c;
  auto assign = [&c](const FormField& f, const FieldValue& v) {
    const std::string_view name = f.name;
    if (double* real = real_member(c, name)) *real = v.real;
    if (name == "ORGANIC") c.ORGANIC = v.integer;
    if (name == "CARCTYPE") c.CARCTYPE = (v.text + " ").substr(0, 1);
  };
  auto unread = read_fields(kPropertyFields, chemical, index, out, assign);
  const auto more = read_fields(kConcentrationFields, chemical, index, out, assign);
  unread.insert(unread.end(), more.begin(), more.end());
  add_findings(out, chemical_problems(c, index), unread);
  return out;
}

val check_chemicals(const val& chemicals) {
  val out = val::array();
  const auto n = chemicals["length"].as<std::size_t>();
  for (std::size_t i = 0; i < n; ++i)
    out.call<void>("push", check_chemical(chemicals[i], static_cast<int>(i + 1)));
  return out;
}

val check_daf(const val& rows) {
  val out = val::array();
  const auto n = rows["length"].as<std::size_t>();
  for (std::size_t r = 0; r < n; ++r)
    read_fields(kDafFields, rows[r], static_cast<int>(r + 1), out,
                [](const FormField&, const FieldValue&) {});
  if (n > kDafRows)
    out.call<void>("push", finding_object("CHEMCAS", static_cast<int>(kDafRows + 1), "stop",
                                          "Stop, Error: DAF table has more than 500 rows"));
  return out;
}

val form_of_input(const val& input) {
  val r = val::object();
  try {
    const InputRecords records = read_input_records(bytes_of(input));
    const auto text = [](const std::string& s) { return latin1_string(trim_trailing(s)); };
    val unit = val::object();
    const WasteUnit& wu = records.unit;
    unit.set("WU_SITEKEY", integer_item(wu.WU_SITEKEY));
    unit.set("WU_WMUTYPE", text(wu.WU_WMUTYPE));
    unit.set("WU_RISKFACT", real_item(wu.WU_RISKFACT, "WU_RISKFACT"));
    unit.set("WU_HQFACT", real_item(wu.WU_HQFACT, "WU_HQFACT"));
    unit.set("WU_WASTEVOL", real_item(wu.WU_WASTEVOL, "WU_WASTEVOL"));
    unit.set("WU_VOLUNIT", integer_item(wu.WU_VOLUNIT));
    unit.set("WU_ACTLIFE", real_item(wu.WU_ACTLIFE, "WU_ACTLIFE"));
    unit.set("WU_SIFLOW", real_item(wu.WU_SIFLOW, "WU_SIFLOW"));
    val chemicals = val::array();
    for (Chemical c : records.chemicals) {
      val o = val::object();
      for (const FormField& f : kPropertyFields) {
        if (double* real = real_member(c, f.name)) o.set(f.name, real_item(*real, f.name));
      }
      for (const FormField& f : kConcentrationFields) {
        if (double* real = real_member(c, f.name)) o.set(f.name, real_item(*real, f.name));
      }
      o.set("CHEMNAME", text(c.CHEMNAME));
      o.set("CHEMCAS", text(c.CHEMCAS));
      o.set("ORGANIC", integer_item(c.ORGANIC));
      o.set("CARCTYPE", text(c.CARCTYPE));
      o.set("TCLPFLAG", text(c.TCLPFLAG));
      o.set("TOTFLAG", text(c.TOTFLAG));
      chemicals.call<void>("push", o);
    }
    val daf = val::array();
    for (int k = 1; k <= records.daf->NDAF; ++k) {
      val o = val::object();
      for_each_daf_field(records.daf->row(k), [&](const char* name, const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, double>)
          o.set(name, real_item(value, name));
        else
          o.set(name, text(value));
      });
      daf.call<void>("push", o);
    }
    val form = val::object();
    form.set("unit", unit);
    form.set("chemicals", chemicals);
    form.set("daf", daf);
    r.set("ok", true);
    r.set("form", form);
  } catch (const RunStop& e) {
    std::string lines;
    for (const std::string& line : e.lines()) lines += (lines.empty() ? "" : "\n") + line;
    r.set("ok", false);
    r.set("message", latin1_string(lines));
  } catch (const std::exception& e) {
    r.set("ok", false);
    r.set("message", latin1_string(e.what()));
  }
  return r;
}

val write_input(const val& form) {
  val problems = val::array();
  std::string out;
  // Each item as typed: numbers trimmed of blanks, texts quoted where the reader needs it.
  const auto item = [](const FormField& f, const std::string& text) -> std::string {
    if (f.kind == FieldKind::text) return text_item(text, f.width, f.name);
    if (f.kind == FieldKind::name) return std::string(trim_trailing(text));
    return std::string(trimmed(text));
  };
  const auto line_of = [&](const auto& fields, const val& object, int owner, bool property) {
    std::string line;
    for (const FormField& f : fields) {
      const std::string text = text_of(object, f.name);
      const FieldValue v = read_field(f, text);
      if (!v.ok || text == "\x01") {
        problems.call<void>(
            "push", finding_object(f.name, owner, "fatal", v.ok ? "not Latin-1" : v.message));
        continue;
      }
      if (!line.empty()) line += ' ';
      line += item(f, text);
      if (property && f.kind == FieldKind::name) line += " @";
    }
    if (property && line.size() > kPropertyLineWidth)
      problems.call<void>("push", finding_object("CHEMNAME", owner, "fatal",
                                                 "the property line is longer than the " +
                                                     std::to_string(kPropertyLineWidth) +
                                                     " characters the input reads"));
    out += line;
    out += '\n';
  };
  for (const FormField& f : kUnitFields) {
    const FormField one[] = {f};
    line_of(one, form["unit"], 0, false);
  }
  const val chemicals = form["chemicals"];
  const auto n = chemicals["length"].as<std::size_t>();
  out += std::to_string(n) + "\n";
  out +=
      "CHEMNAME @ CHEMCAS MCL CSFO CSFI ORDO ORDI BCF SOILST TOX_C HENRY DIFFW DIFFA SOL DAFLF "
      "DAFSI TSTAR KPW TAU BUNGE ORGANIC BAF ECOCHRON CARCTYPE MW VP KDSW LOGKOW\n";
  for (std::size_t i = 0; i < n; ++i)
    line_of(kPropertyFields, chemicals[i], static_cast<int>(i + 1), true);
  out += "TCLPCONC TCLPFLAG TOTC TOTFLAG\n";
  for (std::size_t i = 0; i < n; ++i)
    line_of(kConcentrationFields, chemicals[i], static_cast<int>(i + 1), false);
  out += "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n";
  const val daf = form["daf"];
  const auto rows = daf["length"].as<std::size_t>();
  for (std::size_t r = 0; r < rows; ++r)
    line_of(kDafFields, daf[r], static_cast<int>(r + 1), false);
  val result = val::object();
  const bool ok = problems["length"].as<std::size_t>() == 0;
  result.set("ok", ok);
  result.set("problems", problems);
  result.set("input", ok ? bytes(out) : val::null());
  return result;
}

}  // namespace vorn::web
