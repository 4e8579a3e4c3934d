# The number field is compared with gfortran's (E10.3) edit; the test compiles
# its Fortran program itself and skips when no gfortran was found here.
find_program(VORN_GFORTRAN NAMES gfortran gfortran-12 gfortran-13)
if(VORN_GFORTRAN)
  target_compile_definitions(core_number_field_test PRIVATE VORN_GFORTRAN="${VORN_GFORTRAN}")
else()
  message(STATUS "gfortran not found: the (E10.3) comparison of the number field will be skipped")
endif()
