// Hostile scenarios and tampered parts, kept as files under tests/mc/hostile and
// tests/mc/tampered: each must end with status 3 and a message naming the file and where in
// it (line:column: key, or the part's field), never with a signal, a hang or a document. The
// tables list every file of both folders, so a file added without its expected message, or
// a message that changes, fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

struct HostileFile {
  const char* name;     // without its extension
  const char* message;  // what follows "<file>:" (scenarios) or "<file>: " (parts)
};

// What a scenario is refused for: line:column: key: the start of the reason.
const std::vector<HostileFile> kScenarios = {
    {"beta_alpha_zero", "7:25: vary[1].dist.alpha: alpha (0) must be"},
    {"beta_huge_shapes", "7:8: vary[1].dist: draws NaN at probability"},
    {"beta_wide", "7:8: vary[1].dist: draws 1e+308 at every"},
    {"chemical_unknown", "6:1: vary[1].chemical: no chemical has the"},
    {"concentration_negative_draws", "8:1: vary[1].dist: TCLPCONC must be >"},
    {"correlate_across_kinds", "15:1: correlate[1]: vary[2] is an uncertainty"},
    {"correlate_itself", "9:1: correlate[1]: a and b name"},
    {"correlate_unknown_field", "11:1: correlate[1].b: no [[vary]] entry varies"},
    {"daf_factor_negative", "9:1: vary[1].dist: the DAF factor must"},
    {"decision_percentile_100", "4:1: decision_percentile: 100 is not inside"},
    {"dist_not_table", "7:1: vary[1].dist: must be a table"},
    {"empirical_empty", "7:30: vary[1].dist.values: missing values (or cdf"},
    {"empirical_text", "7:43: vary[1].dist.values[2]: must be a number"},
    {"family_missing", "7:8: vary[1].dist.type: missing"},
    {"family_unknown", "7:10: vary[1].dist.type: unknown type \"cauchy\" (the families: constant,"},
    {"field_unknown", "6:1: vary[1].field: unknown field \"NOPE\""},
    {"gamma_shape_huge", "7:8: vary[1].dist: cannot be evaluated with"},
    {"gamma_shape_tiny", "7:8: vary[1].dist: draws 0 at every"},
    {"henry_negative", "8:1: vary[1].dist: HENRY must be >="},
    {"inner_over_limit", "3:1: inner: 10000000000 is more than"},
    {"input_missing", "1:1: input: "},
    {"key_unknown", "7:49: vary[1].dist.skew: unknown key"},
    {"kind_unknown", "7:1: vary[1].kind: must be \"variability\" or"},
    {"lognormal_gsd_one", "7:41: vary[1].dist.gsd: gsd (1) must be"},
    {"lognormal_overflow", "7:8: vary[1].dist: draws Infinity at probability"},
    {"lognormal_sd_huge", "7:30: vary[1].dist.mean: mean and sd give"},
    {"loguniform_zero", "7:31: vary[1].dist.min: min (0) must be"},
    {"mode_unknown", "8:1: vary[1].mode: must be \"value\" or"},
    {"nested_with_realizations", "5:1: realizations: an input of kind"},
    {"normal_mean_inf", "7:27: vary[1].dist.mean: mean (inf) is not"},
    {"normal_mean_nan", "7:27: vary[1].dist.mean: mean (nan) is not"},
    {"normal_overflow", "7:8: vary[1].dist: draws -Infinity at probability"},
    {"normal_point", "7:8: vary[1].dist: draws 5000 at every"},
    {"normal_sd_negative", "7:40: vary[1].dist.sd: sd (-1) must be"},
    {"outer_zero", "2:1: outer: must be at least"},
    {"percentile_above_100", "4:1: percentiles: 101 is not inside"},
    {"percentile_zero", "4:1: percentiles: 0 is not inside"},
    {"pert_point", "7:25: vary[1].dist.min: min and max are"},
    {"pert_wide", "7:8: vary[1].dist: min, mode, max and"},
    {"realizations_float", "2:1: realizations: must be an integer"},
    {"realizations_negative", "2:1: realizations: must be at least"},
    {"realizations_over_limit", "2:1: realizations: 4294967296 is more than"},
    {"realizations_text", "2:1: realizations: must be an integer"},
    {"realizations_zero", "2:1: realizations: must be at least"},
    {"sampling_unknown", "4:1: sampling: must be \"random\", \"lhs\""},
    {"seed_fraction", "3:1: seed: must be an integer"},
    {"seed_negative", "3:1: seed: must be at least"},
    {"spearman_above_one", "16:1: correlate[1].spearman: 1.5 is outside [-1,"},
    {"table_header_slash", "5:2: a table header starts with a key"},
    {"target_precision_negative", "4:1: target_precision: must be a positive"},
    {"toml_bad_utf8", "4:13: Encountered invalid utf-8 sequence"},
    {"toml_duplicate_key",
     "4:8: Error while parsing key-value pair: cannot redefine existing integer"},
    {"toml_unterminated", "4:16: Error while parsing string: unescaped control characters other"},
    {"top_key_unknown", "4:1: realisations: unknown key"},
    {"triangular_mode_outside", "7:43: vary[1].dist.mode: mode (10000) is outside"},
    {"triangular_wide", "8:8: vary[1].dist: draws -1e+308 at every"},
    {"truncation_no_mass", "7:45: vary[1].dist.min: min (1e+06) and max"},
    {"truncation_reversed", "7:50: vary[1].dist.min: min (6000) is greater"},
    {"uniform_point", "7:28: vary[1].dist.min: min and max are"},
    {"uniform_reversed", "7:28: vary[1].dist.min: min (9000) is greater"},
    {"uniform_wide", "7:1: vary[1].dist: WU_WASTEVOL must be >"},
    {"unit_field_per_chemical", "6:1: vary[1].chemical: WU_WASTEVOL is a unit"},
    {"value_date_like", " not TOML: the parser stopped at a malformed value"},
    {"value_not_ascii", "2:16: a character outside the ASCII range"},
    {"vary_not_table", "4:1: vary: must be [[vary]] tables"},
    {"volume_empirical_negative", "7:1: vary[1].dist: WU_WASTEVOL must be >"},
    {"weibull_scale_negative", "7:39: vary[1].dist.scale: scale (-1) must be"},
    {"weibull_shape_tiny", "7:8: vary[1].dist: draws Infinity at probability"},
};

