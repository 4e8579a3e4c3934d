#include "input/input_records.hpp"

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "input/chemical_records.hpp"
#include "input/site_parameters.hpp"

namespace vorn {

InputRecords read_input_records(std::string bytes) {
  InputFile in(std::move(bytes));
  StringSink echo;
  const LogUnit debug(echo, kDebugUnit);
  InputRecords records;
  records.unit = readsiteparameters(in, debug);
  readchemicals(in, debug, records.chemicals);
  readdaftable(in, debug, *records.daf);
  return records;
}

}  // namespace vorn
