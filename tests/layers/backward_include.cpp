// A groundwater-level file that reaches up into the report: this must not compile.
#include "report/report_writer.hpp"

int vorn_layer_probe_backward() {
  return 0;
}