// Parts of every kind, each with one thing wrong, most sealed again with a correct SHA-256 so
// that the counts, not the digest, must give them away (tests/mc/make_tampered.py writes them).
const std::vector<HostileFile> kTamperedParts = {
    {"above_beyond_values",
     "state.chemicals[0].quantities[0].above: 9, more than the values that c"},
    {"block_completed_beyond",
     "state.blocks.0.completed[0]: 2, more than its realizations in the shar"},
    {"block_key_outside", "not a valid part: state.blocks: \"64\" is not a block (0 to 63)"},
    {"block_missing", "state.blocks.1: missing; the shards hold 1 of its realizations"},
    {"block_outside_shard", "state.blocks.1: outside the realizations of the shards"},
    {"block_short", "state.blocks.0: its lists do not hold one entry for each of the 10 che"},
    {"count_fraction", "not a valid part: state.chemicals[0].exceeded: 2.5 is not a count (a w"},
    {"count_huge", "not a valid part: realizations: 1e+20 is not a count (a whole number,"},
    {"count_negative", "not a valid part: state.chemicals[0].completed: -1 is not a count (a w"},
    {"digest_missing", "sha256: missing; a part ends with the SHA-256 of its bytes"},
    {"digest_not_last", "sha256: missing; a part ends with the SHA-256 of its bytes"},
    {"digest_wrong", "sha256: its bytes do not match their SHA-256: the part was changed or"},
    {"exceeded_beyond_completed", "state.chemicals[0].exceeded: 10000, more than its completed 4"},
    {"failure_kinds_short",
     "not a valid part: state.chemicals[0].failures: not an array of 11 coun"},
    {"failures_off", "state.chemicals[0].completed + failures + unit_failed: 5, not the real"},
    {"gw_exceeded_beyond_completed",
     "state.chemicals[0].gw_exceeded: 5, more than its completed 4"},
    {"limit_shares_off", "state.chemicals[0].gw_limit: 5, not summing to its completed 4"},
    {"nested_digest_wrong",
     "sha256: its bytes do not match their SHA-256: the part was changed or"},
    {"nested_share_outside", "records: outer draw 1, value 6: a share of 1.5, not between 0 and 1"},
    {"nested_version_old", "version: 1, and this vorn reads version"},
    {"quantity_counts_off",
     "state.chemicals[0].quantities[0] values: 5, not its chemical's complet"},
    {"shard_negative", "not a valid part: shards[0].first: -1 is not a count (a whole number,"},
    {"sketch_bucket_outside",
     "not a valid part: state.chemicals[0].quantities[0]: not a percentile s"},
    {"sketch_total_off", "not a valid part: state.chemicals[0].quantities[0]: not a percentile s"},
    {"sobol_record_negative",
     "not a valid part of a Sobol design: row (record 1): -1 is not a count"},
    {"sobol_rows_negative",
     "not a valid part of a Sobol design: base_rows: -4 is not a count (a wh"},
    {"stream_counts_off", "state.stream_risk values: 5, not all_completed 4"},
    {"truncated", "not JSON: "},
    {"unit_failed_off", "state.unit_failed: 1, not the sum of unit_failures, 0"},
    {"version_old", "version: 2, and this vorn reads version"},
};

