#include "chemicals/stream_sheet.hpp"

#include <algorithm>
#include <map>

#include "chemicals/csv_records.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/decimal_text.hpp"
#include "chemicals/record_fields.hpp"
#include "core/free_form.hpp"
#include "input/unit_checks.hpp"

namespace vorn::chemicals {
namespace {

constexpr const char* kFixedColumns[] = {"CAS", "TCLPCONC", "TCLPFLAG", "TOTC", "TOTFLAG"};
constexpr std::size_t kFixedCount = std::size(kFixedColumns);
constexpr const char* kFractionKey = "f_oc";
constexpr std::size_t kNameLimit = 255;

std::string trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return std::string(text);
}

bool blank_record(const CsvRecord& r) {
  return std::all_of(r.fields.begin(), r.fields.end(),
                     [](const std::string& f) { return trimmed(f).empty(); });
}

std::optional<double> real_of(std::string_view text) {
  return is_decimal(text) ? decimal_value(text) : std::nullopt;
}

std::string one_character(std::string_view text) {
  if (text.size() != 1 || text[0] == ' ') return "should be one character";
  return {};
}

class SheetReader {
 public:
  SheetReader(const std::vector<CsvRecord>& records, const std::string& file, StreamSheet& out)
      : records_(records), file_(file), out_(out) {}

  void read() {
    std::size_t k = read_unit();
    while (k < records_.size() && blank_record(records_[k])) ++k;
    if (k == records_.size()) {
      problems_.add(file_ +
                    ": no chemical table: after the unit rows and one blank line, a "
                    "header row CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG[,FIELD...][,note]");
    } else if (read_header(records_[k])) {
      for (++k; k < records_.size(); ++k)
        if (!blank_record(records_[k])) read_row(records_[k]);
    }
    problems_.throw_if_any();
  }

 private:
  std::string at(std::size_t line) const { return file_ + ":" + std::to_string(line) + ": "; }

  // The key,value rows up to the first blank one; returns the index after them.
  std::size_t read_unit() {
    std::map<std::string, std::size_t> seen;
    std::size_t k = 0;
    for (; k < records_.size() && !blank_record(records_[k]); ++k) {
      const CsvRecord& r = records_[k];
      const std::string key = trimmed(r.fields[0]);
      if (key == kFixedColumns[0]) {
        problems_.add(at(r.line) + "the chemical table needs one blank line before its header");
        return k;
      }
      const bool extra =
          std::any_of(r.fields.begin() + std::min<std::size_t>(2, r.fields.size()), r.fields.end(),
                      [](const std::string& f) { return !trimmed(f).empty(); });
      if (r.fields.size() < 2 || extra) {
        problems_.add(at(r.line) + "a unit row is key,value");
        continue;
      }
      if (!seen.emplace(key, r.line).second) {
        problems_.add(at(r.line) + key + " is given twice");
        continue;
      }
      unit_value(key, trimmed(r.fields[1]), r.line);
    }
    std::string missing;
    for (const char* key : kUnitKeys)
      if (!seen.count(key)) missing += (missing.empty() ? "" : ", ") + std::string(key);
    if (!missing.empty())
      problems_.add(file_ + ":" + std::to_string(k < records_.size() ? records_[k].line : 1) +
                    ": the unit rows lack " + missing);
    return k;
  }

  void unit_value(const std::string& key, const std::string& text, std::size_t line) {
    WasteUnit& wu = out_.unit;
    const auto real = [&](double& target) {
      if (auto v = real_of(text))
        target = *v;
      else
        problems_.add(at(line) + key + " \"" + text + "\" is not a number");
    };
    const auto integer = [&](std::int32_t& target) {
      if (!parse_integer(text, target))
        problems_.add(at(line) + key + " \"" + text + "\" is not a 32-bit integer");
    };
    const auto check = [&](const Failure& f, const char* what) {
      if (f) problems_.add(at(line) + key + " " + text + ": " + what);
    };
    if (key == "WU_SITEKEY") {
      integer(wu.WU_SITEKEY);
    } else if (key == "WU_WMUTYPE") {
      wu.WU_WMUTYPE = text;
      for (char& c : wu.WU_WMUTYPE)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      check(check_unit_type(text), "the unit type is LF (landfill) or SI (surface impoundment)");
    } else if (key == "WU_RISKFACT") {
      real(wu.WU_RISKFACT);
    } else if (key == "WU_HQFACT") {
      real(wu.WU_HQFACT);
    } else if (key == "WU_WASTEVOL") {
      real(wu.WU_WASTEVOL);
      check(check_waste_volume(wu.WU_WASTEVOL), "the waste volume must be above 0");
    } else if (key == "WU_VOLUNIT") {
      std::int32_t unit = 0;
      integer(unit);
      check(check_volume_unit(unit), "0 cubic yards, 1 cubic feet or 2 cubic metres");
      wu.WU_VOLUNIT = static_cast<std::int16_t>(unit);
    } else if (key == "WU_ACTLIFE") {
      real(wu.WU_ACTLIFE);
      check(check_active_life(wu.WU_ACTLIFE), "the active life must be above 0 years");
    } else if (key == "WU_SIFLOW") {
      real(wu.WU_SIFLOW);
    } else if (key == kFractionKey) {
      const auto v = real_of(text);
      if (!v || !(*v > 0.0 && *v <= 1.0))
        problems_.add(at(line) + "f_oc \"" + text + "\" is a fraction above 0, at most 1");
      else
        out_.f_oc = *v;
    } else {
      problems_.add(at(line) + "unknown key \"" + key + "\": the unit rows are WU_SITEKEY ... " +
                    "WU_SIFLOW and f_oc");
    }
  }

