#pragma once

#include <boost/math/policies/policy.hpp>

namespace vorn::numerics {

// Every Boost.Math call of the Monte Carlo code takes this policy. Without
// promote_double<false> Boost evaluates double functions in long double, about five
// times slower for no accuracy a sampled input needs. Discrete quantiles round down so
// that order-statistic ranks come out conservative.
using MathPolicy = boost::math::policies::policy<
    boost::math::policies::promote_double<false>,
    boost::math::policies::discrete_quantile<boost::math::policies::integer_round_down>>;

}  // namespace vorn::numerics
