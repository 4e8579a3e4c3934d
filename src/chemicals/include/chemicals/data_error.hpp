// Input that cannot be used: every problem found, each naming its file and place.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::chemicals {

class DataError : public std::runtime_error {
 public:
  explicit DataError(std::vector<std::string> problems)
      : std::runtime_error(joined(problems)), problems_(std::move(problems)) {}
  explicit DataError(const std::string& problem) : DataError(std::vector<std::string>{problem}) {}
  // "FILE:LINE: reason" (tables: "FILE:RECORD:COLUMN: reason"), in the order found.
  const std::vector<std::string>& problems() const { return problems_; }

 private:
  static std::string joined(const std::vector<std::string>& problems) {
    std::string out;
    for (const std::string& p : problems) out += (out.empty() ? "" : "\n") + p;
    return out;
  }
  std::vector<std::string> problems_;
};

// Gathers problems, up to a limit, so that one pass reports them all.
class Problems {
 public:
  static constexpr std::size_t kLimit = 50;
  void add(std::string problem) {
    if (list_.size() < kLimit) list_.push_back(std::move(problem));
    ++count_;
  }
  bool empty() const { return count_ == 0; }
  // Throws them as one DataError (with the number left out, if any).
  void throw_if_any() const {
    if (count_ == 0) return;
    std::vector<std::string> out = list_;
    if (count_ > list_.size())
      out.push_back("... and " + std::to_string(count_ - list_.size()) + " more problems");
    throw DataError(std::move(out));
  }

 private:
  std::vector<std::string> list_;
  std::size_t count_ = 0;
};

}  // namespace vorn::chemicals
