// Chemicals that the pathways treat specially, recognised by CAS number.
#pragma once

#include <string_view>

#include "core/text.hpp"

namespace vorn {

inline constexpr std::string_view kLeadCas = "7439-92-1";
inline constexpr std::string_view kMercuryCas = "7439-97-6";
inline constexpr std::string_view kMethylmercuryCas = "22967-92-6";

// Compares after the trailing blanks are removed (a leading blank makes no match).
inline bool is_cas(std::string_view chemcas, std::string_view cas) {
  return trim_trailing(chemcas) == cas;
}

}  // namespace vorn
