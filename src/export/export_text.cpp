#include "export/export_text.hpp"

#include "core/text.hpp"

namespace vorn {

std::string export_text(std::string_view text) {
  return latin1_to_utf8(trim_trailing(text));
}

}  // namespace vorn
