#include "distribution_binding.hpp"

#include <algorithm>
#include <cmath>

#include "numerics/distribution.hpp"
#include "numerics/distribution_families.hpp"
#include "scenario/scenario_error.hpp"
#include "scenario/scenario_reader.hpp"

namespace vorn::web {
namespace {

constexpr double kPercentiles[] = {1, 5, 10, 25, 50, 75, 90, 95, 99};

// A bin of the preview with the density at its middle (a discrete value's probability).
val bin(const numerics::Distribution& d, double from, double to) {
  val o = val::object();
  o.set("from", from);
  o.set("to", to);
  o.set("density", d.density(from + (to - from) / 2));
  return o;
}

}  // namespace

val distribution_preview(const std::string& dist, unsigned bins) {
  val r = val::object();
  try {
    // A [[vary]] table of its own, on a unit parameter that any input has.
    const std::string text = "[[vary]]\nfield = \"WU_WASTEVOL\"\ndist = " + dist + "\n";
    const scenario::Scenario s = scenario::parse_scenario(text, "dist", true);
    const scenario::VaryEntry& e = s.vary.at(0);
    const numerics::Distribution d(e.family, e.parameters);
    r.set("ok", true);
    r.set("family", std::string(numerics::family_name(e.family)));
    r.set("mean", d.mean());
    r.set("sd", d.sd());
    val percentiles = val::array();
    for (double p : kPercentiles) {
      val o = val::object();
      o.set("p", p);
      o.set("x", d.quantile(p / 100));
      percentiles.call<void>("push", o);
    }
    r.set("percentiles", percentiles);
    val out = val::array();
    const numerics::DistributionParameters& p = e.parameters;
    const bool discrete = e.family == numerics::Family::constant ||
                          (e.family == numerics::Family::empirical && p.cdf.empty());
    bool log_scale = false;
    if (discrete) {
      std::vector<double> xs =
          e.family == numerics::Family::constant ? std::vector<double>{*p.value} : p.values;
      std::sort(xs.begin(), xs.end());
      xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
      for (double x : xs) out.call<void>("push", bin(d, x, x));
    } else {
      const double lo = d.quantile(0.001), hi = d.quantile(0.999);
      log_scale = lo > 0 && hi / lo > 100;
      const unsigned n = std::max(bins, 1u);
      for (unsigned k = 0; k < n; ++k) {
        const double t0 = static_cast<double>(k) / n, t1 = static_cast<double>(k + 1) / n;
        const double a = log_scale ? lo * std::pow(hi / lo, t0) : lo + (hi - lo) * t0;
        const double b = log_scale ? lo * std::pow(hi / lo, t1) : lo + (hi - lo) * t1;
        out.call<void>("push", bin(d, a, b));
      }
    }
    r.set("logScale", log_scale);
    r.set("discrete", discrete);
    r.set("bins", out);
  } catch (const scenario::ScenarioError& e) {
    r.set("ok", false);
    r.set("problems", string_array(e.messages()));
  } catch (const std::exception& e) {
    r.set("ok", false);
    r.set("problems", string_array({e.what()}));
  }
  return r;
}

val distribution_families() {
  val out = val::array();
  for (const numerics::FamilyEntry& e : numerics::family_entries()) {
    val keys = val::array();
    std::string_view rest = e.keys;
    while (!rest.empty()) {
      const std::size_t start = rest.find_first_not_of(' ');
      if (start == std::string_view::npos) break;
      const std::size_t end = rest.find(' ', start);
      keys.call<void>("push", std::string(rest.substr(start, end - start)));
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    }
    val o = val::object();
    o.set("name", std::string(e.name));
    o.set("keys", keys);
    out.call<void>("push", o);
  }
  return out;
}

}  // namespace vorn::web
