# The PDF layer is not part of the library: its tests link it. The tests that print keep the
# pages they print, as PNG files, in printed-pages/ of the build's test directory.
file(GLOB pdf_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.cpp)
foreach(source IN LISTS pdf_tests)
  get_filename_component(stem ${source} NAME_WE)
  target_link_libraries(pdf_${stem} PRIVATE vorn_pdf)
endforeach()
