// Reading one [[correlate]] table.
#pragma once

#include "scenario_toml.hpp"

namespace vorn::scenario {

// The [[correlate]] table `name` ("correlate[2]").
CorrelateEntry read_correlate(TomlReader& reader, const toml::table& table,
                              const std::string& name);

}  // namespace vorn::scenario
