// The scenario reader on arbitrary bytes, resolved against the landfill example's chemicals:
// a scenario is refused with every problem placed in its file ("s.toml:line:column: key:
// ..."), or it is accepted, its canonical form reads back as itself, and each of its
// distributions draws a finite number at every probability.
#include <cmath>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "core/sink.hpp"
#include "fuzz_check.hpp"
#include "input/chemical_records.hpp"
#include "input/daf_table.hpp"
#include "input/site_parameters.hpp"
#include "scenario/input_domains.hpp"
#include "scenario/plan_from_scenario.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_error.hpp"
#include "scenario/scenario_json.hpp"
#include "scenario/scenario_reader.hpp"

namespace {

using vorn::test::fuzz_require;
namespace sc = vorn::scenario;

struct Landfill {
  std::string bytes;
  vorn::WasteUnit unit;
  std::vector<vorn::Chemical> chemicals;
};

const Landfill& landfill() {
  static const Landfill fixture = [] {
    Landfill l;
    std::ifstream file(VORN_EXAMPLES_DIR "/landfill/VORN.IN", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    l.bytes = text.str();
    vorn::InputFile in(l.bytes);
    vorn::StringSink log;
    const vorn::LogUnit debug(log, vorn::kDebugUnit);
    l.unit = vorn::readsiteparameters(in, debug);
    vorn::readchemicals(in, debug, l.chemicals);
    return l;
  }();
  return fixture;
}

void check_refusal(const sc::ScenarioError& e) {
  fuzz_require(!e.messages().empty(), "a refusal without a problem");
  for (const std::string& m : e.messages())
    fuzz_require(m.rfind("s.toml:", 0) == 0, "a problem that does not name s.toml: " + m);
}

void check_accepted(const sc::Scenario& scenario) {
  const Landfill& l = landfill();
  const sc::ResolvedScenario resolved = sc::resolve_scenario(scenario, l.chemicals, l.bytes);
  const std::string canonical = sc::to_json(resolved);
  fuzz_require(sc::to_json(sc::from_json(canonical)) == canonical,
               "a canonical form that does not read back as itself");
  sc::check_domains(scenario, resolved, l.unit, l.chemicals);
  const sc::SamplingPlan plan =
      sc::plan_from_scenario(resolved, l.chemicals, sc::ChemicalValues::read);
  for (const auto& p : plan.parameters)
    for (const double u : {0x1p-54, 1e-9, 0.25, 0.5, 0.75, 1 - 1e-9, 1 - 0x1p-53})
      fuzz_require(std::isfinite(p.distribution.quantile(u)),
                   "an accepted distribution draws a value that is not finite");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    check_accepted(sc::parse_scenario(text, "s.toml", true));
  } catch (const sc::ScenarioError& e) {
    check_refusal(e);
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("the scenario reader threw ") + e.what());
  }
  return 0;
}
