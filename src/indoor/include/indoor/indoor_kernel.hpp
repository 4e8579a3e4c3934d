// The time loop of the indoor model, written once for a double and for vector lanes
// (GCC vector extensions). Included only by the translation units that run it: each one
// compiles for its own instruction set, so everything here has internal linkage.
//
// The loop reproduces the libm-based model exactly: the same IEEE operations in the same
// order, and comparisons giving what glibc's x86-64 fmin/fmax give, NaN and zeros included.
#pragma once

#include "indoor/indoor_lanes.hpp"

namespace vorn::indoor {
namespace {

struct Phases {
  int n0, n1, n2;
};

// Steps per phase, from the same accumulation of t as the model's loop.
constexpr Phases count_phases() {
  Phases p{0, 0, 0};
  for (double t = 0.2; t < 960.0767999999999; t += 0.2) {
    if (t <= 11.4048) {
      ++p.n0;
    } else if (t <= 60.0768) {
      ++p.n1;
    } else {
      ++p.n2;
    }
  }
  return p;
}
constexpr Phases kPhases = count_phases();
static_assert(kPhases.n0 == 57 && kPhases.n1 == 243 && kPhases.n2 == 4500);

inline double select(bool m, double a, double b) {
  return m ? a : b;
}

template <class M, class V>
inline V select(M m, V a, V b) {
  return (V)((m & (M)a) | (~m & (M)b));
}

// glibc's fmin(x, y) is x < y ? x : y, except that a NaN y yields x; fmax likewise.
template <class V>
inline V min_one(V x) {
  const V one = V{} + 1.0;
  return select(x < one, x, one);
}

template <class V>
inline V clamp01(V x) {
  const V zero{};
  return min_one(select(x > zero, x, zero));
}

template <class V, class M>
struct Consts {
  V Cmax, S1, S2, S3, Cw, z;
  M cmax_nan;
};

template <class V, class M>
inline V min_cmax(V e, const Consts<V, M>& c) {
  return select(M((e < c.Cmax) | c.cmax_nan), e, c.Cmax);
}

template <class V>
struct State {
  V X1, X2, X3, sum0, sum1, sum2;
};

// One phase feeds one compartment. The two idle sources are clamp01(..) * k * 0.0 / d,
// always +0 since clamp01 lies in [+0, 1] (glibc's fmax(-0, +0) is +0), so an idle
// compartment gains fmin(Cmax, +0) = c.z, and the divisions that lead to it need not run.
// The X start at +0 and never become -0, so no sign of a zero from fmin reaches a result.
template <class V, class M, int K>
void run(const Consts<V, M> (&c)[K], State<V> (&s)[K]) {
  for (int i = 0; i < kPhases.n0; ++i) {
#pragma GCC unroll 4
    for (int k = 0; k < K; ++k) {
      State<V>& x = s[k];
      const V E1 = clamp01((1 - min_one(x.X1 / c[k].Cmax)) * c[k].S1) * 1.1 * c[k].Cw / 2300;
      x.X1 = x.X1 - (x.X1 - x.X2) * 20 / 2300 + min_cmax(E1, c[k]);
      x.X2 = x.X2 - (x.X2 - x.X3) * 60 / 13600 + (x.X1 - x.X2) * 20 / 13600 + c[k].z;
      x.X3 = x.X3 - 465 * x.X3 / 310000 + (x.X2 - x.X3) * 60 / 310000 + c[k].z;
      x.sum0 += x.X1;
    }
  }
  for (int i = 0; i < kPhases.n1; ++i) {
#pragma GCC unroll 4
    for (int k = 0; k < K; ++k) {
      State<V>& x = s[k];
      x.X1 = x.X1 - (x.X1 - x.X2) * 20 / 2300 + c[k].z;
      const V E2 =
          clamp01((1 - x.X2 / c[k].Cmax) * c[k].S2) * 0.41600000000000004 * c[k].Cw / 13600;
      x.X2 = x.X2 - (x.X2 - x.X3) * 60 / 13600 + (x.X1 - x.X2) * 20 / 13600 + min_cmax(E2, c[k]);
      x.X3 = x.X3 - 465 * x.X3 / 310000 + (x.X2 - x.X3) * 60 / 310000 + c[k].z;
      x.sum1 += x.X2;
    }
  }
  for (int i = 0; i < kPhases.n2; ++i) {
#pragma GCC unroll 4
    for (int k = 0; k < K; ++k) {
      State<V>& x = s[k];
      x.X1 = x.X1 - (x.X1 - x.X2) * 20 / 2300 + c[k].z;
      x.X2 = x.X2 - (x.X2 - x.X3) * 60 / 13600 + (x.X1 - x.X2) * 20 / 13600 + c[k].z;
      const V E3 = clamp01((1 - x.X3 / c[k].Cmax) * c[k].S3) * 0.042 * c[k].Cw / 310000;
      x.X3 = x.X3 - 465 * x.X3 / 310000 + (x.X2 - x.X3) * 60 / 310000 + min_cmax(E3, c[k]);
      x.sum2 += x.X3;
    }
  }
}

// K vectors of L lanes: evaluations t[0 .. K*L).
template <class V, class M, int L, int K>
void run_block(const Terms* t, Sums* out) {
  Consts<V, M> c[K];
  State<V> s[K];
  for (int k = 0; k < K; ++k) {
    for (int l = 0; l < L; ++l) {
      const Terms& e = t[k * L + l];
      c[k].Cmax[l] = e.Cmax;
      c[k].S1[l] = e.S1;
      c[k].S2[l] = e.S2;
      c[k].S3[l] = e.S3;
      c[k].Cw[l] = e.Cw;
      c[k].z[l] = e.z;
    }
    c[k].cmax_nan = c[k].Cmax != c[k].Cmax;
    s[k] = State<V>{};
  }
  run(c, s);
  for (int k = 0; k < K; ++k) {
    for (int l = 0; l < L; ++l) {
      out[k * L + l] = Sums{{s[k].sum0[l], s[k].sum1[l], s[k].sum2[l]}};
    }
  }
}

}  // namespace
}  // namespace vorn::indoor
