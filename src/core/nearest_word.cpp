#include "core/nearest_word.hpp"

#include <algorithm>
#include <numeric>

namespace vorn {
namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_but_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower(x) == lower(y); });
}

bool starts_with(std::string_view text, std::string_view prefix) {
  return text.size() > prefix.size() && same_but_case(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::size_t edit_distance(std::string_view a, std::string_view b) {
  // One row of the table at a time.
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t cost = lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1;
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + cost});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::optional<std::string> nearest_word(std::string_view word,
                                        const std::vector<std::string>& accepted) {
  if (word.empty()) return std::nullopt;
  for (const std::string& a : accepted)
    if (same_but_case(a, word)) return a;
  const std::string* best = nullptr;
  for (const std::string& a : accepted)
    if (starts_with(a, word) && (best == nullptr || a.size() < best->size())) best = &a;
  if (best != nullptr) return *best;
  std::size_t best_distance = 0;
  for (const std::string& a : accepted) {
    const std::size_t d = edit_distance(word, a);
    const std::size_t allowed = std::max<std::size_t>(1, std::max(word.size(), a.size()) / 3);
    if (d <= allowed && (best == nullptr || d < best_distance)) {
      best = &a;
      best_distance = d;
    }
  }
  if (best == nullptr) return std::nullopt;
  return *best;
}

std::string word_list(const std::vector<std::string>& words, std::string_view last) {
  std::string out;
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (k > 0) out += k + 1 == words.size() ? " " + std::string(last) + " " : ", ";
    out += words[k];
  }
  return out;
}

}  // namespace vorn
