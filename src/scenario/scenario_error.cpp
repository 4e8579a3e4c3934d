#include "scenario/scenario_error.hpp"

#include <algorithm>

namespace vorn::scenario {

namespace {

std::string joined(const std::vector<std::string>& messages) {
  std::string text;
  for (const auto& m : messages) {
    if (!text.empty()) text += '\n';
    text += m;
  }
  return text;
}

}  // namespace

ScenarioError::ScenarioError(std::vector<std::string> messages)
    : std::runtime_error(joined(messages)), messages_(std::move(messages)) {}

std::string located_message(std::string_view file, SourcePosition at, std::string_view key,
                            std::string_view message) {
  std::string text(file);
  text += ':' + std::to_string(at.line) + ':' + std::to_string(at.column) + ": ";
  if (!key.empty()) {
    text += key;
    text += ": ";
  }
  text += message;
  return text;
}

void ScenarioProblems::add(SourcePosition at, std::string_view key, std::string_view message) {
  problems_.emplace_back(at, located_message(file_, at, key, message));
}

void ScenarioProblems::throw_if_any() {
  if (problems_.empty()) return;
  std::stable_sort(problems_.begin(), problems_.end(), [](const auto& a, const auto& b) {
    return std::pair(a.first.line, a.first.column) < std::pair(b.first.line, b.first.column);
  });
  std::vector<std::string> messages;
  for (auto& p : problems_) messages.push_back(std::move(p.second));
  problems_.clear();
  throw ScenarioError(std::move(messages));
}

}  // namespace vorn::scenario
