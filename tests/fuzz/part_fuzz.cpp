// The part reader of every kind on arbitrary bytes, as `vorn mc-merge` and Python's
// Summary.merge read them: a part is refused naming "p.part: ", or it is read, written back
// to the same text, refuses to merge with itself (it shares its shards), and when it is
// complete its documents are made without a failure. The bytes are tried as they are and,
// when they end an object, once more sealed with their SHA-256, so that the checks behind
// the digest are reached.
#include <exception>
#include <string>

#include "fuzz_check.hpp"
#include "mc/part_header.hpp"
#include "mc_run/any_part.hpp"
#include "mc_run/part_documents.hpp"

namespace {

using vorn::test::fuzz_require;
namespace mc = vorn::mc;
namespace mc_run = vorn::mc_run;

void check_refusal(const mc::PartError& e) {
  fuzz_require(std::string(e.what()).rfind("p.part: ", 0) == 0,
               std::string("a refusal that does not name the part: ") + e.what());
}

void check_read(const std::string& text) {
  try {
    const mc_run::AnyPart part = mc_run::read_part(text, "p.part");
    const std::string written = mc_run::part_text(part);
    fuzz_require(mc_run::part_text(mc_run::read_part(written, "p.part")) == written,
                 "a part that does not read back as itself");
    mc_run::AnyPart twice = part;
    bool refused = false;
    try {
      mc_run::merge_parts(twice, part, "p.part");
    } catch (const mc::PartError& e) {
      check_refusal(e);
      refused = true;
    }
    fuzz_require(refused, "a part merged with itself");
    if (mc_run::missing_shards(mc_run::header_of(part)).empty()) {
      const mc_run::PartDocuments documents(part);
      fuzz_require(!documents.json().empty() && !documents.csv().empty(), "an empty document");
    }
  } catch (const mc::PartError& e) {
    check_refusal(e);
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("the part reader threw ") + e.what());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  check_read(text);
  if (!text.empty() && text.back() == '}') check_read(mc::sealed_part(text));
  return 0;
}
