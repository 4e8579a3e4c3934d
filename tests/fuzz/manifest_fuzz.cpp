// The batch manifest on arbitrary text, without the file system: it is refused naming the
// file (and, for its contents, the line), or it lists one stream per data row, each with a
// label and a directory under the manifest's own.
#include <exception>
#include <string>

#include "batch/streams.hpp"
#include "core/csv_reader.hpp"
#include "fuzz_check.hpp"

namespace {

using vorn::test::fuzz_require;

void check_streams(const std::vector<vorn::batch::Stream>& streams, const std::string& text) {
  const std::vector<vorn::CsvRecord> records = vorn::read_csv(text);
  fuzz_require(streams.size() + 1 == records.size(), "a stream lost or added");
  for (const vorn::batch::Stream& s : streams) {
    fuzz_require(!s.label.empty(), "a stream without a label");
    fuzz_require(
        s.dir.is_absolute() || s.dir.string().rfind("lists", 0) == 0,
        "a relative path taken from elsewhere than the manifest's directory: " + s.dir.string());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    check_streams(vorn::batch::parse_manifest(text, "lists/streams.csv"), text);
  } catch (const vorn::batch::ManifestError& e) {
    fuzz_require(std::string(e.what()).rfind("lists/streams.csv:", 0) == 0,
                 std::string("a refusal that does not name the manifest: ") + e.what());
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("the manifest reader threw ") + e.what());
  }
  return 0;
}
