# WebAssembly through Debian's emscripten (em++, clang 14, libc++ 13, musl), for the page
# and its tests. Its own CMake platform file does the work; this one finds it.
find_program(VORN_EM_CONFIG em-config PATHS /usr/bin)
if(VORN_EM_CONFIG)
  execute_process(COMMAND ${VORN_EM_CONFIG} EMSCRIPTEN_ROOT OUTPUT_VARIABLE vorn_emscripten_root
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE vorn_em_config_status)
endif()
if(NOT vorn_emscripten_root OR NOT EXISTS ${vorn_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
  message(FATAL_ERROR "emscripten not found: scripts/install-deps web installs it")
endif()
include(${vorn_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
# The linker runs emscripten's JavaScript tools, which need Debian's node modules (acorn);
# a node that is not Debian's own (node 20) does not look in /usr/share/nodejs by itself.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
