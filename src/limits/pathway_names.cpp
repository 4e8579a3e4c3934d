#include "limits/pathway_names.hpp"

#include "vorn/records.hpp"

namespace vorn {
namespace {

struct Names {
  const char* code;
  const char* words;
};

constexpr Names kGroundwater[kPathways] = {{"GWINGESTION", "groundwater ingestion"},
                                           {"GWINHALATION", "indoor inhalation"},
                                           {"GWDERMAL-ADT", "dermal contact, adult"},
                                           {"GWDERMAL-CHD", "dermal contact, child"},
                                           {"MCL", "drinking-water limit"}};
constexpr Names kSurface[kPathways] = {{"SWINGESTION", "surface-water ingestion"},
                                       {"AIRPARTINHAL", "particulate inhalation"},
                                       {"SWFISHINGEST", "fish ingestion"},
                                       {"SOILINGESTION", "soil ingestion"},
                                       {"AIRVOLATINHAL", "volatile inhalation"}};

}  // namespace

const char* gw_pathname(int k) {
  return kGroundwater[k - 1].code;
}
const char* sf_pathname(int k) {
  return kSurface[k - 1].code;
}
const char* gw_pathway_words(int k) {
  return kGroundwater[k - 1].words;
}
const char* sf_pathway_words(int k) {
  return kSurface[k - 1].words;
}

}  // namespace vorn
