#include "mc/tally_checks.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vorn::mc {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

// Sums that stop at 2^64 - 1 instead of wrapping: a count that large never equals a real
// one, so it is refused like any other wrong sum.
std::uint64_t add(std::uint64_t a, std::uint64_t b) {
  return a > kMax - b ? kMax : a + b;
}
template <class Counts>
std::uint64_t total(const Counts& counts) {
  std::uint64_t sum = 0;
  for (const std::uint64_t c : counts) sum = add(sum, c);
  return sum;
}

class Checker {
 public:
  explicit Checker(const std::string& where) : where_(where) {}

  void equal(const std::string& field, std::uint64_t value, std::uint64_t expected,
             const std::string& what) const {
    if (value != expected)
      fail(field, std::to_string(value) + ", not " + what + " " + std::to_string(expected));
  }
  void at_most(const std::string& field, std::uint64_t value, std::uint64_t bound,
               const std::string& what) const {
    if (value > bound)
      fail(field, std::to_string(value) + ", more than " + what + " " + std::to_string(bound));
  }
  void at_least(const std::string& field, std::uint64_t value, std::uint64_t bound,
                const std::string& what) const {
    if (value < bound)
      fail(field, std::to_string(value) + ", less than " + what + " " + std::to_string(bound));
  }
  [[noreturn]] void fail(const std::string& field, const std::string& why) const {
    throw PartError(where_ + "state." + field + ": " + why);
  }

 private:
  const std::string& where_;
};

void check_quantity(const Checker& check, const std::string& field,
                    const numerics::QuantityStats& q, std::uint64_t completed,
                    const std::string& what) {
  const std::uint64_t values =
      add(add(q.count(), q.nan_count()), add(q.pos_inf_count(), q.neg_inf_count()));
  check.equal(field + " values", values, completed, what);
  check.at_most(field + ".above", q.above(), add(q.count(), q.pos_inf_count()),
                "the values that can be above a target,");
}

// The realizations of block k (0: realization 1; k: 2^(k-1)+1 .. 2^k) that the shards hold.
std::uint64_t block_overlap(int k, const std::vector<ShardRange>& shards) {
  const std::uint64_t first = k == 0 ? 1 : (std::uint64_t{1} << (k - 1)) + 1;
  const std::uint64_t last = std::uint64_t{1} << k;
  std::uint64_t n = 0;
  for (const ShardRange& s : shards) {
    const std::uint64_t lo = std::max(first, s.first), hi = std::min(last, s.last);
    if (lo <= hi) n += hi - lo + 1;
  }
  return n;
}

void check_chemical(const Checker& check, const McTally& t, std::size_t i) {
  const ChemicalTally& c = t.chemicals[i];
  const std::string at = "chemicals[" + std::to_string(i) + "].";
  check.equal(at + "completed + failures + unit_failed",
              add(add(c.completed, total(c.failures)), t.unit_failed), t.realizations,
              "the realizations");
  check.at_least(at + "completed", c.completed, t.all_completed, "all_completed");
  check.at_most(at + "gw_exceeded", c.gw_exceeded, c.completed, "its completed");
  check.at_most(at + "sf_exceeded", c.sf_exceeded, c.completed, "its completed");
  check.at_most(at + "exceeded", c.exceeded, c.completed, "its completed");
  check.at_least(at + "exceeded", c.exceeded, std::max(c.gw_exceeded, c.sf_exceeded),
                 "gw_exceeded or sf_exceeded");
  check.at_most(at + "exceeded", c.exceeded, add(c.gw_exceeded, c.sf_exceeded),
                "gw_exceeded + sf_exceeded");
  check.equal(at + "gw_limit", total(c.gw_limit), c.completed, "summing to its completed");
  check.equal(at + "sf_limit", total(c.sf_limit), c.completed, "summing to its completed");
  for (std::size_t k = 0; k < c.quantities.size(); ++k)
    check_quantity(check, at + "quantities[" + std::to_string(k) + "]", c.quantities[k],
                   c.completed, "its chemical's completed");
}

void check_blocks(const Checker& check, const McTally& t, const std::vector<ShardRange>& shards) {
  const std::size_t n = t.chemicals.size();
  std::vector<std::uint64_t> completed(n, 0), exceeded(n, 0);
  for (int k = 0; k < 64; ++k) {
    const std::uint64_t held = block_overlap(k, shards);
    const auto found = t.blocks.find(k);
    const std::string at = "blocks." + std::to_string(k);
    if (found == t.blocks.end()) {
      if (held > 0)
        check.fail(at, "missing; the shards hold " + std::to_string(held) + " of its realizations");
      continue;
    }
    if (held == 0) check.fail(at, "outside the realizations of the shards");
    const DecisionBlock& b = found->second;
    if (b.tclpmax.size() != n || b.sfmax.size() != n || b.completed.size() != n ||
        b.exceeded.size() != n)
      check.fail(at, "its lists do not hold one entry for each of the " + std::to_string(n) +
                         " chemicals");
    for (std::size_t i = 0; i < n; ++i) {
      const std::string c = "[" + std::to_string(i) + "]";
      check.at_most(at + ".completed" + c, b.completed[i], held, "its realizations in the shards,");
      check.at_most(at + ".exceeded" + c, b.exceeded[i], b.completed[i], "its completed");
      check.equal(at + ".tclpmax" + c + " values",
                  add(b.tclpmax[i].ranked_count(), b.tclpmax[i].nan_count()), b.completed[i],
                  "its completed");
      check.equal(at + ".sfmax" + c + " values",
                  add(b.sfmax[i].ranked_count(), b.sfmax[i].nan_count()), b.completed[i],
                  "its completed");
      completed[i] = add(completed[i], b.completed[i]);
      exceeded[i] = add(exceeded[i], b.exceeded[i]);
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::string at = "chemicals[" + std::to_string(i) + "].";
    check.equal(at + "completed", t.chemicals[i].completed, completed[i],
                "the sum over its blocks,");
    check.equal(at + "exceeded", t.chemicals[i].exceeded, exceeded[i], "the sum over its blocks,");
  }
}

}  // namespace

void check_tally(const McTally& t, const std::vector<ShardRange>& shards,
                 const std::string& where) {
  const Checker check(where);
  check.equal("unit_failed", t.unit_failed, total(t.unit_failures), "the sum of unit_failures,");
  check.at_most("unit_failed", t.unit_failed, t.realizations, "the realizations");
  check.at_most("all_completed", t.all_completed, t.realizations - t.unit_failed,
                "the realizations the unit completed,");
  for (std::size_t i = 0; i < t.chemicals.size(); ++i) check_chemical(check, t, i);
  check_quantity(check, "stream_risk", t.stream_risk, t.all_completed, "all_completed");
  check_quantity(check, "stream_hazard", t.stream_hazard, t.all_completed, "all_completed");
  check_blocks(check, t, shards);
}

}  // namespace vorn::mc
