# The free-form reader's differential test builds a Fortran helper at test time.
find_program(VORN_GFORTRAN gfortran)
if(VORN_GFORTRAN)
  target_compile_definitions(core_free_form_fortran_test PRIVATE
    VORN_GFORTRAN="${VORN_GFORTRAN}"
    VORN_FORTRAN_HELPER="${CMAKE_CURRENT_LIST_DIR}/list_read_helper.f90")
else()
  message(STATUS "gfortran not found: the free-form differential test will be skipped")
endif()