  bool read_header(const CsvRecord& r) {
    columns_.clear();
    for (const std::string& cell : r.fields) columns_.push_back(trimmed(cell));
    while (!columns_.empty() && columns_.back().empty()) columns_.pop_back();
    bool ok = columns_.size() >= kFixedCount;
    for (std::size_t k = 0; ok && k < kFixedCount; ++k) ok = columns_[k] == kFixedColumns[k];
    if (!ok) {
      problems_.add(at(r.line) + "the header row starts CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG");
      return false;
    }
    for (std::size_t k = kFixedCount; k < columns_.size(); ++k) {
      const std::string& name = columns_[k];
      if (std::count(columns_.begin(), columns_.begin() + static_cast<long>(k), name) > 0) {
        problems_.add(at(r.line) + "the column " + name + " appears twice");
        ok = false;
      } else if (name == "ORDI") {
        problems_.add(at(r.line) +
                      "the column ORDI: the sheet takes the reference "
                      "concentration as RFCI (mg/m3)");
        ok = false;
      } else if (name != "note" && record_field(name) == nullptr) {
        problems_.add(at(r.line) + "unknown column \"" + name +
                      "\": override columns are named as the fields of VORN.IN");
        ok = false;
      }
    }
    return ok;
  }

  void read_row(const CsvRecord& r) {
    const std::size_t used =
        r.fields.size() - static_cast<std::size_t>(std::find_if(r.fields.rbegin(), r.fields.rend(),
                                                                [](const std::string& f) {
                                                                  return !trimmed(f).empty();
                                                                }) -
                                                   r.fields.rbegin());
    if (used > columns_.size()) {
      problems_.add(at(r.line) + std::to_string(used) + " cells, the header names " +
                    std::to_string(columns_.size()));
      return;
    }
    const auto cell = [&](std::size_t k) {
      return k < r.fields.size() ? trimmed(r.fields[k]) : std::string();
    };
    SheetRow row;
    row.line = r.line;
    row.key = parse_key(cell(0));
    if (std::string why = id_problem(row.key.id); !why.empty()) problems_.add(at(r.line) + why);
    const auto concentration = [&](std::size_t k, double& target) {
      if (auto v = real_of(cell(k)))
        target = *v;
      else
        problems_.add(at(r.line) + kFixedColumns[k] + " \"" + cell(k) + "\" is not a number");
    };
    const auto flag = [&](std::size_t k, std::string& target) {
      target = cell(k);
      if (std::string why = one_character(target); !why.empty())
        problems_.add(at(r.line) + kFixedColumns[k] + " \"" + target + "\" " + why);
    };
    concentration(1, row.TCLPCONC);
    flag(2, row.TCLPFLAG);
    concentration(3, row.TOTC);
    flag(4, row.TOTFLAG);
    for (std::size_t k = kFixedCount; k < columns_.size(); ++k) {
      const std::string text = cell(k);
      if (columns_[k] == "note") {
        row.note = text;
      } else if (!text.empty()) {
        if (std::string why = override_problem(columns_[k], text); !why.empty())
          problems_.add(at(r.line) + columns_[k] + " \"" + text + "\" " + why);
        row.overrides.push_back({columns_[k], text});
      }
    }
    out_.rows.push_back(std::move(row));
  }

  const std::vector<CsvRecord>& records_;
  const std::string& file_;
  StreamSheet& out_;
  std::vector<std::string> columns_;
  Problems problems_;
};

}  // namespace

std::string override_problem(std::string_view field, std::string_view text) {
  const RecordField* f = record_field(field);
  if (f == nullptr) return "is not a field of the record";
  switch (f->kind) {
    case RecordKind::real:
      return real_of(text) ? std::string() : "is not a number";
    case RecordKind::integer:
      return text == "0" || text == "1" ? std::string() : "is 1 (organic) or 0 (inorganic)";
    case RecordKind::flag:
      return text == "C" || text == "N" ? std::string()
                                        : "is C (carcinogenic) or N (non-carcinogenic)";
    case RecordKind::name:
      if (text.find('@') != std::string_view::npos) return "holds \"@\", which ends a name";
      if (text.find_first_of("\r\n") != std::string_view::npos) return "holds a line break";
      if (text.size() > kNameLimit)
        return "is longer than the " + std::to_string(kNameLimit) + " characters a run keeps";
      return {};
  }
  return {};
}

StreamSheet read_stream_sheet(std::string_view text, const std::string& file) {
  const std::vector<CsvRecord> records = csv_records(text, file, CsvOptions{true});
  StreamSheet sheet;
  sheet.file = file;
  SheetReader(records, file, sheet).read();
  return sheet;
}

}  // namespace vorn::chemicals
