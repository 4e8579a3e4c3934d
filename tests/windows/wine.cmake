# Dll1.dll from the windows preset's build, called by its host program under Wine and compared
# with this build. Without the Windows build or Wine the tests skip and say what is missing.
set(VORN_WINDOWS_BUILD_DIR ${PROJECT_SOURCE_DIR}/build-windows
  CACHE PATH "Build directory of the windows preset (Dll1.dll and host.exe)")
find_program(VORN_WINE wine DOC "Wine, to run the Windows host program")
find_program(VORN_MINGW_OBJDUMP x86_64-w64-mingw32-objdump DOC "objdump for PE files")
if(NOT VORN_WINE OR NOT VORN_MINGW_OBJDUMP)
  message(STATUS "Windows library tests will skip: install wine, wine64 and "
    "g++-mingw-w64-x86-64-posix (scripts/install-deps windows) and configure again")
elseif(NOT EXISTS ${VORN_WINDOWS_BUILD_DIR}/Dll1.dll)
  message(STATUS "Windows library tests will skip until ${VORN_WINDOWS_BUILD_DIR}/Dll1.dll is "
    "built: cmake --preset windows && cmake --build --preset windows")
endif()

# One Wine prefix for the whole test run, created before any test starts Wine.
set(vorn_wine_env "WINEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/wine-prefix")
add_test(NAME windows_wine_prefix
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/make-wine-prefix.sh "${VORN_WINE}")
set_tests_properties(windows_wine_prefix PROPERTIES
  FIXTURES_SETUP wine_prefix
  LABELS windows
  ENVIRONMENT "${vorn_wine_env}"
  SKIP_RETURN_CODE 77
  TIMEOUT 600)

add_executable(windows_dll1_under_wine ${CMAKE_CURRENT_LIST_DIR}/dll1_under_wine.cpp)
target_link_libraries(windows_dll1_under_wine PRIVATE vorn_test_support GTest::gtest_main)
target_compile_definitions(windows_dll1_under_wine PRIVATE
  VORN_WINDOWS_BUILD_DIR="${VORN_WINDOWS_BUILD_DIR}"
  VORN_WINE="$<$<BOOL:${VORN_WINE}>:${VORN_WINE}>"
  VORN_MINGW_OBJDUMP="$<$<BOOL:${VORN_MINGW_OBJDUMP}>:${VORN_MINGW_OBJDUMP}>"
  VORN_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
gtest_discover_tests(windows_dll1_under_wine
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  PROPERTIES LABELS windows FIXTURES_REQUIRED wine_prefix ENVIRONMENT "${vorn_wine_env}" TIMEOUT 300
  DISCOVERY_TIMEOUT 60)
