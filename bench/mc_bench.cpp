// Monte Carlo throughput: the realizations of a scenario, in process, as vorn mc runs them
// after its baseline (run_realizations on the prepared input).
//
//   McRate/C/T    the 10,000 realizations of case C on T threads, wall-clock time; counters:
//                 rate, chemical-realizations per second; per_core, the same per thread;
//                 per_cpu_s, per second of the process's CPU time (the figure that other
//                 work on the machine disturbs least); tally_MB, the memory of the tally.
//                 The row "min" has the least time, "max" the highest rates.
//   McTallyMemory/C/N  the tally's memory after N realizations on one thread (tally_MB) and the
//                 process's peak resident memory so far (peak_MB).
//
// Cases, generated in a temporary directory from examples/landfill and the shipped
// scenario examples/montecarlo/scenario.toml:
//   0  the shipped scenario (10 chemicals);
//   1  the same scenario over 50 chemicals, copies of the landfill's with other TCLP and
//      total concentrations;
//   2  the same over 50 chemicals that need no indoor-air model (copies of those of the
//      landfill that need none), so that C = 2 is the rate per core of such chemicals.
// The machine is shared: the minimum over the repetitions is the figure to compare.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "core/output_file.hpp"
#include "input/chemical_records.hpp"
#include "input/site_parameters.hpp"
#include "mc/mc_engine.hpp"
#include "scenario/plan_from_scenario.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"
#include "scenario/scenario_reader.hpp"

namespace {

namespace fs = std::filesystem;
using namespace vorn;
using namespace vorn::mc;

const fs::path kExamples = fs::path(__FILE__).parent_path().parent_path() / "examples";
constexpr std::size_t kChemicals = 50;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string file_text(const fs::path& file) {
  std::string bytes, why;
  if (!read_file(file.string(), bytes, why)) throw std::runtime_error(file.string() + ": " + why);
  return bytes;
}

void replace(std::string& text, const std::string& what, const std::string& with) {
  const std::size_t at = text.find(what);
  if (at == std::string::npos) throw std::runtime_error("the scenario has no " + what);
  text.replace(at, what.size(), with);
}

// The landfill's VORN.IN in parts: site lines (the last the chemical count), headings,
// one property line and one concentration line per chemical, and the DAF table.
struct Landfill {
  std::vector<std::string> site, properties, concentrations, daf;
  std::string property_heading, concentration_heading;
  explicit Landfill(const std::string& text) {
    const std::vector<std::string> l = lines_of(text);
    const std::size_t n = std::stoul(l.at(8));
    site.assign(l.begin(), l.begin() + 8);
    property_heading = l.at(9);
    properties.assign(l.begin() + 10, l.begin() + 10 + static_cast<long>(n));
    concentration_heading = l.at(10 + n);
    concentrations.assign(l.begin() + 11 + static_cast<long>(n),
                          l.begin() + 11 + 2 * static_cast<long>(n));
    daf.assign(l.begin() + 11 + 2 * static_cast<long>(n), l.end());
  }

  // `count` chemicals, copy k of chemical sources[k % size] with its TCLP and total
  // concentrations scaled by 1 + k / 97 (its CAS number kept, for the DAF rows).
  std::string input(const std::vector<std::size_t>& sources, std::size_t count) const {
    std::string props, concs;
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t s = sources[k % sources.size()];
      std::string p = properties[s];
      p.insert(p.find(" @"), " " + std::to_string(k + 1));
      props += p + "\n";
      std::istringstream words(concentrations[s]);
      double tclp = 0, total = 0;
      std::string tclp_flag, total_flag;
      words >> tclp >> tclp_flag >> total >> total_flag;
      const double f = 1 + static_cast<double>(k) / 97;
      char line[96];
      std::snprintf(line, sizeof line, "%.6g %s %.6g %s\n", tclp * f, tclp_flag.c_str(), total * f,
                    total_flag.c_str());
      concs += line;
    }
    std::string out;
    for (const std::string& l : site) out += l + "\n";
    out += std::to_string(count) + "\n" + property_heading + "\n" + props + concentration_heading +
           "\n" + concs;
    for (const std::string& l : daf) out += l + "\n";
    return out;
  }
};

// A scenario with its input read and prepared, ready for realizations.
struct Case {
  McInput input;
  scenario::SamplingPlan plan;
};

void read_records(const std::string& bytes, McInput& input) {
  InputFile in(bytes);
  StringSink log;
  const LogUnit echo(log, kDebugUnit);
  input.unit = readsiteparameters(in, echo);
  readchemicals(in, echo, input.chemicals);
  readdaftable(in, echo, *input.daf);
}

std::unique_ptr<Case> prepare(const fs::path& scenario_file) {
  const scenario::Scenario scenario = scenario::read_scenario(scenario_file);
  auto c = std::make_unique<Case>();
  read_records(file_text(scenario.input), c->input);
  const scenario::ResolvedScenario resolved =
      scenario::resolve_scenario(scenario, c->input.chemicals);
  c->plan = scenario::plan_from_scenario(resolved, c->input.chemicals);
  if (!prepare_input(c->input)) throw std::runtime_error("the input cannot be evaluated");
  return c;
}

