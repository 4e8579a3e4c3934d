# The numerics tests link the numerics library. Statistical tests live in *_slow.cpp:
# each program is one test labelled mc and slow (labels given through test discovery
# lose all but the first).
file(GLOB mc_fast_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.cpp)
foreach(source IN LISTS mc_fast_tests)
  get_filename_component(stem ${source} NAME_WE)
  target_link_libraries(mc_${stem} PRIVATE vorn_mc Boost::headers)
endforeach()
file(GLOB mc_slow_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_slow.cpp)
foreach(source IN LISTS mc_slow_tests)
  get_filename_component(stem ${source} NAME_WE)
  add_executable(mc_${stem} ${source})
  target_link_libraries(mc_${stem} PRIVATE vorn_mc Boost::headers GTest::gtest_main)
  add_test(NAME mc.${stem} COMMAND mc_${stem})
  set_tests_properties(mc.${stem} PROPERTIES LABELS "mc;slow" TIMEOUT 600)
endforeach()
