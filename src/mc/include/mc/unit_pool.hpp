// Numbered units of work (realizations, outer draws, base rows) run on a pool of threads,
// the caller's among them, with a result that does not depend on the threads even when
// units fail. Units are claimed a chunk at a time in increasing order. Once one fails no
// worker claims another chunk; each finishes the chunk it holds, so every unit below the
// first failure has run, and every thread joins. The failure of the lowest unit that failed
// is then thrown: the same one for any number of threads.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace vorn::mc {

// A unit that threw: "<word> <unit>: <what it threw>" ("realization 17: ...").
class UnitFailure : public std::runtime_error {
 public:
  UnitFailure(const std::string& word, std::uint64_t unit, const std::string& reason);
  std::uint64_t unit() const { return unit_; }

 private:
  std::uint64_t unit_;
};

struct UnitPool {
  unsigned threads = 1;       // at most; none idle beyond the units
  std::uint64_t chunk = 1;    // units claimed at a time
  const char* word = "unit";  // what a unit is called in a failure: "realization"
};

// What runs one unit on a worker's thread.
using UnitRunner = std::function<void(std::uint64_t unit)>;

// Runs units first..last: `worker(w)` is called once on worker w's thread (0: the caller's)
// and returns what runs a unit there; `chunk_done(w, units)` (may be empty) after each chunk
// it completes. Throws the UnitFailure of the lowest unit that threw; what `worker` itself
// throws passes as it is (after every thread has joined).
void run_units(std::uint64_t first, std::uint64_t last, const UnitPool& pool,
               const std::function<UnitRunner(unsigned worker)>& worker,
               const std::function<void(unsigned worker, std::uint64_t units)>& chunk_done = {});

}  // namespace vorn::mc
