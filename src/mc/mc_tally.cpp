#include "mc/mc_tally.hpp"

#include <bit>
#include <charconv>
#include <nlohmann/json.hpp>
#include <string>

#include "core/json_count.hpp"

namespace vorn::mc {
namespace {

using Json = nlohmann::ordered_json;

template <class A>
void add_all(A& to, const A& from) {
  for (std::size_t k = 0; k < to.size(); ++k) to[k] += from[k];
}

Json sketches_json(const std::vector<numerics::QuantileSketch>& sketches) {
  Json a = Json::array();
  for (const numerics::QuantileSketch& s : sketches) a.push_back(s.to_string());
  return a;
}

// A failure reading `name` as std::invalid_argument "<name>: <what>".
template <class Read>
auto field(const std::string& name, Read&& read) {
  try {
    return read();
  } catch (const std::exception& e) {
    throw std::invalid_argument(name + ": " + e.what());
  }
}

std::vector<numerics::QuantileSketch> sketches_from(const Json& a, const std::string& name) {
  if (!a.is_array()) throw std::invalid_argument(name + ": not an array");
  std::vector<numerics::QuantileSketch> v;
  for (std::size_t k = 0; k < a.size(); ++k)
    v.push_back(field(name + "[" + std::to_string(k) + "]",
                      [&] { return numerics::QuantileSketch::parse(a[k].get<std::string>()); }));
  return v;
}

numerics::QuantityStats quantity_from(const Json& j, const std::string& name) {
  return field(name, [&] { return numerics::QuantityStats::from_json(j); });
}

std::vector<std::uint64_t> counts_from(const Json& a, const std::string& name) {
  if (!a.is_array()) throw std::invalid_argument(name + ": not an array");
  std::vector<std::uint64_t> v;
  for (std::size_t k = 0; k < a.size(); ++k)
    v.push_back(json_count(a[k], name + "[" + std::to_string(k) + "]"));
  return v;
}

// A block's key as written: 0..63 in decimal, without sign, blank or leading zero.
int block_key(const std::string& key) {
  int k = -1;
  const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), k);
  if (ec != std::errc() || end != key.data() + key.size() || k < 0 || k > 63 ||
      std::to_string(k) != key)
    throw std::invalid_argument("state.blocks: \"" + key + "\" is not a block (0 to 63)");
  return k;
}

}  // namespace

void ChemicalTally::merge(const ChemicalTally& other) {
  for (std::size_t k = 0; k < quantities.size(); ++k) quantities[k].merge(other.quantities[k]);
  completed += other.completed;
  add_all(failures, other.failures);
  gw_exceeded += other.gw_exceeded;
  sf_exceeded += other.sf_exceeded;
  exceeded += other.exceeded;
  add_all(gw_limit, other.gw_limit);
  add_all(sf_limit, other.sf_limit);
}

void DecisionBlock::merge(const DecisionBlock& other) {
  if (tclpmax.empty()) {
    *this = other;
    return;
  }
  for (std::size_t i = 0; i < tclpmax.size(); ++i) {
    tclpmax[i].merge(other.tclpmax[i]);
    sfmax[i].merge(other.sfmax[i]);
    completed[i] += other.completed[i];
    exceeded[i] += other.exceeded[i];
  }
}

int block_of(std::uint64_t realization) {
  return realization <= 1 ? 0 : static_cast<int>(std::bit_width(realization - 1));
}

DecisionBlock& McTally::block(int k) {
  DecisionBlock& b = blocks[k];
  if (b.tclpmax.size() != chemicals.size()) {
    b.tclpmax.resize(chemicals.size());
    b.sfmax.resize(chemicals.size());
    b.completed.resize(chemicals.size());
    b.exceeded.resize(chemicals.size());
  }
  return b;
}

void McTally::merge(const McTally& other) {
  realizations += other.realizations;
  unit_failed += other.unit_failed;
  add_all(unit_failures, other.unit_failures);
  all_completed += other.all_completed;
  for (std::size_t i = 0; i < chemicals.size(); ++i) chemicals[i].merge(other.chemicals[i]);
  stream_risk.merge(other.stream_risk);
  stream_hazard.merge(other.stream_hazard);
  for (const auto& [k, b] : other.blocks) block(k).merge(b);
}

