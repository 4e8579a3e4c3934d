#include "batch/streams.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unordered_map>

#include "core/csv_reader.hpp"

namespace vorn::batch {
namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) throw ManifestError(file.string() + ": is a directory");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ManifestError(file.string() + ": cannot be opened");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw ManifestError(file.string() + ": cannot be read");
  return text.str();
}

std::optional<std::size_t> column(const CsvRecord& header, const std::string& name,
                                  const fs::path& file) {
  std::optional<std::size_t> found;
  for (std::size_t k = 0; k < header.fields.size(); ++k) {
    if (header.fields[k] != name) continue;
    if (found)
      throw ManifestError(file.string() + ":" + std::to_string(header.line) + ": the column " +
                          name + " appears twice");
    found = k;
  }
  return found;
}

}  // namespace

fs::path run_directory(const fs::path& given) {
  // "VORN.IN" alone is in the current directory; its parent path is empty, as vorn's is.
  // Any other name is a directory, as for vorn itself: a file of another name is not run
  // in place of its directory's VORN.IN.
  return given.filename() == "VORN.IN" ? given.parent_path() : given;
}

std::vector<Stream> streams_from_arguments(const std::vector<std::string>& args) {
  std::vector<Stream> streams;
  for (const std::string& arg : args) streams.push_back({arg, run_directory(arg)});
  return streams;
}

std::vector<Stream> read_manifest(const fs::path& file) {
  return parse_manifest(read_file(file), file);
}

std::vector<Stream> parse_manifest(const std::string& text, const fs::path& file) {
  std::vector<CsvRecord> records;
  try {
    records = read_csv(text);
  } catch (const CsvError& e) {
    throw ManifestError(file.string() + ":" + std::to_string(e.line()) + ": " + e.what());
  }
  if (records.empty()) throw ManifestError(file.string() + ": empty: it needs a header row");
  const std::vector<std::string>& header = records.front().fields;
  const auto path_column = column(records.front(), "path", file);
  const auto label_column = column(records.front(), "label", file);
  if (!path_column)
    throw ManifestError(file.string() + ":" + std::to_string(records.front().line) +
                        ": the header row has no column named path");

  const fs::path base = file.parent_path();
  std::vector<Stream> streams;
  for (auto r = std::next(records.begin()); r != records.end(); ++r) {
    const std::string where = file.string() + ":" + std::to_string(r->line) + ": ";
    if (r->fields.size() != header.size())
      throw ManifestError(where + std::to_string(r->fields.size()) + " fields, the header has " +
                          std::to_string(header.size()));
    const std::string& path = r->fields[*path_column];
    if (path.empty()) throw ManifestError(where + "the path is empty");
    std::string label = label_column ? r->fields[*label_column] : std::string();
    if (label.empty()) label = path;
    streams.push_back({label, run_directory(base / fs::path(path))});
  }
  if (streams.empty()) throw ManifestError(file.string() + ": lists no streams");
  return streams;
}

std::optional<SameDirectory> find_same_directory(const std::vector<Stream>& streams) {
  // The directory a run writes into, whatever way it was named. Streams mostly share their
  // parent directories: each parent is resolved once, and only a last component that is a
  // link is followed on its own.
  struct Parent {
    fs::path resolved;
    bool normal = false;  // as given, without "." or ".." components
  };
  using Native = fs::path::string_type;  // wide on Windows
  std::unordered_map<Native, std::size_t> seen;
  std::unordered_map<Native, Parent> parents;
  std::error_code ec;
  const fs::path cwd = fs::current_path(ec);
  for (std::size_t k = 0; k < streams.size(); ++k) {
    const fs::path dir = streams[k].dir.empty() ? fs::path(".") : streams[k].dir;
    fs::path absolute = dir.is_absolute() || ec ? dir : cwd / dir;
    if (!absolute.has_filename()) absolute = absolute.parent_path();  // "a/" and "a" are one
    const fs::path name = absolute.filename();
    fs::path key;
    std::error_code link;
    auto parent = parents.find(absolute.parent_path().native());
    if (parent == parents.end()) {
      const fs::path given = absolute.parent_path();
      Parent p;
      p.normal = given.lexically_normal() == given;
      std::error_code e;
      if (p.normal) p.resolved = fs::weakly_canonical(given, e);
      if (!p.normal || e) p.resolved = given;
      parent = parents.emplace(given.native(), std::move(p)).first;
    }
    if (parent->second.normal && name != "." && name != "..") {
      key = parent->second.resolved / name;
      if (fs::is_symlink(key, link)) key = fs::weakly_canonical(key, link);
    } else {
      key = fs::weakly_canonical(absolute, link);
      if (link) key = absolute.lexically_normal();
      if (!key.has_filename()) key = key.parent_path();
    }
    const auto [it, inserted] = seen.emplace(key.native(), k);
    if (!inserted) return SameDirectory{it->second, k};
  }
  return std::nullopt;
}

}  // namespace vorn::batch
