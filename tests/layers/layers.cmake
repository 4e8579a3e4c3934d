# The layers depend only downwards: a file of a lower layer that includes a header of a
# higher one does not compile, while one that includes a lower layer's header does.
foreach(probe IN ITEMS downward backward)
  add_library(vorn_layer_probe_${probe} OBJECT EXCLUDE_FROM_ALL
    ${CMAKE_CURRENT_LIST_DIR}/${probe}_include.cpp)
  target_link_libraries(vorn_layer_probe_${probe} PRIVATE vorn_groundwater)
  add_test(NAME Layers.${probe}_include
    COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target vorn_layer_probe_${probe})
  set_tests_properties(Layers.${probe}_include PROPERTIES LABELS layers RUN_SERIAL TRUE)
endforeach()
set_tests_properties(Layers.backward_include PROPERTIES
  PASS_REGULAR_EXPRESSION "report/report_writer.hpp: No such file")
