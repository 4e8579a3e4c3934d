// A groundwater-level file may use the layers below it.
#include "core/failure.hpp"
#include "input/daf_table.hpp"

int vorn_layer_probe_downward() {
  return vorn::kDafCapacity;
}
