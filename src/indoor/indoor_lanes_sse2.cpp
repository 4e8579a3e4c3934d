// Two lanes of 128 bits, the x86-64 baseline.
#include <cstdint>

#include "indoor/indoor_kernel.hpp"

namespace vorn::indoor {
namespace {

typedef double v2d __attribute__((vector_size(16)));
typedef std::int64_t v2i __attribute__((vector_size(16)));

}  // namespace

void lanes_sse2(const Terms* t, Sums* out, std::size_t n) {
  for (std::size_t b = 0; b < n; b += kSse2Block) {
    run_block<v2d, v2i, 2, 2>(t + b, out + b);
  }
}

}  // namespace vorn::indoor
