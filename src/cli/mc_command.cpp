// vorn mc SCENARIO: a probabilistic run over the inputs a scenario file varies.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/command_line.hpp"
#include "cli/document_file.hpp"
#include "cli/help_style.hpp"
#include "cli/mc_output.hpp"
#include "cli/subcommands.hpp"
#include "cli/terminal.hpp"
#include "core/output_file.hpp"
#include "export/mc_verdict_table.hpp"
#include "mc/unit_pool.hpp"
#include "mc_run/any_part.hpp"
#include "mc_run/mc_run.hpp"
#include "mc_run/part_documents.hpp"
#include "scenario/scenario_words.hpp"

namespace vorn::cli {
namespace {

constexpr const char* kFooter =
    "The scenario (TOML) names the VORN.IN, the realizations, the seed, the sampling and the\n"
    "inputs that vary with their distributions; options given here override it. The\n"
    "deterministic run on VORN.IN comes first and is the baseline; no VORN.DBG or VORN.OUT is\n"
    "written. A FILE of - is standard output. With no output option, a run prints its\n"
    "verdict on standard output: per chemical P(exceeded), its 95 % interval and the verdict.\n"
    "\n"
    "Inputs of kind \"uncertainty\" make the run nested: each of U outer draws fixes them and\n"
    "runs V realizations of the others; realization (u-1)V+v is inner v of outer draw u.\n"
    "\n"
    "On a cluster, run every shard I/K with --part, then merge the parts with vorn mc-merge:\n"
    "the merged documents equal those of one run, byte for byte (with SOURCE_DATE_EPOCH set,\n"
    "or apart from the date line). Pages are dated SOURCE_DATE_EPOCH (seconds since 1970)\n"
    "when it is set, else today (UTC); --pdf prints the page through a Chromium-family\n"
    "browser (VORN_BROWSER names one, VORN_BROWSER_TIMEOUT its seconds per step).\n"
    "\n"
    "--sobol evaluates M (p + 2) points of a Saltelli design instead (p the [[vary]] entries,\n"
    "an \"each\" entry one group) and writes first-order and total Sobol indices; the cost is\n"
    "printed first. Its estimators assume independent inputs: with [[correlate]] it is a\n"
    "usage error, as the request contradicts the scenario. Its shards split the base rows\n"
    "(shard I/K evaluates every point of its rows); vorn mc-merge estimates from the parts.\n"
    "\n"
    "exit status: 0 completed, 1 VORN.IN cannot be opened, 2 its run stopped, 3 a fatal\n"
    "             input error, an error in the scenario or a file that cannot be written;\n"
    "             64 usage error; 69 no PDF could be made while all else succeeded";

constexpr const char* kNoOutput =
    "vorn mc: no output option was given, so the results were not kept: add --json, --csv, "
    "--html, --pdf or --part FILE\n";
// Runs of at least this many model evaluations say so on standard error, terminal or not.
constexpr std::uint64_t kAnnouncedEvaluations = 1'000'000;

struct McArgs {
  std::string scenario;
  std::optional<std::uint64_t> realizations, seed, outer, inner;
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  McDocumentFiles documents;
  std::string samples, shard, part, write_input;
  bool force = false;
  std::optional<std::uint64_t> realization;
  bool sobol = false;
  std::size_t base_samples = mc_run::kDefaultBaseRows;
};

// The samples file, written as the rows come; a write error is reported once at the end.
class SamplesFile {
 public:
  bool open(const std::string& file) {
    to_stdout_ = file == kStandardOutput;
    if (to_stdout_) return true;
    std::string why;
    if (out_.open(file, why)) return true;
    std::fprintf(stderr, "vorn mc: fatal error: %s\n", why.c_str());
    return false;
  }
  void write(const std::string& text) {
    if (!to_stdout_) return out_.write(text);
    ok_ = ok_ && std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  }
  bool close() {
    std::string why;
    if (to_stdout_ ? ok_ && std::fflush(stdout) == 0 : out_.close(why)) return true;
    std::fprintf(stderr, "vorn mc: fatal error: %s\n",
                 to_stdout_ ? "cannot write standard output" : why.c_str());
    return false;
  }

