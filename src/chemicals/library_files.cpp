#include "chemicals/library_files.hpp"

#include "chemicals/data_error.hpp"
#include "chemicals/library_file.hpp"
#include "chemicals/library_snapshot.hpp"
#include "core/output_file.hpp"

namespace vorn::chemicals {
namespace {

std::vector<const Library*> layers(const std::vector<std::unique_ptr<Library>>& files) {
  std::vector<const Library*> out;
  for (const auto& f : files) out.push_back(f.get());
  out.push_back(&snapshot_library());
  return out;
}

std::vector<std::unique_ptr<Library>> read_all(const std::vector<std::string>& files) {
  std::vector<std::unique_ptr<Library>> out;
  for (const std::string& file : files) {
    std::string bytes, why;
    if (!read_file(file, bytes, why))
      throw DataError("cannot read the library " + file + ": " + why);
    out.push_back(std::make_unique<Library>(read_library(bytes, file)));
  }
  return out;
}

}  // namespace

LibraryFiles::LibraryFiles(const std::vector<std::string>& files)
    : files_(read_all(files)), stack_(layers(files_)) {}

}  // namespace vorn::chemicals
