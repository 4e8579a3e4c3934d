# Whole probabilistic runs through the program and the driver.
# OpenTURNS recomputes the Sobol indices of a vorn quantity from the design --samples writes.
find_program(VORN_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
target_compile_definitions(mc_run_mc_sobol_test PRIVATE
  VORN_REFERENCE_PYTHON="${VORN_SYSTEM_PYTHON}"
  VORN_OPENTURNS_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/../numerics/openturns_indices.py")
