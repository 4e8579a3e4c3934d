# The numerics tests link the numerics library; statistical tests live in *_slow.cpp.
vorn_numerics_area(mc vorn_mc Boost::headers)
