# A C program that includes the public header and links the shared library.
add_executable(c_header_check ${CMAKE_CURRENT_LIST_DIR}/c_header_check.c)
set_target_properties(c_header_check PROPERTIES C_STANDARD 99 C_EXTENSIONS OFF)
target_link_libraries(c_header_check PRIVATE vorn)
add_test(NAME CHeader.CompilesAsCAndLinks COMMAND c_header_check)
set_tests_properties(CHeader.CompilesAsCAndLinks PROPERTIES LABELS api)
