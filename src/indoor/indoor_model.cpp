#include "indoor/indoor_model.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/fmin_fmax.hpp"
#include "indoor/indoor_kernel.hpp"
#include "indoor/indoor_lanes.hpp"

namespace vorn {
namespace indoor {
namespace {

Terms prepare(const IndoorInputs& in) {
  const double Hd = in.Hd, DIFFW = in.DIFFW, DIFFA = in.DIFFA, Cw = in.Cw;
  const double Cmax = Hd * Cw;
  const double p = 2.0 / 3.0;
  const double S1 =
      1 - std::exp(-(216 / (2.5 / std::pow(DIFFW, p) + 1 / (std::pow(DIFFA, p) * Hd))) *
                   27.551020408163264);
  const double m =
      2.76e6 / (2.5 / std::pow(1e-4 * DIFFW, p) + 70 / (std::pow(1e-4 * DIFFA, p) * Hd));
  return Terms{Cmax, S1, 0.5 * m, 0.66 * m, Cw, vorn::fmin(Cmax, 0.0)};
}

IndoorAverages finish(const Terms& t, const Sums& s) {
  // Cmax first: with a zero Cmax of either sign the average takes Cmax's sign.
  return IndoorAverages{vorn::fmin(t.Cmax, s.s[0] / kPhases.n0),
                        vorn::fmin(t.Cmax, s.s[1] / kPhases.n1),
                        vorn::fmin(t.Cmax, s.s[2] / kPhases.n2)};
}

bool cpu_has_avx2() {
#if defined(VORN_INDOOR_AVX2)
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

Path choose_path() {
  Path p = cpu_has_avx2() ? Path::avx2 : Path::sse2;
  if (const char* forced = std::getenv("VORN_SIMD")) {
    if (std::strcmp(forced, "scalar") == 0) p = Path::scalar;
    if (std::strcmp(forced, "sse2") == 0 && p == Path::avx2) p = Path::sse2;
  }
  return p;
}

Path active_path() {
  static const Path p = choose_path();
  return p;
}

// Evaluations prepared at a time: a multiple of every block, small enough for the stack.
constexpr std::size_t kChunk = 64;

}  // namespace

bool path_runs(Path p) {
  return p != Path::avx2 || cpu_has_avx2();
}

void batch_on(Path p, const IndoorInputs* in, IndoorAverages* out, std::size_t n) {
  if (p == Path::scalar) {
    for (std::size_t i = 0; i < n; ++i) out[i] = indoor_model(in[i]);
    return;
  }
  const std::size_t block = p == Path::avx2 ? kAvx2Block : kSse2Block;
  Terms t[kChunk];
  Sums s[kChunk];
  for (std::size_t start = 0; start < n; start += kChunk) {
    const std::size_t m = std::min(kChunk, n - start);
    for (std::size_t i = 0; i < m; ++i) t[i] = prepare(in[start + i]);
    // Idle lanes repeat a real evaluation; their sums are dropped.
    const std::size_t filled = (m + block - 1) / block * block;
    std::fill(t + m, t + filled, t[m - 1]);
    if (p == Path::avx2) {
      lanes_avx2(t, s, filled);
    } else {
      lanes_sse2(t, s, filled);
    }
    for (std::size_t i = 0; i < m; ++i) out[start + i] = finish(t[i], s[i]);
  }
}

#if !defined(VORN_INDOOR_AVX2)
void lanes_avx2(const Terms* t, Sums* out, std::size_t n) {
  lanes_sse2(t, out, n);
}
#endif

}  // namespace indoor

IndoorAverages indoor_model(const IndoorInputs& in) {
  const indoor::Terms t = indoor::prepare(in);
  indoor::Consts<double, bool> c[1] = {{t.Cmax, t.S1, t.S2, t.S3, t.Cw, t.z, t.Cmax != t.Cmax}};
  indoor::State<double> s[1] = {};
  indoor::run(c, s);
  return indoor::finish(t, indoor::Sums{{s[0].sum0, s[0].sum1, s[0].sum2}});
}

void indoor_model_batch(const IndoorInputs* in, IndoorAverages* out, std::size_t n) {
  indoor::batch_on(indoor::active_path(), in, out, n);
}

const char* indoor_model_path() {
  switch (indoor::active_path()) {
    case indoor::Path::avx2:
      return "avx2";
    case indoor::Path::sse2:
      return "sse2";
    case indoor::Path::scalar:
      break;
  }
  return "scalar";
}

}  // namespace vorn
