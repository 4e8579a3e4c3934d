// Internal to the indoor model: what the dispatcher hands the per-processor lanes.
#pragma once

#include <cstddef>

#include "indoor/indoor_model.hpp"

namespace vorn::indoor {

// The per-evaluation terms computed before the time loop, with libm.
struct Terms {
  double Cmax, S1, S2, S3, Cw;
  double z;  // fmin(Cmax, +0): what an idle source adds to its compartment
};

// Sums of the compartment concentrations over the three phases.
struct Sums {
  double s[3];
};

enum class Path { scalar, sse2, avx2 };

// Evaluations each lane kernel runs at a time: two vectors interleaved.
constexpr std::size_t kSse2Block = 4;
constexpr std::size_t kAvx2Block = 8;

// n is a multiple of the block.
void lanes_sse2(const Terms* t, Sums* out, std::size_t n);
void lanes_avx2(const Terms* t, Sums* out, std::size_t n);

// Whether this processor can run p, and a batch on p regardless of VORN_SIMD (for tests).
bool path_runs(Path p);
void batch_on(Path p, const IndoorInputs* in, IndoorAverages* out, std::size_t n);

}  // namespace vorn::indoor
