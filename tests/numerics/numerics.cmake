# The numerics tests link the numerics layer alone; statistical tests live in *_slow.cpp.
vorn_numerics_area(numerics vorn_numerics Boost::headers)
# OpenTURNS is the reference of the Sobol estimator. Debian's python3-openturns is a module
# of the system interpreter, which need not be the python3 first on PATH.
find_program(VORN_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
target_compile_definitions(numerics_openturns_reference_test PRIVATE
  VORN_REFERENCE_PYTHON="${VORN_SYSTEM_PYTHON}"
  VORN_OPENTURNS_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/openturns_indices.py")
# The Philox test compares the header-only generator with Random123.
target_include_directories(numerics_philox_test SYSTEM PRIVATE ${VORN_RANDOM123_INCLUDE})
