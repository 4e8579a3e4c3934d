// Reading a scenario file (TOML) into a Scenario, every problem listed with its place.
#pragma once

#include <filesystem>
#include <string_view>

#include "scenario/scenario.hpp"

namespace vorn::scenario {

// Throw ScenarioError listing every problem. A TOML seed is at most 2^63 - 1 (TOML
// integers are signed); the command line reaches the whole 64 bits.
Scenario read_scenario(const std::filesystem::path& file);
// `input_given`: the caller supplies VORN.IN's text, so the scenario need not name it.
Scenario parse_scenario(std::string_view toml_text, std::string_view file_name_for_messages,
                        bool input_given = false);

}  // namespace vorn::scenario
