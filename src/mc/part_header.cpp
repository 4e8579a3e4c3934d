#include "mc/part_header.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "core/json_count.hpp"
#include "core/text.hpp"
#include "input/chemical_derivation.hpp"
#include "mc/part_document.hpp"
#include "mc/realization.hpp"
#include "numerics/sha256.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc {

using Json = nlohmann::ordered_json;

McBaseline baseline_of(const McInput& input) {
  McBaseline b;
  for (const Chemical& c : input.chemicals) {
    b.names.emplace_back(trim_blanks(c.CHEMNAME));
    b.cas.emplace_back(trim_blanks(c.CHEMCAS));
  }
  b.quantities = input.baseline;
  b.risk = input.baseline_risk;
  b.hazard = input.baseline_hazard;
  b.landfill = input.unit.is_landfill();
  b.target_risk = input.unit.WU_RISKFACT;
  b.target_hazard = input.unit.WU_HQFACT;
  for (Chemical derived : input.chemicals) {
    derive_chemical(derived);
    b.gw_waste.push_back(derived.TCLPCONC);
    b.sf_waste.push_back(b.landfill ? derived.TOTC : derived.TCLPCONC);
  }
  return b;
}

ShardRange shard_range(std::uint64_t index, std::uint64_t count, std::uint64_t realizations) {
  // floor(iN/K) without overflow for any 64-bit N: N = qK + r, r*i < K^2 <= 2^64.
  if (count == 0 || count > kMaxShards || index > count)
    throw std::invalid_argument("shard " + std::to_string(index) + "/" + std::to_string(count));
  auto bound = [&](std::uint64_t i) {
    const std::uint64_t q = realizations / count, r = realizations % count;
    return q * i + r * i / count;
  };
  return ShardRange{index, bound(index - 1) + 1, bound(index)};
}

std::string part_format(std::string_view json) {
  const Json j = Json::parse(json, nullptr, false);
  if (!j.is_object()) return "";
  const auto found = j.find("format");
  return found != j.end() && found->is_string() ? found->get<std::string>() : "";
}

Json part_header_json(const PartKind& kind, const PartHeader& header,
                      std::initializer_list<std::pair<const char*, std::uint64_t>> counts) {
  Json j = Json::object();
  j["format"] = kind.format;
  j["version"] = kind.version;
  j["scenario"] = Json::parse(header.scenario_json);
  j["seed"] = header.seed;
  for (const auto& [key, count] : counts) j[key] = count;
  j["shard_count"] = header.shard_count;
  j["shards"] = shards_to_json(header.shards);
  j["baseline"] = baseline_to_json(header.baseline);
  return j;
}

namespace {

constexpr std::string_view kSealKey = ",\"sha256\":\"";
constexpr std::size_t kSha256Digits = 64;

bool is_hex_digit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// The digest a document carries and the bytes it covers; none when it ends otherwise than
// with `,"sha256":"<64 hex digits>"}` (and white space).
struct Seal {
  std::string_view digest;
  std::string covered;
};
std::optional<Seal> seal_of(std::string_view text) {
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  const std::size_t tail = kSealKey.size() + kSha256Digits + 2;  // the digits, '"' and '}'
  if (text.size() < tail + 1 || text.substr(text.size() - 2) != "\"}") return std::nullopt;
  const std::size_t key = text.size() - tail;
  if (text.substr(key, kSealKey.size()) != kSealKey) return std::nullopt;
  const std::string_view digest = text.substr(key + kSealKey.size(), kSha256Digits);
  if (!std::all_of(digest.begin(), digest.end(), is_hex_digit)) return std::nullopt;
  return Seal{digest, std::string(text.substr(0, key)) + '}'};
}

}  // namespace

std::string sealed_part(std::string compact) {
  const std::string digest = numerics::sha256_hex(compact);
  compact.pop_back();  // the object's closing brace
  compact.append(kSealKey).append(digest).append("\"}\n");
  return compact;
}

Json parse_part_document(std::string_view json, const std::string& where, const PartKind& kind) {
  Json j;
  try {
    j = Json::parse(json);
  } catch (const Json::exception& e) {  // a syntax error, or a number out of range
    throw PartError(where + "not JSON: " + e.what());
  }
  const auto format = j.is_object() ? j.find("format") : j.end();
  if (!j.is_object() || format == j.end() || !format->is_string() || *format != kind.format)
    throw PartError(where + "not " + kind.document + " (format \"" + kind.format + "\")");
  const auto found = j.find("version");
  if (found == j.end() || !found->is_number_integer() || found->get<std::int64_t>() != kind.version)
    throw PartError(where + "version: " + (found == j.end() ? "none" : found->dump()) +
                    ", and this vorn reads version " + std::to_string(kind.version) +
                    ": rerun the shard with this vorn");
  const std::optional<Seal> seal = seal_of(json);
  if (!seal) throw PartError(where + "sha256: missing; a part ends with the SHA-256 of its bytes");
  if (numerics::sha256_hex(seal->covered) != seal->digest)
    throw PartError(where +
                    "sha256: its bytes do not match their SHA-256: the part was changed or "
                    "damaged after it was written");
  return j;
}

scenario::ResolvedScenario read_part_header(const Json& j, PartHeader& header) {
  scenario::ResolvedScenario scenario = scenario::from_json(j.at("scenario").dump());
  header.scenario_json = scenario::to_json(scenario);
  header.seed = json_count_at(j, "seed");
  header.shard_count = json_count_at(j, "shard_count");
  header.shards = shards_from_json(j.at("shards"));
  header.baseline = baseline_from_json(j.at("baseline"));
  return scenario;
}

std::uint64_t check_part_header(const PartHeader& header,
                                const scenario::ResolvedScenario& scenario, std::uint64_t units,
                                const PartKind& kind, const std::string& where) {
  if (header.seed != scenario.seed) throw PartError(where + "its seed differs from its scenario's");
  if (header.baseline.names.size() != scenario.chemical_count)
    throw PartError(where + "its chemicals do not match its scenario's " +
                    std::to_string(scenario.chemical_count));
  return check_shards(header.shards, header.shard_count, units, kind.units, where);
}

void merge_part_header(PartHeader& into, const PartHeader& other, const std::string& where) {
  if (!(scenario::from_json(into.scenario_json) == scenario::from_json(other.scenario_json)))
    throw PartError(where + "its scenario differs from the other parts'");
  if (into.seed != other.seed) throw PartError(where + "its seed differs from the other parts'");
  if (into.shard_count != other.shard_count)
    throw PartError(where + "it is one of " + std::to_string(other.shard_count) +
                    " shards, the other parts of " + std::to_string(into.shard_count));
  if (!same_baseline(into.baseline, other.baseline))
    throw PartError(where + "its deterministic values differ from the other parts'");
  into.shards = merged_shards(into.shards, other.shards, into.shard_count, where);
}

}  // namespace vorn::mc
