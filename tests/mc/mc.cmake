# The numerics tests link the numerics library; statistical tests live in *_slow.cpp.
vorn_numerics_area(mc vorn_mc Boost::headers)
# OpenTURNS recomputes the Sobol indices of a vorn quantity from the design --samples writes.
find_program(VORN_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
target_compile_definitions(mc_mc_sobol_test PRIVATE
  VORN_REFERENCE_PYTHON="${VORN_SYSTEM_PYTHON}"
  VORN_OPENTURNS_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/../sensitivity/openturns_jansen.py")
# The Philox test compares the header-only generator with Random123.
target_include_directories(mc_philox_test SYSTEM PRIVATE ${VORN_RANDOM123_INCLUDE})
