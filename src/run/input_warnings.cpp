#include "run/input_warnings.hpp"

#include <cmath>
#include <cstdio>
#include <type_traits>

#include "core/text.hpp"
#include "groundwater/daf_curve.hpp"
#include "input/site_parameters.hpp"

namespace vorn {
namespace {

std::string number_words(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

std::string chemical_words(std::size_t k, const Chemical& c) {
  return "chemical " + std::to_string(k + 1) + " \"" + std::string(trim_trailing(c.CHEMNAME)) +
         "\" (" + std::string(trim_blanks(trim_trailing(c.CHEMCAS))) + ")";
}

// "FIELD is NaN" for each NaN among the fields `each` hands over.
template <typename Each>
void nan_fields(const std::string& owner, Each&& each, std::vector<std::string>& out) {
  each([&](const char* name, const auto& value) {
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, double>) {
      if (std::isnan(value))
        out.push_back(owner + ": " + name + " is NaN (not a number); the run carries it through");
    }
  });
}

std::string daf_used(const UnitModel& unit, const Chemical& c) {
  const bool landfill = unit.wu.is_landfill();
  const double own = landfill ? c.DAFLF : c.DAFSI;
  std::string text;
  double daf = own;
  if (own <= 0.0) {
    daf = landfill ? kDefaultDafLandfill : kDefaultDafImpoundment;
    text = std::string("the default ") + (landfill ? "landfill" : "surface impoundment") + " DAF " +
           number_words(daf);
  } else {
    text = std::string("its own ") + (landfill ? "DAFLF " : "DAFSI ") + number_words(own);
  }
  if (unit.DAF_SCALE != 1.0)
    text += ", times the unit's scale factor " + number_words(unit.DAF_SCALE) + ": " +
            number_words(daf * unit.DAF_SCALE);
  return text;
}

}  // namespace

std::vector<std::string> input_warnings(const UnitModel& unit,
                                        const std::vector<Chemical>& chemicals,
                                        const std::vector<DafRowMatch>& rows, const DafTable& daf) {
  std::vector<std::string> out;
  nan_fields(
      "the unit lines", [&](auto&& f) { for_each_site_parameter(unit.wu, f); }, out);
  for (std::size_t k = 0; k < chemicals.size(); ++k) {
    const Chemical& c = chemicals[k];
    nan_fields(
        chemical_words(k, c),
        [&](auto&& f) {
#define VORN_FIELD(name, kind) f(#name, c.name);
          VORN_CHEMICAL_FIELDS(VORN_FIELD)
#undef VORN_FIELD
        },
        out);
  }
  for (int r = 1; r <= daf.NDAF; ++r) {
    const DafRow& row = daf.row(r);
    nan_fields(
        "DAF row " + std::to_string(r) + " (" +
            std::string(trim_blanks(trim_trailing(row.CHEMCAS))) + ")",
        [&](auto&& f) { for_each_daf_field(row, f); }, out);
  }
  for (std::size_t k = 0; k < chemicals.size() && k < rows.size(); ++k) {
    if (rows[k].count == 0 && !rows[k].overflow)
      out.push_back(chemical_words(k, chemicals[k]) + " has no DAF rows: the run used " +
                    daf_used(unit, chemicals[k]));
  }
  return out;
}

}  // namespace vorn
