# cmake -DINPUT=library.csv -DOUTPUT=file.cpp -P embed_library.cmake
# Writes the library file as a C++ source: one string literal per line of the file (a
# compiler need not take a literal longer than 65,536 characters), joined on first use, so
# the bytes reach the program unchanged and no program of the build machine is needed.
file(READ "${INPUT}" text)
# file(READ) drops carriage returns: a file that holds one would not come through unchanged.
file(SIZE "${INPUT}" bytes)
string(LENGTH "${text}" length)
if(NOT bytes EQUAL length)
  message(FATAL_ERROR "${INPUT}: holds carriage returns; the library file has LF line ends")
endif()
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\n" "\\n\",\n\"" text "${text}")
file(WRITE "${OUTPUT}.new"
  "// Made by cmake/embed_library.cmake from data/chemicals/library.csv: do not edit.\n"
  "#include <string>\n\n"
  "#include \"chemicals/library_snapshot.hpp\"\n\n"
  "namespace vorn::chemicals {\n"
  "namespace {\n\n"
  "constexpr const char* kLines[] = {\n\"${text}\"};\n\n"
  "std::string joined() {\n"
  "  std::string text;\n"
  "  for (const char* line : kLines) text += line;\n"
  "  return text;\n"
  "}\n\n"
  "}  // namespace\n\n"
  "std::string_view snapshot_library_text() {\n"
  "  static const std::string text = joined();\n"
  "  return text;\n"
  "}\n\n"
  "}  // namespace vorn::chemicals\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
