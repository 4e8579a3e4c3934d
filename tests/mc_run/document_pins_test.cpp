// The bytes of the probabilistic runs' documents, pinned by their SHA-256: the shipped
// scenarios (one-dimensional, nested, correlated), a small Saltelli design, their parts, a
// samples file and a realization's VORN.IN. A change that moves any byte of these stored and
// published files must update the pin in the same commit and say why. The pages carry the
// run's date, fixed for every test by SOURCE_DATE_EPOCH.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numerics/sha256.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

struct Pin {
  const char* file;
  const char* sha256;
};

struct PinnedRun {
  const char* name;
  const char* scenario;  // under examples/montecarlo
  std::vector<std::string> options;
  std::vector<Pin> pins;
};

const std::vector<PinnedRun>& pinned_runs() {
  static const std::vector<PinnedRun> runs = {
      {"shipped",
       "scenario.toml",
       {"--realizations", "300", "--json", "s.json", "--csv", "s.csv", "--html", "s.html"},
       {{"s.json", "66bd62f04e32f5f9a9a316f7d85cb5476706f776be345699b1bee9b79065ab60"},
        {"s.csv", "090338e19b91c6206f7795e369cf9594d18434244c8f2986c6d1dbe2ed137be8"},
        {"s.html", "329ff7b5ba21d98a73086084dc7d31058e2ad2c181b10c6cefde7b58979e6e1f"}}},
      {"shipped part",
       "scenario.toml",
       {"--realizations", "300", "--shard", "1/1", "--part", "s.part"},
       {{"s.part", "28183cc0aa7f86b673b5f757609bb0ff0da671ec563bd6970ed6450d7867c552"}}},
      {"nested",
       "nested.toml",
       {"--outer", "10", "--inner", "50", "--json", "n.json", "--csv", "n.csv", "--html", "n.html"},
       {{"n.json", "4693ce62db1415cfc085318241599cc9087e2da0e5582901095e4ae8bb15fb74"},
        {"n.csv", "d67b91ee73e31d280cfe4a89463faee8f210d32eb53180762297ff2aa695887c"},
        {"n.html", "0bbae464da956f88c00a161b4ca2e74ba49b7891b40e70cb2b8481101b7601e5"}}},
      {"nested part",
       "nested.toml",
       {"--outer", "10", "--inner", "50", "--shard", "1/1", "--part", "n.part"},
       {{"n.part", "6dcfa84f5935318c9b147e4417ce353613b0f12bbbfbc8e4d85e42586e3d09da"}}},
      {"sobol",
       "scenario.toml",
       {"--sobol", "--base-samples", "64", "--json", "b.json", "--csv", "b.csv", "--html",
        "b.html"},
       {{"b.json", "3b92539f2c775a4a635c42a4b5d7ed7b1fb21b3875ed570988866c8ffed527e4"},
        {"b.csv", "9009c0c5aff74580143d42790d50fe771c94532d56288e164ba8de762cbb7dc8"},
        {"b.html", "674de932cbc42e20d075b51ca1db8254753e361c35ab1678a608ef783a3a812b"}}},
      {"sobol part",
       "scenario.toml",
       {"--sobol", "--base-samples", "64", "--shard", "1/1", "--part", "b.part"},
       {{"b.part", "ad63d2a93485777b76995445bd0bbe84abc64ebe17d93f75310323c9a84333a5"}}},
      {"correlated",
       "correlated.toml",
       {"--realizations", "300", "--json", "c.json", "--csv", "c.csv", "--html", "c.html"},
       {{"c.json", "d998de21056e3b3c7ebac1dfd973e12f0d37a04dd6205ff2da29771e79f86297"},
        {"c.csv", "333adb79306896f3bc2525355b2bd47438c9de00a6f12f4cd2b600e5174f13d5"},
        {"c.html", "ac74c10c2168d5ae90459f283c689f1a7f5b7f4abbe9cb6d581d7bc9ee75d0fb"}}},
      {"correlated part",
       "correlated.toml",
       {"--realizations", "300", "--shard", "1/1", "--part", "c.part"},
       {{"c.part", "672397b32654c7ade17af959e64e9d6a7f8a42743a5be172c8b9543bdf0106ae"}}},
      {"samples",
       "scenario.toml",
       {"--realizations", "300", "--samples", "samples.csv"},
       {{"samples.csv", "9ad78d9be2ba9ceaaf807ca926de09cc13adc32edd6730e83fdc1142e7a6ab02"}}},
      {"nested samples",
       "nested.toml",
       {"--outer", "10", "--inner", "50", "--samples", "nsamples.csv"},
       {{"nsamples.csv", "aaeb6ccc3ab662e83ce750aa7aa1bbaf5cb47b30f365150b2161261d0f0c2b49"}}},
      {"realization input",
       "scenario.toml",
       {"--realizations", "300", "--realization", "137", "--write-input", "r137"},
       {{"r137/VORN.IN", "fba2e7135701fefc44a641dcd3892400c4e6440fc7a75ed6cf0dc7a5cd679889"}}},
  };
  return runs;
}

TEST(McDocumentPins, EveryDocumentPartAndWrittenInputKeepsItsBytes) {
  for (const PinnedRun& run : pinned_runs()) {
    SCOPED_TRACE(run.name);
    ScratchDir dir;
    std::vector<std::string> argv = {VORN_CLI, "mc",
                                     (examples_dir() / "montecarlo" / run.scenario).string()};
    argv.insert(argv.end(), run.options.begin(), run.options.end());
    argv.insert(argv.end(), {"--threads", "2"});
    const ProcessResult r = run_process(argv, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    for (const Pin& pin : run.pins) {
      EXPECT_EQ(numerics::sha256_hex(read_text(dir / pin.file)), pin.sha256) << pin.file;
    }
  }
}

}  // namespace
}  // namespace vorn::test
