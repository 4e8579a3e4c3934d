#include "chemicals/fill_files.hpp"

#include <stdexcept>
#include <system_error>

#include "chemicals/data_error.hpp"
#include "core/output_file.hpp"
#include "input/input_writer.hpp"

namespace vorn::chemicals {
namespace fs = std::filesystem;

namespace {

fs::path temporary_for(const fs::path& path) {
  return path.parent_path() / ("." + path.filename().string() + ".partial");
}

bool write_temporary(const fs::path& path, const std::string& text, std::string& why) {
  if (write_file(temporary_for(path).string(), text, why)) return true;
  std::error_code ignored;
  fs::remove(temporary_for(path), ignored);
  return false;
}

bool move_into_place(const fs::path& path, std::string& why) {
  std::error_code ec;
  fs::rename(temporary_for(path), path, ec);
  if (!ec) return true;
  why = "cannot rename " + temporary_for(path).string() + " to " + path.string() + ": " +
        ec.message();
  fs::remove(temporary_for(path), ec);
  return false;
}

}  // namespace

bool write_atomically(const fs::path& path, const std::string& text, std::string& why) {
  return write_temporary(path, text, why) && move_into_place(path, why);
}

void write_fill(const fs::path& dir, const FillResult& fill, bool replace) {
  const fs::path input = dir / "VORN.IN";
  std::error_code ec;
  if (!replace && fs::exists(input, ec))
    throw DataError(input.string() + " exists: give --force to replace it");
  std::string input_text;
  try {
    input_text = write_input_text(fill.unit, fill.chemicals, *fill.daf);
  } catch (const std::invalid_argument& e) {
    throw DataError(input.string() + ": " + e.what());
  }
  const std::string sources_text = sources_csv(fill.sources);
  fs::create_directories(dir, ec);
  if (ec) throw DataError("cannot create the directory " + dir.string() + ": " + ec.message());
  // Both are written before either replaces anything; VORN.IN comes last, so a run never
  // finds it beside the sources of another fill.
  const fs::path sources = dir / "sources.csv";
  std::string why;
  if (!write_temporary(sources, sources_text, why)) throw DataError(why);
  if (!write_temporary(input, input_text, why)) {
    fs::remove(temporary_for(sources), ec);
    throw DataError(why);
  }
  if (!move_into_place(sources, why)) {
    fs::remove(temporary_for(input), ec);
    throw DataError(why);
  }
  if (!move_into_place(input, why)) throw DataError(why);
}

}  // namespace vorn::chemicals
