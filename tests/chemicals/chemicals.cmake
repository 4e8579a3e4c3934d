# The chemical library's tests link its layer. They find the committed tables and the
# build's own import of them, which they wait for.
vorn_numerics_area(chemicals vorn_chemicals)
file(GLOB vorn_chemical_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/chemicals/*_test.cpp)
foreach(source IN LISTS vorn_chemical_tests)
  get_filename_component(stem ${source} NAME_WE)
  target_compile_definitions(chemicals_${stem} PRIVATE
    VORN_CHEMICAL_DATA="${PROJECT_SOURCE_DIR}/data/chemicals"
    VORN_CHEMICAL_IMPORT="${PROJECT_BINARY_DIR}/chemicals/imported-library.csv")
  if(TARGET vorn_chemical_import)
    add_dependencies(chemicals_${stem} vorn_chemical_import)
  endif()
endforeach()
