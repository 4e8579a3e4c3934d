// The engine module of the page, its worker and the node tests (embind): the functions
// JavaScript calls, each over the engine's drivers.
#include <emscripten/bind.h>

#include <string>

#include "distribution_binding.hpp"
#include "export/readable_number.hpp"
#include "input_binding.hpp"
#include "library_binding.hpp"
#include "mc_binding.hpp"
#include "run_binding.hpp"
#include "vorn/version.hpp"

namespace {

std::string engine_version() {
  return vorn::kVersion;
}

}  // namespace

EMSCRIPTEN_BINDINGS(vorn_engine) {
  using emscripten::function;
  function("version", &engine_version);
  function("runInput", &vorn::web::run_input);
  function("mcPlan", &vorn::web::mc_plan);
  function("mcShard", &vorn::web::mc_shard);
  function("mcDocuments", &vorn::web::mc_documents);
  function("readValue", &vorn::web::read_value);
  function("checkUnit", &vorn::web::check_unit);
  function("checkChemical", &vorn::web::check_chemical);
  function("checkChemicals", &vorn::web::check_chemicals);
  function("checkDaf", &vorn::web::check_daf);
  function("formOfInput", &vorn::web::form_of_input);
  function("writeInput", &vorn::web::write_input);
  function("loadLibrary", &vorn::web::load_library);
  function("findChemicals", &vorn::web::find_chemicals);
  function("fillChemical", &vorn::web::fill_chemical);
  function("fillSheet", &vorn::web::fill_sheet);
  function("distributionPreview", &vorn::web::distribution_preview);
  function("distributionFamilies", &vorn::web::distribution_families);
  function("readableNumber", &vorn::readable_number);
}
