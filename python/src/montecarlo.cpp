// Probabilistic runs for Python: a run (or one shard of it) gives its part, the mergeable
// state; parts merge; a complete part gives the documents `vorn mc` writes.
#include "montecarlo.hpp"

#include <pybind11/stl.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "mc/mc_part.hpp"
#include "mc_run/mc_run.hpp"
#include "vorn/mc_documents.hpp"
#include "vorn/results_json.hpp"

namespace vorn::python {
namespace {

namespace py = pybind11;

// The problems of a scenario or request, one a line.
[[noreturn]] void value_error(const std::string& what) {
  throw py::value_error(what);
}

// A run's mergeable state, held by the engine: it becomes text only to be pickled or sent.
struct Part {
  std::shared_ptr<const mc::McPart> state;
};

struct McCall {
  std::string status, message;
  std::optional<Part> part;
  int exit_status = 0;
};

McCall montecarlo(const std::string& scenario_name, std::optional<std::string> scenario_text,
                  std::optional<std::string> input_text, std::optional<std::uint64_t> realizations,
                  std::optional<std::uint64_t> seed, unsigned threads,
                  std::optional<std::pair<std::uint64_t, std::uint64_t>> shard) {
  mc::McRequest request;
  request.scenario = scenario_name;
  request.scenario_text = std::move(scenario_text);
  request.input_text = std::move(input_text);
  request.overrides.realizations = realizations;
  request.overrides.seed = seed;
  request.threads = threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
  request.shard = shard;
  McCall call;
  std::string problem;
  {
    py::gil_scoped_release unlocked;
    try {
      mc::McResult result = mc::run_monte_carlo(request);
      call.status = status_word(result.baseline.status);
      call.exit_status = result.baseline.exit_status();
      for (std::size_t k = 0; k < result.baseline.message.size(); ++k)
        call.message += (k > 0 ? "; " : "") + result.baseline.message[k];
      if (result.nested) {
        problem = "a nested run (uncertainty inputs): run it with the vorn program";
      } else if (result.baseline.status == Status::completed) {
        call.part = Part{std::make_shared<const mc::McPart>(std::move(result.part))};
      }
    } catch (const mc::ScenarioError& e) {
      problem = e.what();
    } catch (const mc::McUsageError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return call;
}

Part parsed(const std::string& text) {
  std::string problem;
  Part part;
  {
    py::gil_scoped_release unlocked;
    try {
      part.state = std::make_shared<const mc::McPart>(mc::parse_part(text, "this summary"));
    } catch (const mc::PartError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return part;
}

std::string text_of(const Part& part) {
  py::gil_scoped_release unlocked;
  return mc::part_json(*part.state);
}

Part merged(const Part& a, const Part& b) {
  std::string problem;
  Part into;
  {
    py::gil_scoped_release unlocked;
    try {
      mc::McPart both = *a.state;
      mc::merge_part(both, *b.state, "the other summary");
      into.state = std::make_shared<const mc::McPart>(std::move(both));
    } catch (const mc::PartError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return into;
}

std::pair<std::string, std::string> documents(const Part& part) {
  const mc::McPart& state = *part.state;
  if (!state.complete())
    value_error("this summary holds " + std::to_string(state.shards.size()) + " of its " +
                std::to_string(state.shard_count) + " shards: merge the others first");
  py::gil_scoped_release unlocked;
  const mc::McReport r = mc::report_of(state);
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
      .def(
          "complete", [](const Part& p) { return p.state->complete(); },
          "Whether every shard of the run is in this part.")
      .def("documents", &documents,
           "(JSON, CSV) as vorn mc writes them; ValueError while shards are missing.");
  py::class_<McCall>(m, "McCall", "The outcome of a probabilistic run.")
      .def_readonly("status", &McCall::status)
      .def_readonly("exit_status", &McCall::exit_status)
      .def_readonly("message", &McCall::message)
      .def_readonly("part", &McCall::part);
  m.def("montecarlo", &montecarlo, py::arg("scenario_name"), py::arg("scenario_text"),
        py::arg("input_text"), py::arg("realizations"), py::arg("seed"), py::arg("threads"),
        py::arg("shard"),
        "A probabilistic run: its deterministic run's status and, when that completed, the "
        "part of the realizations run. ValueError listing a scenario's problems.");
}

}  // namespace vorn::python
