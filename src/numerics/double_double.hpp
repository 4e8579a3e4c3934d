// Double-double arithmetic: a value held as an unevaluated sum hi + lo of two doubles, |lo|
// at most half an ulp of hi, about 106 bits. Error-free transformations (Knuth's two-sum,
// the product's error by an explicit fused multiply-add), so the results do not depend on
// the compiler contracting anything.
#pragma once

#include <cmath>

namespace vorn::numerics {

struct DoubleDouble {
  double hi = 0.0, lo = 0.0;
};

// a + b exactly, as a normalised pair.
inline DoubleDouble two_sum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly when |a| >= |b|.
inline DoubleDouble quick_two_sum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

inline DoubleDouble two_product(double a, double b) {
  const double p = a * b;
  return {p, std::fma(a, b, -p)};
}

// x / d by one long-division step: the quotient's first double, then the remainder's.
inline DoubleDouble divide(DoubleDouble x, double d) {
  const double q1 = x.hi / d;
  const DoubleDouble p = two_product(q1, d);
  DoubleDouble r = two_sum(x.hi, -p.hi);
  r.lo += x.lo - p.lo;
  const double q2 = (r.hi + r.lo) / d;
  return quick_two_sum(q1, q2);
}

}  // namespace vorn::numerics
