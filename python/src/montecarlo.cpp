// Probabilistic runs for Python: a run (or one shard of it) gives its part, the mergeable
// state; parts merge; a complete part gives the documents `vorn mc` writes.
#include "montecarlo.hpp"

#include <pybind11/stl.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <thread>
#include <type_traits>
#include <variant>

#include "mc/mc_part.hpp"
#include "mc/part_document.hpp"
#include "mc_run/mc_run.hpp"
#include "nested/nested_part.hpp"
#include "scenario/scenario.hpp"
#include "scenario/scenario_overrides.hpp"
#include "scenario/scenario_reader.hpp"
#include "vorn/mc_documents.hpp"
#include "vorn/nested_documents.hpp"
#include "vorn/results_json.hpp"

namespace vorn::python {
namespace {

namespace py = pybind11;

// The problems of a scenario or request, one a line.
[[noreturn]] void value_error(const std::string& what) {
  throw py::value_error(what);
}

// A run's mergeable state, one-dimensional or nested, held by the engine: it becomes text
// only to be pickled or sent.
struct Part {
  std::variant<std::shared_ptr<const mc::McPart>, std::shared_ptr<const nested::NestedPart>> state;

  template <class Kind>
  static Part of(Kind&& kind) {
    return Part{std::make_shared<const std::decay_t<Kind>>(std::forward<Kind>(kind))};
  }
  bool complete() const {
    return std::visit([](const auto& p) { return p->complete(); }, state);
  }
};

struct McCall {
  std::string status, message;
  std::optional<Part> part;
  int exit_status = 0;
};

McCall montecarlo(const std::string& scenario_name, std::optional<std::string> scenario_text,
                  std::optional<std::string> input_text, std::optional<std::uint64_t> realizations,
                  std::optional<std::uint64_t> seed, std::optional<std::uint64_t> outer,
                  std::optional<std::uint64_t> inner, unsigned threads,
                  std::optional<std::pair<std::uint64_t, std::uint64_t>> shard) {
  mc_run::McRequest request;
  request.scenario = scenario_name;
  request.scenario_text = std::move(scenario_text);
  request.input_text = std::move(input_text);
  request.overrides.realizations = realizations;
  request.overrides.seed = seed;
  request.overrides.outer = outer;
  request.overrides.inner = inner;
  request.threads = threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
  request.shard = shard;
  McCall call;
  std::string problem;
  {
    py::gil_scoped_release unlocked;
    try {
      mc_run::McResult result = mc_run::run_monte_carlo(request);
      call.status = status_word(result.baseline.status);
      call.exit_status = result.baseline.exit_status();
      for (std::size_t k = 0; k < result.baseline.message.size(); ++k)
        call.message += (k > 0 ? "; " : "") + result.baseline.message[k];
      if (result.baseline.status == Status::completed)
        call.part =
            result.nested ? Part::of(std::move(*result.nested)) : Part::of(std::move(result.part));
    } catch (const scenario::ScenarioError& e) {
      problem = e.what();
    } catch (const mc_run::McUsageError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return call;
}

// What shards of the scenario's run cut: (realizations, or outer draws of a run with
// uncertainty inputs; the inner realizations of each outer draw, none in a one-dimensional
// run).
std::pair<std::uint64_t, std::optional<std::uint64_t>> shard_units(
    const std::string& scenario_name, const std::string& scenario_text,
    std::optional<std::uint64_t> realizations, std::optional<std::uint64_t> outer,
    std::optional<std::uint64_t> inner) {
  try {
    scenario::Scenario scenario = scenario::parse_scenario(scenario_text, scenario_name, true);
    scenario::ScenarioOverrides overrides;
    overrides.realizations = realizations;
    overrides.outer = outer;
    overrides.inner = inner;
    scenario::apply_overrides(scenario, overrides);
    if (scenario.nested()) return {scenario.outer, scenario.inner};
    return {scenario.realizations, std::nullopt};
  } catch (const scenario::ScenarioError& e) {
    value_error(e.what());
  }
}

Part parsed(const std::string& text) {
  std::string problem;
  Part part;
  {
    py::gil_scoped_release unlocked;
    try {
      part = mc::part_format(text) == nested::kNestedPartFormat
                 ? Part::of(nested::parse_nested_part(text, "this summary"))
                 : Part::of(mc::parse_part(text, "this summary"));
    } catch (const mc::PartError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return part;
}

std::string text_of(const Part& part) {
  py::gil_scoped_release unlocked;
  if (const auto* nested = std::get_if<1>(&part.state)) return nested::nested_part_json(**nested);
  return mc::part_json(*std::get<0>(part.state));
}

// The two of one kind merged; PartError when they are of different kinds or cannot merge.
template <class Kind>
Part merged_kind(const Kind& a, const Part& b, void (*add)(Kind&, const Kind&, std::string_view)) {
  constexpr bool kNested = std::is_same_v<Kind, nested::NestedPart>;
  const auto* other = std::get_if<std::shared_ptr<const Kind>>(&b.state);
  if (other == nullptr)
    throw mc::PartError(kNested ? "the other summary is of a one-dimensional run, this one of "
                                  "a nested run"
                                : "the other summary is of a nested run, this one of a "
                                  "one-dimensional run");
  Kind both = a;
  add(both, **other, "the other summary");
  return Part::of(std::move(both));
}

Part merged(const Part& a, const Part& b) {
  std::string problem;
  Part into;
  {
    py::gil_scoped_release unlocked;
    try {
      if (const auto* nested = std::get_if<1>(&a.state)) {
        into = merged_kind(**nested, b, nested::merge_nested_part);
      } else {
        into = merged_kind(*std::get<0>(a.state), b, mc::merge_part);
      }
    } catch (const mc::PartError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return into;
}

std::pair<std::string, std::string> documents(const Part& part) {
  const auto [held, count] = std::visit(
      [](const auto& p) {
        return std::pair{p->shards.size(), p->shard_count};
      },
      part.state);
  if (!part.complete())
    value_error("this summary holds " + std::to_string(held) + " of its " + std::to_string(count) +
                " shards: merge the others first");
  py::gil_scoped_release unlocked;
  if (const auto* nested = std::get_if<1>(&part.state)) {
    const mc_run::NestedReport r = mc_run::report_of(**nested);
    return {nested_json(r.summary, r.scenario_json), nested_csv(r.summary)};
  }
  const mc_run::McReport r = mc_run::report_of(*std::get<0>(part.state));
  return {mc_json(r.summary, r.scenario_json, r.decision_percentile, &r.sensitivity),
          mc_csv(r.summary, &r.sensitivity)};
}

}  // namespace

void add_montecarlo(py::module_& m) {
  py::class_<Part>(m, "Part", "A probabilistic run's mergeable state, held by the engine.")
      .def_static("from_text", &parsed, py::arg("text"),
                  "The part a part document holds; ValueError when it is not one.")
      .def("text", &text_of, "The part document (JSON), as vorn mc --part writes it.")
      .def("merged", &merged, py::arg("other"),
           "This part with the other's shards added; ValueError when they cannot be merged.")
      .def("complete", &Part::complete, "Whether every shard of the run is in this part.")
      .def("documents", &documents,
           "(JSON, CSV) as vorn mc writes them; ValueError while shards are missing.");
  py::class_<McCall>(m, "McCall", "The outcome of a probabilistic run.")
      .def_readonly("status", &McCall::status)
      .def_readonly("exit_status", &McCall::exit_status)
      .def_readonly("message", &McCall::message)
      .def_readonly("part", &McCall::part);
  m.def("montecarlo", &montecarlo, py::arg("scenario_name"), py::arg("scenario_text"),
        py::arg("input_text"), py::arg("realizations"), py::arg("seed"), py::arg("outer"),
        py::arg("inner"), py::arg("threads"), py::arg("shard"),
        "A probabilistic run: its deterministic run's status and, when that completed, the "
        "part of the realizations run. ValueError listing a scenario's problems.");
  m.def("shard_units", &shard_units, py::arg("scenario_name"), py::arg("scenario_text"),
        py::arg("realizations"), py::arg("outer"), py::arg("inner"),
        "(units a shard cuts: realizations, or outer draws of a run with uncertainty inputs; "
        "inner realizations per outer draw or None). ValueError listing a scenario's "
        "problems.");
}

}  // namespace vorn::python
