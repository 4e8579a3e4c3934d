// Probabilistic runs for Python: a run (or one shard of it) gives its part document, the
// mergeable state; parts merge; a complete part gives the documents `vorn mc` writes.
#include "montecarlo.hpp"

#include <pybind11/stl.h>

#include <algorithm>
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

struct McCall {
  std::string status, message, part;
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
      const mc::McResult result = mc::run_monte_carlo(request);
      call.status = status_word(result.baseline.status);
      call.exit_status = result.baseline.exit_status();
      for (std::size_t k = 0; k < result.baseline.message.size(); ++k)
        call.message += (k > 0 ? "; " : "") + result.baseline.message[k];
      if (result.nested) {
        problem = "a nested run (uncertainty inputs): run it with the vorn program";
      } else if (result.baseline.status == Status::completed) {
        call.part = mc::part_json(result.part);
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

mc::McPart parsed(const std::string& part, const char* name) {
  try {
    return mc::parse_part(part, name);
  } catch (const mc::PartError& e) {
    value_error(e.what());
  }
}

std::string merge(const std::string& a, const std::string& b) {
  std::string merged, problem;
  {
    py::gil_scoped_release unlocked;
    try {
      mc::McPart into = mc::parse_part(a, "this summary");
      mc::merge_part(into, mc::parse_part(b, "the other summary"), "the other summary");
      merged = mc::part_json(into);
    } catch (const mc::PartError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return merged;
}

std::pair<std::string, std::string> documents(const std::string& text) {
  const mc::McPart part = parsed(text, "this summary");
  if (!part.complete())
    value_error("this summary holds " + std::to_string(part.shards.size()) + " of its " +
                std::to_string(part.shard_count) + " shards: merge the others first");
  py::gil_scoped_release unlocked;
  const mc::McReport r = mc::report_of(part);
  return {mc_json(r.summary, r.scenario_json, r.decision_percentile, &r.sensitivity),
          mc_csv(r.summary, &r.sensitivity)};
}

}  // namespace

void add_montecarlo(py::module_& m) {
  py::class_<McCall>(m, "McCall", "The outcome of a probabilistic run.")
      .def_readonly("status", &McCall::status)
      .def_readonly("exit_status", &McCall::exit_status)
      .def_readonly("message", &McCall::message)
      .def_readonly("part", &McCall::part);
  m.def("montecarlo", &montecarlo, py::arg("scenario_name"), py::arg("scenario_text"),
        py::arg("input_text"), py::arg("realizations"), py::arg("seed"), py::arg("threads"),
        py::arg("shard"),
        "A probabilistic run: its deterministic run's status and, when that completed, the "
        "part document of the realizations run. ValueError listing a scenario's problems.");
  m.def("merge_parts", &merge, py::arg("a"), py::arg("b"),
        "The part document of two parts merged; ValueError when they cannot be.");
  m.def("part_documents", &documents, py::arg("part"),
        "(JSON, CSV) of a complete part, as vorn mc writes them; ValueError when incomplete.");
}

}  // namespace vorn::python
