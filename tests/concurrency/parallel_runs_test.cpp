// Runs in eight threads at once, on eight directories (and on eight inputs held in memory),
// give exactly what the same runs give one after another.
#include <gtest/gtest.h>

#include <cstdio>
#include <latch>
#include <optional>
#include <thread>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 3;

std::string format(const char* pattern, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, pattern, value);
  return buf;
}

// n chemicals, alternately organic and inorganic; inorganic ones have a three-point DAF
// curve, organic ones one row, every third chemical none (its own DAF).
std::string generated_input(int n, const std::string& unit_type, double volume) {
  InputBuilder in;
  in.site = "7\n" + unit_type + "\n1.0E-5\n1.0\n" + format("%g", volume) + "\n1\n25\n3000\n";
  for (int i = 1; i <= n; ++i) {
    const std::string cas = "1000-" + std::to_string(i) + "-0";
    const bool organic = i % 2 == 1;
    const double f = 1.0 + 0.37 * i;
    in.properties.push_back(property_line("Generated chemical " + std::to_string(i), cas,
                                          {format("%g", 0.001 * f),
                                           format("%g", 0.05 * f),
                                           format("%g", 0.02 * f),
                                           format("%g", 0.004 * f),
                                           format("%g", 0.03 * f),
                                           "5.2",
                                           "1820",
                                           "0.5",
                                           format("%g", 5.0e-3 * f),
                                           "9.8e-6",
                                           "0.088",
                                           "1750",
                                           "0",
                                           "0",
                                           "0.7",
                                           "0.015",
                                           "0.29",
                                           "0.051",
                                           organic ? "1" : "0",
                                           format("%g", 3.0 * f),
                                           "0.13",
                                           i % 3 ? "C" : "N",
                                           "78.11",
                                           "0.125",
                                           format("%g", 2.0 * f),
                                           "2.13"}));
    in.concentrations.push_back(format("%g N ", 0.05 * f) + format("%g N", 10.0 * f));
    if (i % 3 == 0) continue;
    if (organic) {
      in.daf_rows.push_back(cas + " 0.001 " + format("%g", 10 * f) + " " + format("%g", 12 * f) +
                            " 0.001 2.1 2.5");
    } else {
      for (double c : {0.01, 1.0, 100.0})
        in.daf_rows.push_back(cas + format(" %g ", c) + format("%g ", 5 * f * (1 + c)) +
                              format("%g ", 4 * f * (1 + c)) + format("%g ", c) +
                              format("%g ", f * (1 + c)) + format("%g", 0.8 * f * (1 + c)));
    }
  }
  return in.text();
}

std::vector<std::string> inputs() {
  const auto ref = data_dir() / "reference";
  const std::filesystem::path example =
      std::filesystem::path(VORN_TEST_DATA) / ".." / ".." / "examples" / "landfill" / "VORN.IN";
  std::string short_line = generated_input(3, "LF", 500);
  short_line.replace(short_line.find(" 2.13\n"), 6, "\n");  // a property line one value short
  return {read_text(ref / "landfill" / "VORN.IN"),
          read_text(ref / "impoundment" / "VORN.IN"),
          read_text(example),
          generated_input(24, "LF", 20000),
          generated_input(24, "SI", 800),
          generated_input(0, "LF", 1000),
          generated_input(12, "XX", 1000),  // stops on the unit type
          short_line};                      // fatal input error
}

struct RunRecord {
  int status = -1;
  std::vector<std::string> message;
  std::string stdout_text, stderr_text, debug;
  std::optional<std::string> report;
};

bool operator==(const RunRecord& a, const RunRecord& b) {
  return a.status == b.status && a.message == b.message && a.stdout_text == b.stdout_text &&
         a.stderr_text == b.stderr_text && a.debug == b.debug && a.report == b.report;
}

RunRecord run_in(const std::filesystem::path& dir) {
  const Outcome outcome = run(dir);
  RunRecord r{outcome.exit_status(),       outcome.message,
              outcome.stdout_text,         outcome.stderr_text,
              read_text(dir / "VORN.DBG"), std::nullopt};
  if (std::filesystem::exists(dir / "VORN.OUT")) r.report = read_text(dir / "VORN.OUT");
  return r;
}

RunRecord run_in_memory(const std::string& input) {
  MemoryFiles files;
  files.input = input;
  const Outcome outcome = run(files);
  return {outcome.exit_status(), outcome.message, outcome.stdout_text,
          outcome.stderr_text,   files.debug,     files.report};
}

// Runs job(k) for k = 0..7 in eight threads released together.
template <typename Job>
void in_parallel(Job job) {
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int k = 0; k < kThreads; ++k) {
    threads.emplace_back([&, k] {
      start.arrive_and_wait();
      job(k);
    });
  }
  for (std::thread& t : threads) t.join();
}

TEST(ParallelRuns, EightDirectoriesAtOnceGiveTheSequentialResults) {
  const std::vector<std::string> texts = inputs();
  ASSERT_EQ(texts.size(), static_cast<std::size_t>(kThreads));
  std::vector<RunRecord> sequential;
  for (const std::string& text : texts) {
    ScratchDir dir;
    write_text(dir / "VORN.IN", text);
    sequential.push_back(run_in(dir.path()));
  }
  // The inputs cover completed runs of both unit types, a stop and a fatal input error.
  const int expected_status[kThreads] = {0, 0, 0, 0, 0, 0, 2, 3};
  for (int k = 0; k < kThreads; ++k)
    EXPECT_EQ(sequential[k].status, expected_status[k]) << "input " << k;

  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::unique_ptr<ScratchDir>> dirs;
    for (const std::string& text : texts) {
      dirs.push_back(std::make_unique<ScratchDir>());
      write_text(*dirs.back() / "VORN.IN", text);
    }
    std::vector<RunRecord> parallel(kThreads);
    in_parallel([&](int k) { parallel[k] = run_in(dirs[k]->path()); });
    for (int k = 0; k < kThreads; ++k)
      EXPECT_TRUE(parallel[k] == sequential[k]) << "round " << round << ", input " << k;
  }
}

TEST(ParallelRuns, EightInputsInMemoryAtOnceGiveTheSequentialResults) {
  const std::vector<std::string> texts = inputs();
  std::vector<RunRecord> sequential;
  for (const std::string& text : texts) sequential.push_back(run_in_memory(text));
  for (int round = 0; round < kRounds; ++round) {
    std::vector<RunRecord> parallel(kThreads);
    // Every thread runs a different input in each round.
    in_parallel([&](int k) { parallel[k] = run_in_memory(texts[(k + round) % kThreads]); });
    for (int k = 0; k < kThreads; ++k)
      EXPECT_TRUE(parallel[k] == sequential[(k + round) % kThreads])
          << "round " << round << ", input " << k;
  }
}

}  // namespace
}  // namespace vorn::test
