// vorn mc SCENARIO: a probabilistic run over the inputs a scenario file varies.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "cli/document_file.hpp"
#include "cli/subcommands.hpp"
#include "cli/terminal.hpp"
#include "mc_run/mc_run.hpp"
#include "vorn/mc_documents.hpp"

namespace vorn::cli {
namespace {

constexpr int kFatalError = 3;

constexpr const char* kFooter =
    "The scenario (TOML) names the VORN.IN, the realizations, the seed, the sampling and the\n"
    "inputs that vary with their distributions; options given here override it. The\n"
    "deterministic run on VORN.IN comes first and is the baseline; no VORN.DBG or VORN.OUT is\n"
    "written. A FILE of - is standard output.\n"
    "\n"
    "exit status: 0 completed, 1 VORN.IN cannot be opened, 2 its run stopped, 3 a fatal\n"
    "             input error, an error in the scenario or a document that cannot be\n"
    "             written; 64 usage error";

struct McArgs {
  std::string scenario;
  std::optional<std::uint64_t> realizations, seed;
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::string json, csv;
};

int usage_error(const CLI::App& app, const std::string& what) {
  std::fprintf(stderr, "vorn mc: %s\n%s", what.c_str(), app.help().c_str());
  return kUsageError;
}

// A bar on a terminal only.
std::function<void(std::uint64_t, std::uint64_t)> progress_bar() {
  if (!standard_error_is_terminal()) return {};
  return [](std::uint64_t done, std::uint64_t total) {
    constexpr int kWidth = 40;
    const int filled = static_cast<int>(kWidth * done / std::max<std::uint64_t>(total, 1));
    std::fprintf(stderr, "\rvorn mc: [%-*s] %llu of %llu realizations", kWidth,
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    if (done >= total) std::fputc('\n', stderr);
    std::fflush(stderr);
  };
}

int run_mc(const McArgs& args) {
  mc::McRequest request;
  request.scenario = args.scenario;
  request.overrides.realizations = args.realizations;
  request.overrides.seed = args.seed;
  request.threads = args.threads;
  request.progress = progress_bar();
  mc::McResult result;
  try {
    result = mc::run_monte_carlo(request);
  } catch (const mc::ScenarioError& e) {
    for (const std::string& m : e.messages()) std::fprintf(stderr, "vorn mc: %s\n", m.c_str());
    return kFatalError;
  }
  const Outcome& baseline = result.baseline;
  if (baseline.status != Status::completed) {
    std::string message;
    for (std::size_t k = 0; k < baseline.message.size(); ++k)
      message += (k > 0 ? "; " : "") + baseline.message[k];
    std::fprintf(stderr, "vorn mc: the deterministic run did not complete: %s\n", message.c_str());
    return baseline.exit_status();
  }
  int status = 0;
  if (!args.json.empty() && !write_document(args.json, mc_json(result.summary, result.scenario_json,
                                                               result.decision_percentile)))
    status = kFatalError;
  if (!args.csv.empty() && !write_document(args.csv, mc_csv(result.summary))) status = kFatalError;
  return status;
}

}  // namespace

int mc_main(int argc, char** argv) {
  CLI::App app{"Runs a waste stream many times over inputs drawn from distributions.", "vorn mc"};
  app.footer(kFooter);
  McArgs args;
  app.add_option("SCENARIO", args.scenario, "the scenario file (TOML)")->required()->type_name("");
  app.add_option("--realizations", args.realizations, "how many (overrides the scenario)")
      ->type_name("N")
      ->check(CLI::PositiveNumber);
  app.add_option("--seed", args.seed, "of the random streams (overrides the scenario)")
      ->type_name("S");
  app.add_option("--threads", args.threads, "at a time (default: the processor count)")
      ->type_name("T")
      ->check(CLI::PositiveNumber);
  app.add_option("--json", args.json, "write the statistics to FILE as JSON")->type_name("FILE");
  app.add_option("--csv", args.csv, "write the statistics to FILE as CSV, one value a row")
      ->type_name("FILE");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::ParseError& e) {
    return usage_error(app, e.what());
  }
  if (args.json == kStandardOutput && args.csv == kStandardOutput)
    return usage_error(app, "only one document can go to standard output");
  try {
    return run_mc(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn mc: internal error: %s\n", e.what());
    return kFatalError;
  }
}

}  // namespace vorn::cli