std::filesystem::path folder(const char* name) {
  return data_dir().parent_path() / "mc" / name;
}

std::set<std::string> stems(const std::filesystem::path& dir, const std::string& extension) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == extension) names.insert(entry.path().stem().string());
  return names;
}

std::set<std::string> listed(const std::vector<HostileFile>& table) {
  std::set<std::string> names;
  for (const HostileFile& f : table) names.insert(f.name);
  return names;
}

// Runs `command` on each file of the table; `command` in the message's first words.
void expect_refused(const std::vector<HostileFile>& table, const std::filesystem::path& dir,
                    const std::string& extension, const std::string& command,
                    const std::string& separator) {
  ASSERT_EQ(stems(dir, extension), listed(table)) << dir;
  for (const HostileFile& f : table) {
    SCOPED_TRACE(f.name);
    ScratchDir scratch;
    const std::string path = (dir / (std::string(f.name) + extension)).string();
    std::vector<std::string> argv = {VORN_CLI, command, path, "--json", "out.json"};
    // Scenarios run on two threads: a failure while drawing must not end the process.
    if (command == "mc") argv.insert(argv.end(), {"--threads", "2"});
    const ProcessResult r = run_process(argv, scratch.path());
    EXPECT_EQ(r.status, 3) << r.err;
    // The warnings about the scenario's VORN.IN may come first.
    std::string err = r.err;
    const std::string warning = "vorn " + command + ": warning: ";
    while (err.rfind(warning, 0) == 0 && err.find('\n') != std::string::npos)
      err.erase(0, err.find('\n') + 1);
    const std::string expected = "vorn " + command + ": " + path + separator + f.message;
    EXPECT_EQ(err.substr(0, expected.size()), expected) << r.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "out.json"));
  }
}

TEST(HostileMcFiles, EveryHostileScenarioIsRefusedAtItsLineColumnAndKey) {
  EXPECT_GE(kScenarios.size(), 50u);
  expect_refused(kScenarios, folder("hostile"), ".toml", "mc", ":");
}

TEST(HostileMcFiles, EveryTamperedPartIsRefusedNamingItsField) {
  EXPECT_GE(kTamperedParts.size(), 20u);
  expect_refused(kTamperedParts, folder("tampered"), ".part", "mc-merge", ": ");
}

}  // namespace
}  // namespace vorn::test