// The landfill's chemicals that complete without an indoor-air model.
std::vector<std::size_t> without_indoor_model(const Case& shipped) {
  RealizationEvaluator evaluator(shipped.input, shipped.plan);
  McTally tally(shipped.input.chemicals.size());
  evaluator.evaluate(1, tally);
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < evaluator.evaluations().size(); ++i) {
    const ChemicalEvaluation& ev = evaluator.evaluations()[i];
    if (!ev.failure && ev.indoor.count == 0) found.push_back(i);
  }
  return found;
}

class Cases {
 public:
  Cases() : dir_(fs::temp_directory_path() / ("vorn-mc-bench-" + std::to_string(getpid()))) {
    fs::create_directories(dir_);
    const fs::path shipped = kExamples / "montecarlo" / "scenario.toml";
    cases_.push_back(prepare(shipped));
    const Landfill landfill(file_text(kExamples / "landfill" / "VORN.IN"));
    std::string toml = file_text(shipped);
    // Copies share CAS numbers: the property varied goes to the first chemical by index.
    replace(toml, "chemical = \"71-43-2\"", "chemical = 1");
    replace(toml, "../landfill/VORN.IN", "VORN.IN");
    std::vector<std::size_t> all(landfill.properties.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    cases_.push_back(generated("mixed", landfill.input(all, kChemicals), toml));
    std::string no_henry = toml;
    replace(no_henry, "\"HENRY\"", "\"CSFO\"");
    cases_.push_back(generated(
        "outdoor", landfill.input(without_indoor_model(*cases_[0]), kChemicals), no_henry));
  }
  ~Cases() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  const Case& at(std::size_t k) const { return *cases_.at(k); }

 private:
  std::unique_ptr<Case> generated(const std::string& name, const std::string& input,
                                  const std::string& toml) {
    const fs::path dir = dir_ / name;
    fs::create_directories(dir);
    std::ofstream(dir / "VORN.IN", std::ios::binary) << input;
    std::ofstream(dir / "scenario.toml", std::ios::binary) << toml;
    return prepare(dir / "scenario.toml");
  }
  fs::path dir_;
  std::vector<std::unique_ptr<Case>> cases_;
};

const Cases& cases() {
  static const Cases made;
  return made;
}

constexpr double kMB = 1024.0 * 1024.0;

// User and system time of every thread of the process.
double process_cpu_s() {
  rusage used{};
  getrusage(RUSAGE_SELF, &used);
  const auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * t.tv_usec; };
  return s(used.ru_utime) + s(used.ru_stime);
}

double peak_mb() {
  rusage used{};
  getrusage(RUSAGE_SELF, &used);
  return static_cast<double>(used.ru_maxrss) * 1024.0 / kMB;
}

// The case's plan for N realizations.
scenario::SamplingPlan plan_for(const Case& c, std::uint64_t n) {
  scenario::SamplingPlan plan = c.plan;
  plan.realizations = n;
  return plan;
}

void McRate(benchmark::State& state) {
  const Case& c = cases().at(static_cast<std::size_t>(state.range(0)));
  const auto threads = static_cast<unsigned>(state.range(1));
  const std::uint64_t n = c.plan.realizations;  // the shipped scenario's
  double tally_mb = 0, cpu_s = 0;
  for (auto _ : state) {
    const double cpu_before = process_cpu_s();
    const McTally tally = run_realizations(c.input, c.plan, 1, n, threads);
    cpu_s += process_cpu_s() - cpu_before;
    tally_mb = static_cast<double>(tally.memory_bytes()) / kMB;
  }
  const double done = static_cast<double>(state.iterations() * n * c.input.chemicals.size());
  state.counters["rate"] = benchmark::Counter(done, benchmark::Counter::kIsRate);
  state.counters["per_core"] = benchmark::Counter(done / threads, benchmark::Counter::kIsRate);
  state.counters["per_cpu_s"] = done / cpu_s;
  state.counters["tally_MB"] = tally_mb;
}
BENCHMARK(McRate)
    ->ArgNames({"C", "T"})
    ->ArgsProduct({{0, 1, 2}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                          return *std::min_element(v.begin(), v.end());
                        })
    ->ComputeStatistics("max",
                        [](const std::vector<double>& v) {
                          return *std::max_element(v.begin(), v.end());
                        })
    ->ReportAggregatesOnly();

void McTallyMemory(benchmark::State& state) {
  const Case& c = cases().at(static_cast<std::size_t>(state.range(0)));
  const auto n = static_cast<std::uint64_t>(state.range(1));
  const scenario::SamplingPlan plan = plan_for(c, n);
  double tally_mb = 0;
  for (auto _ : state)
    tally_mb = static_cast<double>(run_realizations(c.input, plan, 1, n, 1).memory_bytes()) / kMB;
  state.counters["tally_MB"] = tally_mb;
  state.counters["peak_MB"] = peak_mb();
}
BENCHMARK(McTallyMemory)
    ->ArgNames({"C", "N"})
    ->Args({1, 10000})
    ->Args({2, 1000})
    ->Args({2, 10000})
    ->Args({2, 100000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
