#include "pdf/paper.hpp"

namespace vorn::pdf {

PaperSize paper_size(Paper paper) {
  // A4 is 210 mm x 297 mm; Letter 8.5 in x 11 in.
  if (paper == Paper::letter) return {8.5, 11.0};
  return {210.0 / 25.4, 297.0 / 25.4};
}

std::optional<Paper> paper_named(std::string_view name) {
  if (name == "a4") return Paper::a4;
  if (name == "letter") return Paper::letter;
  return std::nullopt;
}

}  // namespace vorn::pdf
