// Probabilistic runs for Python: a run (or one shard of it) gives its part, the mergeable
// state; parts merge; a complete part gives the documents `vorn mc` writes.
#include "montecarlo.hpp"

#include <pybind11/stl.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "mc/part_header.hpp"
#include "mc/unit_pool.hpp"
#include "mc_run/any_part.hpp"
#include "mc_run/mc_run.hpp"
#include "mc_run/part_documents.hpp"
#include "scenario/scenario.hpp"
#include "scenario/scenario_overrides.hpp"
#include "scenario/scenario_reader.hpp"
#include "vorn/results_json.hpp"

namespace vorn::python {
namespace {

namespace py = pybind11;

// The problems of a scenario or request, one a line.
[[noreturn]] void value_error(const std::string& what) {
  throw py::value_error(what);
}

// A run's mergeable state of any kind, held by the engine: it becomes text only to be pickled
// or sent. Held immutable, so that a merge makes a new one.
struct Part {
  std::shared_ptr<const mc_run::AnyPart> state;
  bool complete() const { return mc_run::header_of(*state).complete(); }
};

struct McCall {
  std::string status, message;
  std::optional<Part> part;
  int exit_status = 0;
  std::vector<std::string> notes;  // what the run does that the scenario does not say
};

McCall montecarlo(const std::string& scenario_name, std::optional<std::string> scenario_text,
                  std::optional<std::string> input_text, std::optional<std::uint64_t> realizations,
                  std::optional<std::uint64_t> seed, std::optional<std::uint64_t> outer,
                  std::optional<std::uint64_t> inner, unsigned threads,
                  std::optional<std::pair<std::uint64_t, std::uint64_t>> shard) {
  scenario::ScenarioOverrides overrides;
  overrides.realizations = realizations;
  overrides.seed = seed;
  overrides.outer = outer;
  overrides.inner = inner;
  mc_run::McRequest request = mc_run::make_request(scenario_name, overrides, threads, shard);
  request.scenario_text = std::move(scenario_text);
  request.input_text = std::move(input_text);
  McCall call;
  request.note = [&call](const std::string& note) { call.notes.push_back(note); };
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
        call.part = Part{std::make_shared<const mc_run::AnyPart>(
            result.nested ? mc_run::AnyPart(std::move(*result.nested))
                          : mc_run::AnyPart(std::move(result.part)))};
    } catch (const scenario::ScenarioError& e) {
      problem = e.what();
    } catch (const mc_run::McUsageError& e) {
      problem = e.what();
    } catch (const mc::UnitFailure& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return call;
}

scenario::Scenario scenario_of(const std::string& scenario_name, const std::string& scenario_text) {
  try {
    return scenario::parse_scenario(scenario_text, scenario_name, true);
  } catch (const scenario::ScenarioError& e) {
    value_error(e.what());
  }
}

// The VORN.IN a scenario's text names, as written; none when it names none.
std::optional<std::string> scenario_input(const std::string& scenario_name,
                                          const std::string& scenario_text) {
  const scenario::Scenario s = scenario_of(scenario_name, scenario_text);
  if (s.input.empty()) return std::nullopt;
  return s.input.string();
}

// What shards of the scenario's run cut: (realizations, or outer draws of a run with
// uncertainty inputs; the inner realizations of each outer draw, none in a one-dimensional
// run).
std::pair<std::uint64_t, std::optional<std::uint64_t>> shard_units(
    const std::string& scenario_name, const std::string& scenario_text,
    std::optional<std::uint64_t> realizations, std::optional<std::uint64_t> outer,
    std::optional<std::uint64_t> inner) {
  scenario::Scenario s = scenario_of(scenario_name, scenario_text);
  scenario::ScenarioOverrides overrides;
  overrides.realizations = realizations;
  overrides.outer = outer;
  overrides.inner = inner;
  try {
    scenario::apply_overrides(s, overrides);
  } catch (const scenario::ScenarioError& e) {
    value_error(e.what());
  }
  if (s.nested()) return {s.outer, s.inner};
  return {s.realizations, std::nullopt};
}

// Runs `work` without the GIL; a PartError or a unit's failure (an output's indices) it
// throws becomes ValueError.
template <class Work>
auto unlocked_part_work(Work&& work) {
  std::string problem;
  decltype(work()) out{};
  {
    py::gil_scoped_release unlocked;
    try {
      out = work();
    } catch (const mc::PartError& e) {
      problem = e.what();
    } catch (const mc::UnitFailure& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) value_error(problem);
  return out;
}

Part parsed(const std::string& text) {
  return unlocked_part_work([&] {
    return Part{std::make_shared<const mc_run::AnyPart>(mc_run::read_part(text, "this summary"))};
  });
}

std::string text_of(const Part& part) {
  py::gil_scoped_release unlocked;
  return mc_run::part_text(*part.state);
}

Part merged(const Part& a, const Part& b) {
  return unlocked_part_work([&] {
    mc_run::AnyPart both = *a.state;
    mc_run::merge_parts(both, *b.state, "the other summary", "this one");
    return Part{std::make_shared<const mc_run::AnyPart>(std::move(both))};
  });
}

std::pair<std::string, std::string> documents(const Part& part) {
  const mc::PartHeader& header = mc_run::header_of(*part.state);
  if (!header.complete())
    value_error("this summary holds " + std::to_string(header.shards.size()) + " of its " +
                std::to_string(header.shard_count) + " shards: merge the others first");
  return unlocked_part_work([&] {
    const mc_run::PartDocuments d(*part.state);
    return std::pair{d.json(), d.csv()};
  });
}

// The page `vorn mc --html` writes, dated `date`.
std::string page(const Part& part, const std::string& date) {
  const mc::PartHeader& header = mc_run::header_of(*part.state);
  if (!header.complete())
    value_error("this summary holds " + std::to_string(header.shards.size()) + " of its " +
                std::to_string(header.shard_count) + " shards: merge the others first");
  return unlocked_part_work([&] {
    return mc_run::PartDocuments(*part.state).html(PageStamp{date, {}, {}});
  });
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
           "(JSON, CSV) as vorn mc writes them; ValueError while shards are missing.")
      .def("page", &page, py::arg("date"),
           "The page vorn mc --html writes, dated date; ValueError while shards are missing.");
  py::class_<McCall>(m, "McCall", "The outcome of a probabilistic run.")
      .def_readonly("status", &McCall::status)
      .def_readonly("exit_status", &McCall::exit_status)
      .def_readonly("message", &McCall::message)
      .def_readonly("part", &McCall::part)
      .def_readonly("notes", &McCall::notes);
  m.def("montecarlo", &montecarlo, py::arg("scenario_name"), py::arg("scenario_text"),
        py::arg("input_text"), py::arg("realizations"), py::arg("seed"), py::arg("outer"),
        py::arg("inner"), py::arg("threads"), py::arg("shard"),
        "A probabilistic run: its deterministic run's status and, when that completed, the "
        "part of the realizations run. ValueError listing a scenario's problems.");
  m.def("scenario_input", &scenario_input, py::arg("scenario_name"), py::arg("scenario_text"),
        "The VORN.IN the scenario's input names, as written, or None. ValueError listing a "
        "scenario's problems.");
  m.def("shard_units", &shard_units, py::arg("scenario_name"), py::arg("scenario_text"),
        py::arg("realizations"), py::arg("outer"), py::arg("inner"),
        "(units a shard cuts: realizations, or outer draws of a run with uncertainty inputs; "
        "inner realizations per outer draw or None). ValueError listing a scenario's "
        "problems.");
}

}  // namespace vorn::python
