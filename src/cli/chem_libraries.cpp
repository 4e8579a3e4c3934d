#include "cli/chem_libraries.hpp"

#include "chemicals/library_file.hpp"
#include "chemicals/library_snapshot.hpp"
#include "core/output_file.hpp"

namespace vorn::cli {
namespace {

std::vector<const chemicals::Library*> layers(
    const std::vector<std::unique_ptr<chemicals::Library>>& files) {
  std::vector<const chemicals::Library*> out;
  for (const auto& f : files) out.push_back(f.get());
  out.push_back(&chemicals::snapshot_library());
  return out;
}

std::vector<std::unique_ptr<chemicals::Library>> read_all(const std::vector<std::string>& files) {
  std::vector<std::unique_ptr<chemicals::Library>> out;
  for (const std::string& file : files) {
    std::string bytes, why;
    if (!read_file(file, bytes, why))
      throw chemicals::DataError("cannot read the library " + file + ": " + why);
    out.push_back(std::make_unique<chemicals::Library>(chemicals::read_library(bytes, file)));
  }
  return out;
}

}  // namespace

ChemicalLibraries::ChemicalLibraries(const std::vector<std::string>& files)
    : files_(read_all(files)), stack_(layers(files_)) {}

}  // namespace vorn::cli
