#include "run/chemical_sources.hpp"

#include "numerics/sha256.hpp"

namespace vorn {

std::shared_ptr<const chemicals::RunSources> read_chemical_sources(
    const SourcesFile& file, const std::vector<Chemical>& as_read, Sink& err) {
  auto sources = std::make_shared<chemicals::RunSources>();
  if (file.bytes) {
    *sources = chemicals::read_run_sources(*file.bytes, file.name, as_read);
    sources->sha256 = numerics::sha256_hex(*file.bytes);
  } else {
    sources->file = file.name;
    sources->problem = file.name + ": " + file.why;
  }
  if (!sources->usable()) write_line(err, "vorn: warning: " + chemicals::sources_warning(*sources));
  return sources;
}

}  // namespace vorn
