#include "numerics/sobol_points.hpp"

#include <boost/random/sobol.hpp>
#include <stdexcept>
#include <string>

#include "numerics/random_stream.hpp"

namespace vorn::numerics {

struct SobolPoints::Engine {
  explicit Engine(std::size_t dimensions) : sobol(dimensions) {}
  boost::random::sobol sobol;
};

SobolPoints::SobolPoints(std::uint64_t seed, std::size_t dimensions) {
  if (dimensions == 0 || dimensions > kMaxDimensions) {
    throw std::invalid_argument("a Sobol sequence has 1 to " + std::to_string(kMaxDimensions) +
                                " dimensions; this run asks for " + std::to_string(dimensions));
  }
  engine_ = std::make_unique<Engine>(dimensions);
  shifts_.resize(dimensions);
  for (std::size_t d = 0; d < dimensions; ++d) {
    auto block = philox_block(seed, d, 0, kSobolShiftTag);
    shifts_[d] = (static_cast<std::uint64_t>(block[1]) << 32) | block[0];
  }
}

SobolPoints::~SobolPoints() = default;
SobolPoints::SobolPoints(SobolPoints&&) noexcept = default;
SobolPoints& SobolPoints::operator=(SobolPoints&&) noexcept = default;

void SobolPoints::point(std::uint64_t realization, double* out) {
  if (realization < 1) throw std::out_of_range("realizations are numbered from 1");
  if (realization == 1) {  // point 0: every coordinate 0, shifted
    for (std::size_t d = 0; d < shifts_.size(); ++d) out[d] = unit_open(shifts_[d]);
    return;
  }
  // Boost's sequence position s is Sobol point s + 1 (its first output is already past
  // the zero point), realization s + 2; seed(s) jumps there through the Gray code of s + 1.
  if (realization != next_realization_) engine_->sobol.seed(realization - 2);
  for (std::size_t d = 0; d < shifts_.size(); ++d) {
    out[d] = unit_open(engine_->sobol() ^ shifts_[d]);
  }
  next_realization_ = realization + 1;
}

}  // namespace vorn::numerics
