#include "run_setup.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include <filesystem>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "core/output_file.hpp"
#include "input/chemical_records.hpp"
#include "input/site_parameters.hpp"
#include "mc/mc_engine.hpp"
#include "mc_run/samples_table.hpp"
#include "scenario/input_domains.hpp"
#include "scenario/plan_from_scenario.hpp"
#include "scenario/scenario_overrides.hpp"
#include "scenario/scenario_reader.hpp"
#include "vorn/run.hpp"

namespace vorn::mc_run {
namespace {

// The records of VORN.IN as read; the deterministic run has checked them already.
void read_records(const std::string& bytes, mc::McInput& input) {
  InputFile in(bytes);
  StringSink log;
  const LogUnit debug(log, kDebugUnit);
  input.unit = readsiteparameters(in, debug);
  readchemicals(in, debug, input.chemicals);
  readdaftable(in, debug, *input.daf);
}

}  // namespace

Setup set_up(const McRequest& request) {
  scenario::Scenario scenario =
      request.scenario_text
          ? scenario::parse_scenario(*request.scenario_text, request.scenario.string(),
                                     request.input_text.has_value())
          : scenario::read_scenario(request.scenario);
  scenario::apply_overrides(scenario, request.overrides);
  Setup s;
  MemoryFiles files;
  std::string bytes, why;
  if (request.input_text) {
    bytes = *request.input_text;
    files.input = bytes;
  } else if (read_file(scenario.input.string(), bytes, why)) {
    files.input = bytes;
  } else {
    // Named as resolved: a relative `input` is taken from the scenario's directory.
    throw scenario::ScenarioError({scenario::located_message(
        scenario.file_name, scenario.input_at, "input",
        std::filesystem::absolute(scenario.input).lexically_normal().string() +
            " cannot be read: " + why)});
  }
  s.baseline = run(files);
  if (request.warn) {
    for (const std::string& w : scenario.warnings) request.warn(w);
    for (const std::string& w : s.baseline.warnings) request.warn("VORN.IN: " + w);
  }
  if (s.baseline.status != Status::completed) return s;
  read_records(bytes, s.input);
  s.resolved = scenario::resolve_scenario(scenario, s.input.chemicals, bytes);
  const std::vector<std::string> notes =
      scenario::check_domains(scenario, s.resolved, s.input.unit, s.input.chemicals);
  if (request.note)
    for (const std::string& note : notes) request.note(note);
  s.plan =
      scenario::plan_from_scenario(s.resolved, s.input.chemicals, scenario::ChemicalValues::read);
  if (!mc::prepare_input(s.input))
    throw scenario::ScenarioError({"VORN.IN cannot be evaluated as read"});
  return s;
}

std::string units_of(const mc::ShardRange& range, std::uint64_t count, std::uint64_t units,
                     const char* word) {
  if (count == 1) return std::to_string(units) + " " + word;
  if (range.last < range.first) return std::string("no ") + word + " of " + std::to_string(units);
  return std::string(word) + " " + std::to_string(range.first) + ".." + std::to_string(range.last) +
         " of " + std::to_string(units);
}

mc::McTally run_range(const mc::McInput& input, const scenario::SamplingPlan& plan,
                      const McRequest& request, std::uint64_t first, std::uint64_t last,
                      unsigned threads, std::uint64_t number_offset,
                      const std::function<void(std::uint64_t)>& progress,
                      const mc::RealizationObserver& keep) {
  if (!request.samples || last < first)
    return mc::run_realizations(input, plan, first, last, threads, progress, keep);
  const SamplesTable table(plan, input.chemicals);
  mc::McTally tally(input.chemicals.size());
  std::vector<std::string> rows;
  for (std::uint64_t from = first; from <= last; from += kSampleBatch) {
    const std::uint64_t to = std::min(last, from + (kSampleBatch - 1));
    rows.assign(to - from + 1, std::string());
    auto observe = [&](std::uint64_t r, const mc::RealizationEvaluator& e) {
      rows[r - from] = table.row(number_offset + r, e);
      if (keep) keep(r, e);
    };
    auto batch_progress = [&](std::uint64_t done) {
      if (progress) progress(from - first + done);
    };
    tally.merge(mc::run_realizations(input, plan, from, to, threads, batch_progress, observe));
    std::string text;
    for (const std::string& row : rows) text += row;
    request.samples(text);
    if (to == last) break;
  }
  return tally;
}

}  // namespace vorn::mc_run
