# The number-text test holds both implementations: the one in the core library and the
# other one compiled in here.
if(VORN_FMT_INCLUDE AND VORN_FAST_FLOAT_INCLUDE)
  if(VORN_NUMBER_TEXT_FMT)
    target_sources(core_number_text_test PRIVATE ${PROJECT_SOURCE_DIR}/src/core/number_text_charconv.cpp)
  else()
    target_sources(core_number_text_test PRIVATE ${PROJECT_SOURCE_DIR}/src/core/number_text_fmt.cpp)
  endif()
  target_include_directories(core_number_text_test SYSTEM PRIVATE ${VORN_FMT_INCLUDE}
    ${VORN_FAST_FLOAT_INCLUDE})
else()
  target_compile_definitions(core_number_text_test PRIVATE VORN_NUMBER_TEXT_SKIP)
endif()
