// The sheets a page prints on.
#pragma once

#include <optional>
#include <string_view>

namespace vorn::pdf {

enum class Paper { a4, letter };

// In inches, as the browser takes them.
struct PaperSize {
  double width = 0;
  double height = 0;
};

PaperSize paper_size(Paper paper);

// "a4" or "letter"; none for any other name.
std::optional<Paper> paper_named(std::string_view name);

}  // namespace vorn::pdf
