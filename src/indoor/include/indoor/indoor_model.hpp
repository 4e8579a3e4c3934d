// Indoor air model: three well-mixed compartments fed by water used in the home,
// with its time loop free of library calls and, for batches, run in vector lanes.
// Every result is the same double, bit for bit, as the libm-based model gives.
#pragma once

#include <cstddef>

namespace vorn {

// Dimensionless Henry coefficient, diffusivities in water and air (cm2/s) and the
// water concentration (mg/L).
struct IndoorInputs {
  double Hd, DIFFW, DIFFA, Cw;
};

struct IndoorAverages {
  double A1, A2, A3;
};

IndoorAverages indoor_model(const IndoorInputs& in);

// n independent evaluations, several at a time in the widest lanes the processor has.
void indoor_model_batch(const IndoorInputs* in, IndoorAverages* out, std::size_t n);

// The lanes batches use: "avx2", "sse2" or "scalar". VORN_SIMD=avx2|sse2|scalar in the
// environment, read once, selects a narrower one than the processor allows.
const char* indoor_model_path();

}  // namespace vorn
