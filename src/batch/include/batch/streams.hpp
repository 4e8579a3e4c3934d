// The waste streams of a batch: where each one runs and what the summary calls it.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::batch {

struct Stream {
  std::string label;
  std::filesystem::path dir;  // the run's directory, as the run is given it
};

// A manifest that cannot be used; the text names the file and, for its contents, the line.
class ManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A stream is given as its directory or as its VORN.IN (a path whose last component is
// VORN.IN); this is the run's directory.
std::filesystem::path run_directory(const std::filesystem::path& given);

// A stream per directory argument, labelled with the argument.
std::vector<Stream> streams_from_arguments(const std::vector<std::string>& args);

// A CSV file with a header row: a `path` column and an optional `label` column (other
// columns are ignored). A relative path is taken from the manifest's directory; an
// empty label is the path as written.
std::vector<Stream> read_manifest(const std::filesystem::path& file);
// read_manifest on the text of `file`, read already: the file system is not asked.
std::vector<Stream> parse_manifest(const std::string& text, const std::filesystem::path& file);

// The first two streams that would write the same files, when there are any.
struct SameDirectory {
  std::size_t first = 0;
  std::size_t second = 0;
};
std::optional<SameDirectory> find_same_directory(const std::vector<Stream>& streams);

}  // namespace vorn::batch
