// An export file that reaches up into the run layer's entry: this must not compile. The
// exports read an outcome; they never start a run.
#include "vorn/run.hpp"

int vorn_layer_probe_export_reaches_run() {
  return 0;
}
