// A VORN.IN read as the model entry takes it: the unit derived, the chemicals as read, the
// DAF table.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "input/daf_table.hpp"
#include "model/chemical_model.hpp"
#include "model/unit_model.hpp"

namespace vorn::test {

struct ModelInput {
  WasteUnit unit_read;
  UnitModel unit;
  std::vector<Chemical> chemicals;
  std::unique_ptr<DafTable> daf = std::make_unique<DafTable>();
  ModelSite site() const { return ModelSite{unit, *daf}; }
};

// Throws what the run would stop with.
ModelInput read_model_input(const std::string& text);

}  // namespace vorn::test
