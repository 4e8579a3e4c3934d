# cmake -DINPUT=library.csv -DOUTPUT=file.cpp -P embed_library.cmake
# Writes the library file as a C++ source: one string literal per line of the file, so the
# bytes reach the program unchanged and no program of the build machine is needed.
file(READ "${INPUT}" text)
# file(READ) drops carriage returns: a file that holds one would not come through unchanged.
file(SIZE "${INPUT}" bytes)
string(LENGTH "${text}" length)
if(NOT bytes EQUAL length)
  message(FATAL_ERROR "${INPUT}: holds carriage returns; the library file has LF line ends")
endif()
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\n" "\\n\"\n\"" text "${text}")
file(WRITE "${OUTPUT}.new"
  "// Made by cmake/embed_library.cmake from data/chemicals/library.csv: do not edit.\n"
  "#include \"chemicals/library_snapshot.hpp\"\n\n"
  "namespace vorn::chemicals {\n\n"
  "std::string_view snapshot_library_text() {\n"
  "  static constexpr char kText[] =\n\"${text}\";\n"
  "  return {kText, sizeof kText - 1};\n"
  "}\n\n"
  "}  // namespace vorn::chemicals\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
