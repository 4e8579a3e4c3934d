# vorn_layer(NAME SOURCES... [LINKS lower-layer...]): the static library vorn_NAME from
# src/NAME/, whose headers live in src/NAME/include/NAME/ and are included as "NAME/x.hpp".
# Its include root holds only its own headers (and the public ones it owns, under
# src/NAME/include/vorn/, installed as "vorn/x.hpp"); those of the layers below come
# through LINKS, and no layer above is ever visible.
function(vorn_layer name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  list(TRANSFORM ARG_UNPARSED_ARGUMENTS PREPEND ${PROJECT_SOURCE_DIR}/src/)
  add_library(vorn_${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_include_directories(vorn_${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src/${name}/include>
    $<INSTALL_INTERFACE:include>)
  target_compile_features(vorn_${name} PUBLIC cxx_std_20)
  target_link_libraries(vorn_${name} PUBLIC ${ARG_LINKS})
  set_target_properties(vorn_${name} PROPERTIES EXPORT_NAME layer_${name})
  set_property(GLOBAL APPEND PROPERTY VORN_LAYERS vorn_${name})
endfunction()
