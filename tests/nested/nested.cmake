# Statistical tests of nested runs live in *_slow.cpp: each program is one test labelled
# nested and slow.
file(GLOB nested_slow_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_slow.cpp)
foreach(source IN LISTS nested_slow_tests)
  get_filename_component(stem ${source} NAME_WE)
  add_executable(nested_${stem} ${source})
  target_link_libraries(nested_${stem} PRIVATE vorn_test_support Boost::headers GTest::gtest_main)
  add_test(NAME nested.${stem} COMMAND nested_${stem})
  set_tests_properties(nested.${stem} PROPERTIES LABELS "nested;slow" TIMEOUT 600
    ENVIRONMENT "${VORN_TEST_ENVIRONMENT}")
endforeach()