std::size_t McTally::memory_bytes() const {
  // The sketches' storage beyond the sketch itself, which sizeof counts already.
  const auto pages = [](const numerics::QuantileSketch& s) { return s.memory_bytes() - sizeof(s); };
  constexpr std::size_t kMapNode = 48;  // key and links of a block's node
  std::size_t bytes = sizeof(*this) + chemicals.capacity() * sizeof(ChemicalTally);
  for (const ChemicalTally& c : chemicals)
    for (const numerics::QuantityStats& q : c.quantities) bytes += pages(q.sketch());
  bytes += pages(stream_risk.sketch()) + pages(stream_hazard.sketch());
  for (const auto& [k, b] : blocks) {
    bytes += kMapNode + sizeof(b) +
             (b.tclpmax.capacity() + b.sfmax.capacity()) * sizeof(numerics::QuantileSketch) +
             (b.completed.capacity() + b.exceeded.capacity()) * sizeof(std::uint64_t);
    for (const numerics::QuantileSketch& s : b.tclpmax) bytes += pages(s);
    for (const numerics::QuantileSketch& s : b.sfmax) bytes += pages(s);
  }
  return bytes;
}

void McTally::to_json(Json& out) const {
  out = Json::object();
  out["realizations"] = realizations;
  out["unit_failed"] = unit_failed;
  out["unit_failures"] = unit_failures;
  out["all_completed"] = all_completed;
  Json chems = Json::array();
  for (const ChemicalTally& c : chemicals) {
    Json j = Json::object();
    j["completed"] = c.completed;
    j["failures"] = c.failures;
    j["gw_exceeded"] = c.gw_exceeded;
    j["sf_exceeded"] = c.sf_exceeded;
    j["exceeded"] = c.exceeded;
    j["gw_limit"] = c.gw_limit;
    j["sf_limit"] = c.sf_limit;
    Json q = Json::array();
    for (const numerics::QuantityStats& s : c.quantities) {
      Json one;
      s.to_json(one);
      q.push_back(std::move(one));
    }
    j["quantities"] = std::move(q);
    chems.push_back(std::move(j));
  }
  out["chemicals"] = std::move(chems);
  stream_risk.to_json(out["stream_risk"]);
  stream_hazard.to_json(out["stream_hazard"]);
  Json blocks_json = Json::object();
  for (const auto& [k, b] : blocks) {
    Json j = Json::object();
    j["tclpmax"] = sketches_json(b.tclpmax);
    j["sfmax"] = sketches_json(b.sfmax);
    j["completed"] = b.completed;
    j["exceeded"] = b.exceeded;
    blocks_json[std::to_string(k)] = std::move(j);
  }
  out["blocks"] = std::move(blocks_json);
}

McTally McTally::from_json(const Json& in) {
  const Json& chemicals = in.at("chemicals");
  if (!chemicals.is_array()) throw std::invalid_argument("state.chemicals: not an array");
  McTally t(chemicals.size());
  t.realizations = json_count_at(in, "state.", "realizations");
  t.unit_failed = json_count_at(in, "state.", "unit_failed");
  t.unit_failures = json_counts_at<kFailureKinds>(in, "state.", "unit_failures");
  t.all_completed = json_count_at(in, "state.", "all_completed");
  for (std::size_t i = 0; i < t.chemicals.size(); ++i) {
    const Json& j = chemicals.at(i);
    const std::string at = "state.chemicals[" + std::to_string(i) + "].";
    ChemicalTally& c = t.chemicals[i];
    c.completed = json_count_at(j, at, "completed");
    c.failures = json_counts_at<kFailureKinds>(j, at, "failures");
    c.gw_exceeded = json_count_at(j, at, "gw_exceeded");
    c.sf_exceeded = json_count_at(j, at, "sf_exceeded");
    c.exceeded = json_count_at(j, at, "exceeded");
    c.gw_limit = json_counts_at<kPathways>(j, at, "gw_limit");
    c.sf_limit = json_counts_at<kPathways>(j, at, "sf_limit");
    const Json& q = j.at("quantities");
    if (!q.is_array() || q.size() != c.quantities.size())
      throw std::invalid_argument(at + "quantities: not " + std::to_string(c.quantities.size()));
    for (std::size_t k = 0; k < c.quantities.size(); ++k)
      c.quantities[k] = quantity_from(q.at(k), at + "quantities[" + std::to_string(k) + "]");
  }
  t.stream_risk = quantity_from(in.at("stream_risk"), "state.stream_risk");
  t.stream_hazard = quantity_from(in.at("stream_hazard"), "state.stream_hazard");
  for (const auto& [key, j] : in.at("blocks").items()) {
    const std::string at = "state.blocks." + key + ".";
    DecisionBlock& b = t.blocks[block_key(key)];
    b.tclpmax = sketches_from(j.at("tclpmax"), at + "tclpmax");
    b.sfmax = sketches_from(j.at("sfmax"), at + "sfmax");
    b.completed = counts_from(j.at("completed"), at + "completed");
    b.exceeded = counts_from(j.at("exceeded"), at + "exceeded");
  }
  return t;
}

}  // namespace vorn::mc
