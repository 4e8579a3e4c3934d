# The Monte Carlo layer's tests link it; statistical tests live in *_slow.cpp.
vorn_numerics_area(mc vorn_mc Boost::headers)
