#include "input/input_writer.hpp"

#include <stdexcept>

#include "core/text.hpp"
#include "input/free_form_items.hpp"

namespace vorn {
namespace {

// The reader cuts property lines to this width.
constexpr std::size_t kPropertyLineWidth = 1024;
// The reader keeps the first character of the 13 it reads for CARCTYPE.
constexpr std::size_t kCarctypeWidth = 1;
constexpr std::size_t kUnitTypeWidth = 2;
constexpr std::size_t kFlagWidth = 1;

constexpr const char* kPropertyHeading =
    "CHEMNAME @ CHEMCAS MCL CSFO CSFI ORDO ORDI BCF SOILST TOX_C HENRY DIFFW DIFFA SOL DAFLF "
    "DAFSI TSTAR KPW TAU BUNGE ORGANIC BAF ECOCHRON CARCTYPE MW VP KDSW LOGKOW";
constexpr const char* kConcentrationHeading = "TCLPCONC TCLPFLAG TOTC TOTFLAG";
constexpr const char* kDafHeading = "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON";

// Appends items separated by blanks, naming each field in messages.
class LineBuilder {
 public:
  explicit LineBuilder(std::string owner) : owner_(std::move(owner)) {}

  LineBuilder& real(const char* field, double value) { return add(real_item(value, what(field))); }
  LineBuilder& integer(std::int64_t value) { return add(integer_item(value)); }
  LineBuilder& text(const char* field, const std::string& value, std::size_t width) {
    return add(text_item(value, width, what(field)));
  }
  LineBuilder& raw(std::string_view text) {
    line_ += text;
    return *this;
  }
  const std::string& line() const { return line_; }
  const std::string& owner() const { return owner_; }

 private:
  std::string what(const char* field) const {
    return owner_.empty() ? std::string(field) : std::string(field) + " of " + owner_;
  }
  LineBuilder& add(const std::string& item) {
    if (!line_.empty() && line_.back() != ' ') line_ += ' ';
    line_ += item;
    return *this;
  }

  std::string owner_;
  std::string line_;
};

std::string chemical_owner(std::size_t index, const Chemical& c) {
  return "chemical " + std::to_string(index + 1) + " (\"" + std::string(trim_trailing(c.CHEMNAME)) +
         "\")";
}

void append_line(std::string& out, const std::string& line) {
  out += line;
  out += '\n';
}

void write_site(std::string& out, const WasteUnit& wu) {
  append_line(out, integer_item(wu.WU_SITEKEY));
  // The reader returns the type in capitals.
  for (char c : wu.WU_WMUTYPE) {
    if (c >= 'a' && c <= 'z')
      throw std::invalid_argument("WU_WMUTYPE: not in capitals, as the input gives it back");
  }
  append_line(out, text_item(wu.WU_WMUTYPE, kUnitTypeWidth, "WU_WMUTYPE"));
  append_line(out, real_item(wu.WU_RISKFACT, "WU_RISKFACT"));
  append_line(out, real_item(wu.WU_HQFACT, "WU_HQFACT"));
  append_line(out, real_item(wu.WU_WASTEVOL, "WU_WASTEVOL"));
  append_line(out, integer_item(wu.WU_VOLUNIT));
  append_line(out, real_item(wu.WU_ACTLIFE, "WU_ACTLIFE"));
  append_line(out, real_item(wu.WU_SIFLOW, "WU_SIFLOW"));
}

std::string property_line(std::size_t index, const Chemical& c) {
  LineBuilder b(chemical_owner(index, c));
  // The reader splits at the first "@" and skips the character after it.
  const std::string_view name = trim_trailing(c.CHEMNAME);
  if (name.find('@') != std::string_view::npos)
    throw std::invalid_argument("CHEMNAME of " + b.owner() + ": holds \"@\"");
  if (name.find('\n') != std::string_view::npos)
    throw std::invalid_argument("CHEMNAME of " + b.owner() + ": holds a line feed");
  if (name.size() > kNameWidth) {
    throw std::invalid_argument("CHEMNAME of " + b.owner() + ": longer than the " +
                                std::to_string(kNameWidth) + " characters the input keeps");
  }
  b.raw(name).raw(" @ ");
  b.text("CHEMCAS", c.CHEMCAS, kCasWidth)
      .real("MCL", c.MCL)
      .real("CSFO", c.CSFO)
      .real("CSFI", c.CSFI)
      .real("ORDO", c.ORDO)
      .real("ORDI", c.ORDI)
      .real("BCF", c.BCF)
      .real("SOILST", c.SOILST)
      .real("TOX_C", c.TOX_C)
      .real("HENRY", c.HENRY)
      .real("DIFFW", c.DIFFW)
      .real("DIFFA", c.DIFFA)
      .real("SOL", c.SOL)
      .real("DAFLF", c.DAFLF)
      .real("DAFSI", c.DAFSI)
      .real("TSTAR", c.TSTAR)
      .real("KPW", c.KPW)
      .real("TAU", c.TAU)
      .real("BUNGE", c.BUNGE)
      .integer(c.ORGANIC)
      .real("BAF", c.BAF)
      .real("ECOCHRON", c.ECOCHRON)
      .text("CARCTYPE", c.CARCTYPE, kCarctypeWidth)
      .real("MW", c.MW)
      .real("VP", c.VP)
      .real("KDSW", c.KDSW)
      .real("LOGKOW", c.LOGKOW);
  if (b.line().size() > kPropertyLineWidth) {
    throw std::invalid_argument("property line of " + b.owner() + ": longer than the " +
                                std::to_string(kPropertyLineWidth) + " characters the input reads");
  }
  return b.line();
}

std::string concentration_line(std::size_t index, const Chemical& c) {
  LineBuilder b(chemical_owner(index, c));
  b.real("TCLPCONC", c.TCLPCONC)
      .text("TCLPFLAG", c.TCLPFLAG, kFlagWidth)
      .real("TOTC", c.TOTC)
      .text("TOTFLAG", c.TOTFLAG, kFlagWidth);
  return b.line();
}

std::string daf_line(int r, const DafRow& row) {
  LineBuilder b("DAF row " + std::to_string(r));
  b.text("CHEMCAS", row.CHEMCAS, kDafKeyWidth)
      .real("LFCONC", row.LFCONC)
      .real("LFCAR", row.LFCAR)
      .real("LFNON", row.LFNON)
      .real("SICONC", row.SICONC)
      .real("SICAR", row.SICAR)
      .real("SINON", row.SINON);
  return b.line();
}

}  // namespace

std::string write_input_text(const WasteUnit& unit_as_read,
                             const std::vector<Chemical>& chemicals_as_read, const DafTable& daf) {
  if (daf.NDAF < 0 || daf.NDAF > kDafCapacity) {
    throw std::invalid_argument("NDAF: " + std::to_string(daf.NDAF) +
                                " rows, the input holds 0 to " + std::to_string(kDafCapacity));
  }
  std::string out;
  write_site(out, unit_as_read);
  append_line(out, integer_item(static_cast<std::int64_t>(chemicals_as_read.size())));
  append_line(out, kPropertyHeading);
  for (std::size_t i = 0; i < chemicals_as_read.size(); ++i)
    append_line(out, property_line(i, chemicals_as_read[i]));
  append_line(out, kConcentrationHeading);
  for (std::size_t i = 0; i < chemicals_as_read.size(); ++i)
    append_line(out, concentration_line(i, chemicals_as_read[i]));
  append_line(out, kDafHeading);
  for (int r = 1; r <= daf.NDAF; ++r) append_line(out, daf_line(r, daf.row(r)));
  return out;
}

}  // namespace vorn