 private:
  OutputFile out_;
  bool to_stdout_ = false, ok_ = true;
};

int write_realization(const McArgs& args, const mc_run::McRequest& request) {
  const std::filesystem::path file = std::filesystem::path(args.write_input) / "VORN.IN";
  std::error_code ec;
  if (std::filesystem::exists(file, ec) && !args.force) {
    std::fprintf(stderr, "vorn mc: %s exists; --force writes over it\n", file.string().c_str());
    return kFatalError;
  }
  const mc_run::RealizationText r = mc_run::realization_text(request, *args.realization);
  if (r.baseline.status != Status::completed) return baseline_failed("vorn mc", r.baseline);
  std::filesystem::create_directories(args.write_input, ec);
  return write_document(file.string(), r.text) ? 0 : kFatalError;
}

// --sobol: the cost on standard error before the design runs, then its documents or its part.
int run_sobol(const McArgs& args, const mc_run::McRequest& request) {
  auto cost = [&](std::uint64_t rows, std::uint64_t blocks) {
    std::string what = "Sobol indices", which = std::to_string(rows) + " base rows";
    if (request.shard) {
      const auto [index, count] = *request.shard;
      const mc::ShardRange range = mc::shard_range(index, count, args.base_samples);
      what += ", shard " + std::to_string(index) + "/" + std::to_string(count);
      which = (rows == 0 ? "no base row"
                         : "base rows " + std::to_string(range.first) + ".." +
                               std::to_string(range.last)) +
              " of " + std::to_string(args.base_samples);
    }
    std::fprintf(stderr, "vorn mc: %s: %llu evaluations (%s x %llu blocks)\n", what.c_str(),
                 static_cast<unsigned long long>(rows * blocks), which.c_str(),
                 static_cast<unsigned long long>(blocks));
  };
  const mc_run::SobolResult result = mc_run::run_sobol(request, args.base_samples, cost);
  if (result.baseline.status != Status::completed)
    return baseline_failed("vorn mc", result.baseline);
  if (!args.part.empty())
    return write_document(args.part, mc::sobol_part_json(result.part)) ? 0 : kFatalError;
  if (!args.documents.any() && args.samples.empty()) std::fputs(kNoOutput, stderr);
  return write_documents(args.documents, mc_run::PartDocuments(result.part, request.threads));
}

// A run asked for no output: a one-dimensional run's verdict on standard output, else where
// the results would go.
int show_verdict(const mc_run::AnyPart& part, int status) {
  if (const auto* one = std::get_if<mc::McPart>(&part)) {
    const mc_run::McReport report = mc_run::report_of(*one, false);
    std::fputs(mc_verdict_table(report.summary, report.decision_percentile).c_str(), stdout);
  } else {
    std::fputs(kNoOutput, stderr);
  }
  return status;
}

int run_mc(const McArgs& args) {
  scenario::ScenarioOverrides overrides;
  overrides.realizations = args.realizations;
  overrides.seed = args.seed;
  overrides.outer = args.outer;
  overrides.inner = args.inner;
  auto shard = args.shard.empty() ? std::nullopt : mc_run::parse_shard(args.shard);
  if (!args.part.empty() && !shard) shard = std::pair<std::uint64_t, std::uint64_t>{1, 1};
  mc_run::McRequest request = mc_run::make_request(args.scenario, overrides, args.threads, shard);
  request.note = [](const std::string& note) {
    std::fprintf(stderr, "vorn mc: note: %s\n", note.c_str());
  };
  if (args.realization) return write_realization(args, request);

  SamplesFile samples;
  if (!args.samples.empty()) {
    if (!samples.open(args.samples)) return kFatalError;
    request.samples = [&](const std::string& text) { samples.write(text); };
    request.force_samples = args.force;
  }
  request.progress = progress_bar("vorn mc");
  request.warn = [](const std::string& w) {
    std::fprintf(stderr, "vorn mc: warning: %s\n", w.c_str());
  };
  // The cost of a run, where a person sees it or where it is large; never by timing, so the
  // output stays the same from one run to the next.
  request.cost = [](std::uint64_t evaluations, const std::string& what) {
    if (evaluations >= kAnnouncedEvaluations || standard_error_is_terminal())
      std::fprintf(stderr, "vorn mc: %llu evaluations (%s)\n",
                   static_cast<unsigned long long>(evaluations), what.c_str());
  };
  if (args.sobol) {
    const int status = run_sobol(args, request);
    return !args.samples.empty() && !samples.close() ? kFatalError : status;
  }
  mc_run::McResult result = mc_run::run_monte_carlo(request);
  if (result.baseline.status != Status::completed)
    return baseline_failed("vorn mc", result.baseline);
  int status = 0;
  if (!args.samples.empty() && !samples.close()) status = kFatalError;
  const mc_run::AnyPart part = result.nested ? mc_run::AnyPart(std::move(*result.nested))
                                             : mc_run::AnyPart(std::move(result.part));
  if (!args.part.empty()) {
    if (!write_document(args.part, mc_run::part_text(part))) status = kFatalError;
    return status;
  }
  if (!args.documents.any() && args.samples.empty()) return show_verdict(part, status);
  return with_pdf_status(status, write_documents(args.documents, mc_run::PartDocuments(part)));
}

}  // namespace

int mc_main(int argc, char** argv) {
  CLI::App app{"Runs a waste stream many times over inputs drawn from distributions.", "vorn mc"};
  use_house_style(app);
  app.footer(std::string(kFooter) + "\n\nThe scenario file's words:\n" +
             scenario::scenario_reference("  "));
  McArgs args;
  app.add_option("SCENARIO", args.scenario, "the scenario file (TOML)")->required()->type_name("");
  app.add_option("--realizations", args.realizations, "how many (overrides the scenario)")
      ->type_name("N")
      ->check(CLI::PositiveNumber);
  app.add_option("--outer", args.outer,
                 "draws of the uncertainty inputs in a nested run (overrides the scenario)")
      ->type_name("U")
      ->check(CLI::PositiveNumber);
  app.add_option("--inner", args.inner,
                 "realizations of the variability inputs per outer draw (overrides the scenario)")
      ->type_name("V")
      ->check(CLI::PositiveNumber);
  app.add_option("--seed", args.seed, "of the random streams (overrides the scenario)")
      ->type_name("S");
  app.add_option("--threads", args.threads, "at a time (default: the processor count)")
      ->type_name("T")
      ->check(CLI::PositiveNumber);
  add_document_options(app, args.documents);
  auto* samples = app.add_option("--samples", args.samples,
                                 "write every realization's inputs and decision quantities "
                                 "to FILE as CSV (with --sobol: every point of the design)")
                      ->type_name("FILE");
  app.add_flag("--force", args.force,
               "write more than 1,000,000 samples rows, or over an existing VORN.IN");
  auto* shard = app.add_option("--shard", args.shard, "run only shard I of K (needs --part)")
                    ->type_name("I/K");
  auto* part = app.add_option("--part", args.part, "write the run's mergeable state to FILE")
                   ->type_name("FILE");
  auto* realization =
      app.add_option("--realization", args.realization,
                     "with --write-input: write realization R's VORN.IN and run nothing")
          ->type_name("R");
  auto* write_input =
      app.add_option("--write-input", args.write_input, "the directory of that VORN.IN")
          ->type_name("DIR");
  auto* sobol = app.add_flag("--sobol", args.sobol,
                             "compute Sobol indices on a Saltelli design instead of the run");
  auto* base_samples =
      app.add_option("--base-samples", args.base_samples,
                     "with --sobol: base rows M of the design, a power of two (default 4096)")
          ->type_name("M");
  if (const auto status = parse_command_line(app, argc, argv)) return *status;
  if (base_samples->count() > 0 && sobol->count() == 0)
    return usage_error(app, "--base-samples goes with --sobol");
  if (sobol->count() > 0 && realization->count() > 0)
    return usage_error(app, "--sobol runs its own design, not realizations: no --realization");
  if (std::string why = document_conflict(app, args.documents, args.samples, args.part);
      !why.empty())
    return usage_error(app, why);
  if (shard->count() > 0 && !mc_run::parse_shard(args.shard))
    return usage_error(app, "--shard " + args.shard + ": give I/K with 1 <= I <= K <= 4294967295");
  if (shard->count() > 0 && part->count() == 0)
    return usage_error(app, "--shard needs --part FILE");
  if (part->count() > 0 && args.documents.any())
    return usage_error(app,
                       "--part writes the state to merge; the documents come from vorn mc-merge");
  if ((realization->count() > 0) != (write_input->count() > 0))
    return usage_error(app, "--realization and --write-input go together");
  if (realization->count() > 0 &&
      (samples->count() > 0 || part->count() > 0 || args.documents.any()))
    return usage_error(app, "--realization writes one VORN.IN and runs nothing else");
  if (!date_documents("vorn mc", args.documents)) return kUsageError;
  try {
    return run_mc(args);
  } catch (const scenario::ScenarioError& e) {
    for (const std::string& m : e.messages()) std::fprintf(stderr, "vorn mc: %s\n", m.c_str());
    return kFatalError;
  } catch (const mc_run::McUsageError& e) {
    return usage_error(app, e.what());
  } catch (const mc::UnitFailure& e) {
    std::fprintf(stderr, "vorn mc: %s\n", e.what());
    return kFatalError;
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "vorn mc: %s\n", e.what());
    return kFatalError;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn mc: internal error: %s\n", e.what());
    return kFatalError;
  }
}

}  // namespace vorn::cli
