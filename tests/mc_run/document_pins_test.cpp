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
       {{"s.json", "4cf181ce0aaaea6bef3f39bf29c7ab6805e5d79d89e1001da40943252e6f3bd1"},
        {"s.csv", "4ce557f916746e6576dc23163603eef26deaac893a4a7f10cfd199c23ba8c1e8"},
        {"s.html", "525d9f24382daecd2b300654e29c56e21abcf3627e659a0c760096e0d198cb06"}}},
      {"shipped part",
       "scenario.toml",
       {"--realizations", "300", "--shard", "1/1", "--part", "s.part"},
       {{"s.part", "bed0ecabf68e3c7d2d65b9080e9fb84d410f5fbef2a6de8d50a26b22656fcadb"}}},
      {"nested",
       "nested.toml",
       {"--outer", "10", "--inner", "50", "--json", "n.json", "--csv", "n.csv", "--html", "n.html"},
       {{"n.json", "9803b2a16902e2879eb3075698c88d55ab8d01b419ea819aa4aa15005df07cfa"},
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
       {{"b.json", "2fb3ddda931ca174a0d5ed46b6cc042ed6a07e611f92b62f25709ad3410d8ab5"},
        {"b.csv", "46b8e8073048a8f878c5d59212c9ae6be2ef5f5c3bd34b88a186bc2732872c30"},
        {"b.html", "dd7c85fd08e2e3d6c8dae5a7aa7391ba1f4f7071e5c0b5b6c486f65146dbd8ab"}}},
      {"sobol part",
       "scenario.toml",
       {"--sobol", "--base-samples", "64", "--shard", "1/1", "--part", "b.part"},
       {{"b.part", "a79fb28440504c128fe67cce10e431269d04d27d7fabf54c0a9ac98b75731ea2"}}},
      {"correlated",
       "correlated.toml",
       {"--realizations", "300", "--json", "c.json", "--csv", "c.csv", "--html", "c.html"},
       {{"c.json", "9a489158ee2024feab1894589e0bb4dfddce7da9c083b0430b54d0eadf5441cb"},
        {"c.csv", "ef88cea80ae1089b6eb61d2bce84378be9cf90e07b3ca2c06a1e84762e07c330"},
        {"c.html", "5ae026eee02b940eafce77a35e02cc5c416b11368745c23400309e3f505f810e"}}},
      {"correlated part",
       "correlated.toml",
       {"--realizations", "300", "--shard", "1/1", "--part", "c.part"},
       {{"c.part", "522cc02cdd58932e1899a9f037e8957460f40b66c94b59d3aaad636f71df2d09"}}},
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
