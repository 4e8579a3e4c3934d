#include "mc/unit_pool.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace vorn::mc {
namespace {

std::string what_of(const std::exception_ptr& thrown) {
  try {
    std::rethrow_exception(thrown);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an error that is not a standard exception";
  }
}

// The first failure by unit number; a worker that cannot start counts below every unit.
class Failures {
 public:
  static constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();

  void record(std::uint64_t unit, bool unit_failed, std::exception_ptr thrown) {
    const std::lock_guard lock(mutex_);
    const std::uint64_t rank = unit_failed ? unit : 0;
    if (!thrown_ || rank < rank_ || (rank == rank_ && !unit_failed)) {
      rank_ = rank;
      unit_ = unit;
      unit_failed_ = unit_failed;
      thrown_ = std::move(thrown);
    }
    lowest_.store(std::min(lowest_.load(), rank));
  }
  // Units above this one need not run: a lower one failed.
  std::uint64_t lowest() const { return lowest_.load(std::memory_order_relaxed); }
  bool any() const { return lowest() != kNone; }

  void throw_if_any(const char* word) const {
    if (!thrown_) return;
    if (!unit_failed_) std::rethrow_exception(thrown_);
    throw UnitFailure(word, unit_, what_of(thrown_));
  }

 private:
  std::mutex mutex_;
  std::exception_ptr thrown_;
  std::uint64_t rank_ = kNone, unit_ = 0;
  bool unit_failed_ = false;
  std::atomic<std::uint64_t> lowest_{kNone};
};

}  // namespace

UnitFailure::UnitFailure(const std::string& word, std::uint64_t unit, const std::string& reason)
    : std::runtime_error(word + " " + std::to_string(unit) + ": " + reason), unit_(unit) {}

void run_units(std::uint64_t first, std::uint64_t last, const UnitPool& pool,
               const std::function<UnitRunner(unsigned worker)>& worker,
               const std::function<void(unsigned worker, std::uint64_t units)>& chunk_done) {
  if (last < first) return;
  const std::uint64_t chunk = std::max<std::uint64_t>(pool.chunk, 1);
  const std::uint64_t chunks = (last - first) / chunk + 1;
  const auto workers = static_cast<unsigned>(std::clamp<std::uint64_t>(pool.threads, 1, chunks));
  std::atomic<std::uint64_t> next_chunk{0};
  Failures failures;
  auto work = [&](unsigned w) {
    UnitRunner run;
    try {
      run = worker(w);
    } catch (...) {
      failures.record(0, false, std::current_exception());
      return;
    }
    while (!failures.any()) {
      const std::uint64_t k = next_chunk.fetch_add(1);
      if (k >= chunks) break;
      const std::uint64_t start = first + k * chunk;
      const std::uint64_t end = last - start < chunk ? last : start + (chunk - 1);
      std::uint64_t unit = start;
      try {
        for (; unit <= end; ++unit) {
          if (unit > failures.lowest()) return;
          run(unit);
        }
        if (chunk_done) chunk_done(w, end - start + 1);
      } catch (...) {
        failures.record(std::min(unit, end), true, std::current_exception());
        return;
      }
    }
  };
  std::vector<std::thread> threads;
  for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work, w);
  work(0);
  for (std::thread& t : threads) t.join();
  failures.throw_if_any(pool.word);
}

}  // namespace vorn::mc
