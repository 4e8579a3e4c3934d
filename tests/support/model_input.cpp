#include "support/model_input.hpp"

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "input/chemical_records.hpp"
#include "input/site_parameters.hpp"

namespace vorn::test {

ModelInput read_model_input(const std::string& text) {
  ModelInput m;
  InputFile in(text);
  StringSink log;
  const LogUnit debug(log, kDebugUnit);
  m.unit_read = readsiteparameters(in, debug);
  if (Failure f = derive_unit(m.unit_read, m.unit)) debug.stop(f);
  readchemicals(in, debug, m.chemicals);
  readdaftable(in, debug, *m.daf);
  return m;
}

}  // namespace vorn::test
