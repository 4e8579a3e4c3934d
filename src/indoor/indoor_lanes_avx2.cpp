// Four lanes of 256 bits. Only this file is compiled with -mavx2, and it runs only
// once the dispatcher has seen the processor support it.
#include <cstdint>

#include "indoor/indoor_kernel.hpp"

namespace vorn::indoor {
namespace {

typedef double v4d __attribute__((vector_size(32)));
typedef std::int64_t v4i __attribute__((vector_size(32)));

}  // namespace

void lanes_avx2(const Terms* t, Sums* out, std::size_t n) {
  for (std::size_t b = 0; b < n; b += kAvx2Block) {
    run_block<v4d, v4i, 4, 2>(t + b, out + b);
  }
}

}  // namespace vorn::indoor
