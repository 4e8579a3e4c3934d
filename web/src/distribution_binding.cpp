#include "distribution_binding.hpp"

#include <algorithm>
#include <cmath>

#include "numerics/distribution.hpp"
#include "scenario/scenario_error.hpp"
#include "scenario/scenario_reader.hpp"

namespace vorn::web {
namespace {

constexpr double kPercentiles[] = {1, 5, 10, 25, 50, 75, 90, 95, 99};

// The probability that a draw lies in (a, b]. The density a bin shows is this over its width.
double mass_between(const numerics::Distribution& d, double a, double b) {
  return d.cdf(b) - d.cdf(a);
}

val bin(double from, double to, double mass) {
  val o = val::object();
  o.set("from", from);
  o.set("to", to);
  o.set("mass", mass);
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
      double below = 0;
      for (double x : xs) {
        const double at = d.cdf(x);
        out.call<void>("push", bin(x, x, at - below));
        below = at;
      }
    } else {
      const double lo = d.quantile(0.001), hi = d.quantile(0.999);
      log_scale = lo > 0 && hi / lo > 100;
      const unsigned n = std::max(bins, 1u);
      for (unsigned k = 0; k < n; ++k) {
        const double t0 = static_cast<double>(k) / n, t1 = static_cast<double>(k + 1) / n;
        const double a = log_scale ? lo * std::pow(hi / lo, t0) : lo + (hi - lo) * t0;
        const double b = log_scale ? lo * std::pow(hi / lo, t1) : lo + (hi - lo) * t1;
        out.call<void>("push", bin(a, b, mass_between(d, a, b)));
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

}  // namespace vorn::web
