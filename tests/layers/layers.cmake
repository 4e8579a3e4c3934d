# The layers depend only downwards: a file of a lower layer that includes a header of a
# higher one does not compile (public headers included), while one that includes a lower
# layer's header does.
function(vorn_layer_probe probe layer)
  add_library(vorn_layer_probe_${probe} OBJECT EXCLUDE_FROM_ALL
    ${CMAKE_CURRENT_LIST_DIR}/${probe}.cpp)
  target_link_libraries(vorn_layer_probe_${probe} PRIVATE ${layer})
  add_test(NAME Layers.${probe}
    COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target vorn_layer_probe_${probe})
  set_tests_properties(Layers.${probe} PROPERTIES LABELS layers RUN_SERIAL TRUE)
  if(ARGC GREATER 2)
    set_tests_properties(Layers.${probe} PROPERTIES PASS_REGULAR_EXPRESSION "${ARGV2}: No such file")
  endif()
endfunction()
vorn_layer_probe(downward_include vorn_groundwater)
vorn_layer_probe(backward_include vorn_groundwater "report/report_writer.hpp")
vorn_layer_probe(export_reaches_run vorn_export "vorn/run.hpp")
