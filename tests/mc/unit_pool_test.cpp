// Units of work on a pool of threads: each unit runs once, and a failure comes back as the
// failure of the lowest unit that failed, with every unit below it run, for any number of
// threads; realizations, outer draws and base rows all go through it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "mc/mc_engine.hpp"
#include "mc/unit_pool.hpp"
#include "support/model_input.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr std::uint64_t kUnits = 1000;

struct Ran {
  std::vector<std::atomic<int>> count = std::vector<std::atomic<int>>(kUnits + 1);
};

// Units `failing` throw "unit U failed"; the first of them waits before it does, so that
// later failures on other threads come first in time.
std::string run_failing(unsigned threads, const std::set<std::uint64_t>& failing, Ran& ran) {
  const std::uint64_t slow = failing.empty() ? 0 : *failing.begin();
  try {
    mc::run_units(1, kUnits, mc::UnitPool{threads, 16, "realization"}, [&](unsigned) {
      return [&](std::uint64_t u) {
        ++ran.count[u];
        if (!failing.count(u)) return;
        if (u == slow) std::this_thread::sleep_for(std::chrono::milliseconds(30));
        throw std::runtime_error("unit " + std::to_string(u) + " failed");
      };
    });
  } catch (const mc::UnitFailure& e) {
    return e.what();
  }
  return "";
}

TEST(UnitPool, EveryUnitRunsOnceAndTheChunksAddUp) {
  for (const unsigned threads : {1u, 2u, 3u, 8u}) {
    Ran ran;
    std::atomic<std::uint64_t> done{0};
    mc::run_units(
        1, kUnits, mc::UnitPool{threads, 7, "unit"},
        [&](unsigned) { return [&](std::uint64_t u) { ++ran.count[u]; }; },
        [&](unsigned, std::uint64_t units) { done += units; });
    EXPECT_EQ(done, kUnits) << threads;
    for (std::uint64_t u = 1; u <= kUnits; ++u) ASSERT_EQ(ran.count[u], 1) << u;
  }
}

TEST(UnitPool, TheLowestFailureIsReportedWithEveryUnitBelowItRun) {
  for (const unsigned threads : {1u, 2u, 3u, 8u}) {
    SCOPED_TRACE(threads);
    Ran ran;
    EXPECT_EQ(run_failing(threads, {37, 500, 901}, ran), "realization 37: unit 37 failed");
    for (std::uint64_t u = 1; u <= 37; ++u) ASSERT_EQ(ran.count[u], 1) << u;
    for (std::uint64_t u = 38; u <= kUnits; ++u) ASSERT_LE(ran.count[u], 1) << u;
  }
}

TEST(UnitPool, AWorkerThatCannotStartPassesItsErrorAsItIs) {
  EXPECT_THROW(mc::run_units(1, 10, mc::UnitPool{2, 1, "unit"},
                             [](unsigned w) -> mc::UnitRunner {
                               if (w == 1) throw std::logic_error("no worker");
                               return [](std::uint64_t) {};
                             }),
               std::logic_error);
}

mc::McInput landfill_input() {
  ModelInput m = read_model_input(read_text(data_dir() / "reference" / "landfill" / "VORN.IN"));
  mc::McInput in;
  in.unit = m.unit_read;
  in.chemicals = m.chemicals;
  *in.daf = *m.daf;
  EXPECT_TRUE(mc::prepare_input(in));
  return in;
}

// A realization whose observer throws ended the process on two threads or more
// ("terminate called ..."); now the lowest one comes back, whatever the threads.
TEST(UnitPool, ARealizationThatThrowsOnAnyThreadComesBackAsTheLowestOne) {
  const mc::McInput in = landfill_input();
  scenario::SamplingPlan plan;
  plan.realizations = 400;
  scenario::PlanParameter volume;
  volume.unit_field = &WasteUnit::WU_WASTEVOL;
  volume.distribution =
      numerics::Distribution(numerics::Family::uniform, {.min = 5000, .max = 7000});
  plan.parameters.push_back(volume);
  plan.streams = 1;
  const mc::RealizationObserver observe = [](std::uint64_t r, const mc::RealizationEvaluator&) {
    if (r == 133 || r == 350) throw std::runtime_error("observer refused");
  };
  for (const unsigned threads : {1u, 2u, 4u}) {
    try {
      mc::run_realizations(in, plan, 1, 400, threads, {}, observe);
      ADD_FAILURE() << "no failure on " << threads << " threads";
    } catch (const mc::UnitFailure& e) {
      EXPECT_STREQ(e.what(), "realization 133: observer refused") << threads;
      EXPECT_EQ(e.unit(), 133u);
    }
  }
}

}  // namespace
}  // namespace vorn::test
