#include "mc_binding.hpp"

#include <exception>
#include <optional>
#include <utility>
#include <variant>

#include "mc/part_header.hpp"
#include "mc_run/any_part.hpp"
#include "mc_run/mc_run.hpp"
#include "mc_run/part_documents.hpp"
#include "scenario/scenario_error.hpp"
#include "scenario/scenario_overrides.hpp"
#include "scenario/scenario_reader.hpp"
#include "vorn/page_stamp.hpp"
#include "vorn/results_json.hpp"

namespace vorn::web {
namespace {

// The name messages give the scenario: the page holds it as text.
constexpr const char* kScenarioName = "scenario.toml";

std::optional<std::uint64_t> count_option(const val& options, const char* key) {
  const val v = options[key];
  if (v.isUndefined() || v.isNull()) return std::nullopt;
  return static_cast<std::uint64_t>(v.as<double>());
}

scenario::ScenarioOverrides overrides_of(const val& options) {
  scenario::ScenarioOverrides o;
  o.realizations = count_option(options, "realizations");
  o.outer = count_option(options, "outer");
  o.inner = count_option(options, "inner");
  o.seed = count_option(options, "seed");
  return o;
}

mc_run::McRequest request_of(const std::string& scenario, const val& input, const val& options) {
  mc_run::McRequest request =
      mc_run::make_request(kScenarioName, overrides_of(options), 1, std::nullopt);
  request.scenario_text = scenario;
  request.input_text = bytes_of(input);
  return request;
}

val failed(const std::string& message) {
  val r = val::object();
  r.set("ok", false);
  r.set("status", std::string("error"));
  r.set("exitStatus", 64);
  r.set("message", message);
  return r;
}

std::string joined(const std::vector<std::string>& lines, const char* separator) {
  std::string out;
  for (const std::string& line : lines) out += (out.empty() ? "" : separator) + line;
  return out;
}

}  // namespace

val mc_plan(const std::string& text, const val& options) {
  try {
    scenario::Scenario s = scenario::parse_scenario(text, kScenarioName, true);
    scenario::apply_overrides(s, overrides_of(options));
    val r = val::object();
    r.set("ok", true);
    r.set("nested", s.nested());
    r.set("targetPrecision", s.target_precision.has_value());
    r.set("realizations", static_cast<double>(s.realizations));
    r.set("outer", static_cast<double>(s.outer));
    r.set("inner", static_cast<double>(s.inner));
    r.set("correlated", !s.correlate.empty());
    // A run that stops at a precision decides its length as it goes: one worker runs it.
    r.set("shardable", !s.target_precision.has_value());
    return r;
  } catch (const scenario::ScenarioError& e) {
    val r = failed(e.what());
    r.set("problems", string_array(e.messages()));
    return r;
  }
}

val mc_shard(const std::string& scenario, const val& input, const val& options, unsigned index,
             unsigned count, const val& progress) {
  try {
    mc_run::McRequest request = request_of(scenario, input, options);
    if (count > 1) request.shard = std::pair<std::uint64_t, std::uint64_t>{index, count};
    request.progress = [&progress](std::uint64_t done, std::uint64_t total) {
      progress(static_cast<double>(done), static_cast<double>(total));
    };
    const val sobol = options["sobol"];
    std::optional<mc_run::AnyPart> part;
    Outcome baseline;
    if (!sobol.isUndefined() && !sobol.isNull()) {
      mc_run::SobolResult result =
          mc_run::run_sobol(request, static_cast<std::size_t>(sobol.as<double>()),
                            [](std::uint64_t, std::uint64_t) {});
      baseline = std::move(result.baseline);
      if (baseline.status == Status::completed) part.emplace(std::move(result.part));
    } else {
      mc_run::McResult result = mc_run::run_monte_carlo(request);
      baseline = std::move(result.baseline);
      if (baseline.status == Status::completed)
        part.emplace(result.nested ? mc_run::AnyPart(std::move(*result.nested))
                                   : mc_run::AnyPart(std::move(result.part)));
    }
    val r = val::object();
    r.set("ok", part.has_value());
    r.set("status", std::string(status_word(baseline.status)));
    r.set("exitStatus", baseline.exit_status());
    r.set("message",
          part ? std::string()
               : "the deterministic run did not complete: " + joined(baseline.message, "; "));
    r.set("part", part ? bytes(mc_run::part_text(*part)) : val::null());
    return r;
  } catch (const scenario::ScenarioError& e) {
    val r = failed(e.what());
    r.set("problems", string_array(e.messages()));
    return r;
  } catch (const std::exception& e) {
    return failed(e.what());
  }
}

val mc_documents(const val& parts, const std::string& date) {
  try {
    const auto n = parts["length"].as<std::size_t>();
    if (n == 0) return failed("no parts to merge");
    std::optional<mc_run::AnyPart> merged;
    for (std::size_t k = 0; k < n; ++k) {
      const std::string source = "part " + std::to_string(k + 1);
      mc_run::AnyPart part = mc_run::read_part(bytes_of(parts[k]), source);
      if (!merged)
        merged.emplace(std::move(part));
      else
        mc_run::merge_parts(*merged, part, source);
    }
    const mc_run::PartDocuments documents(*merged);
    val r = val::object();
    r.set("ok", true);
    r.set("kind", std::string(mc_run::kind_of(*merged).run));
    r.set("json", bytes(documents.json()));
    r.set("csv", bytes(documents.csv()));
    r.set("html", bytes(documents.html(PageStamp{date, {}, {}})));
    return r;
  } catch (const std::exception& e) {
    return failed(e.what());
  }
}

}  // namespace vorn::web
