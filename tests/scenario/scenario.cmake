# The scenario tests link the scenario layer; statistical tests live in *_slow.cpp.
vorn_numerics_area(scenario vorn_scenario)
