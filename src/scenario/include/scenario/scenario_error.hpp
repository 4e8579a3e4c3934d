// The problems of a scenario file, each with its place, collected to be reported together.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorn::scenario {

// Every problem found in a scenario, each "file:line:column: key: message"; what()
// joins them with newlines. Thrown only after all of them have been collected.
class ScenarioError : public std::runtime_error {
 public:
  explicit ScenarioError(std::vector<std::string> messages);
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

// 1-based, as editors count; 0 where there is no position (a key that is missing).
struct SourcePosition {
  std::uint32_t line = 0;
  std::uint32_t column = 0;
};

// "file:line:column: key: message"; without the key when it is empty.
std::string located_message(std::string_view file, SourcePosition at, std::string_view key,
                            std::string_view message);

// Collects the problems of one file to throw them together, in the order of the file.
class ScenarioProblems {
 public:
  explicit ScenarioProblems(std::string file) : file_(std::move(file)) {}
  void add(SourcePosition at, std::string_view key, std::string_view message);
  std::size_t count() const { return problems_.size(); }
  // Throws ScenarioError when there are any.
  void throw_if_any();

 private:
  std::string file_;
  std::vector<std::pair<SourcePosition, std::string>> problems_;
};

}  // namespace vorn::scenario
