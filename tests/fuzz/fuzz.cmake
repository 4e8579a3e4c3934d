# Fuzz targets: every tests/fuzz/<name>_fuzz.cpp defines LLVMFuzzerTestOneInput.
# Every build replays the seed corpus and the inputs that once crashed through it
# (test fuzz_<name>_replay); with VORN_FUZZ (the fuzz preset, clang) it also becomes the
# libFuzzer program <name>_fuzzer.
option(VORN_FUZZ "Build the libFuzzer programs" OFF)

add_library(vorn_outcome_checks STATIC ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/outcome_checks.cpp)
target_link_libraries(vorn_outcome_checks PUBLIC vorn_api vorn_chemicals)
target_include_directories(vorn_outcome_checks PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/fuzz)

file(GLOB vorn_fuzz_targets CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source IN LISTS vorn_fuzz_targets)
  get_filename_component(stem ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" target_name ${stem})
  vorn_add_test(fuzz_${target_name}_replay
    SOURCES ${source} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_replay.cpp
    LABELS fuzz LIBS vorn_outcome_checks)
  target_compile_definitions(fuzz_${target_name}_replay PRIVATE
    VORN_FUZZ_DIR="${CMAKE_CURRENT_SOURCE_DIR}/fuzz" VORN_FUZZ_TARGET="${target_name}")
  if(VORN_FUZZ)
    add_executable(${target_name}_fuzzer ${source} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_abort.cpp)
    target_link_libraries(${target_name}_fuzzer PRIVATE vorn_outcome_checks)
    target_compile_options(${target_name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${target_name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
  endif()
endforeach()
target_link_libraries(fuzz_outcome_checks_test PRIVATE vorn_outcome_checks)

# The probabilistic inputs' targets read the landfill example and reach the layers of a
# probabilistic run and of a batch.
foreach(target_name scenario part manifest)
  set(programs fuzz_${target_name}_replay)
  if(VORN_FUZZ)
    list(APPEND programs ${target_name}_fuzzer)
  endif()
  foreach(program IN LISTS programs)
    target_link_libraries(${program} PRIVATE vorn_mc_run vorn_batch)
    target_compile_definitions(${program} PRIVATE
      VORN_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  endforeach()
endforeach()
