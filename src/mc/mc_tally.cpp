#include "mc/mc_tally.hpp"

#include <bit>
#include <nlohmann/json.hpp>
#include <string>

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

std::vector<numerics::QuantileSketch> sketches_from(const Json& a) {
  std::vector<numerics::QuantileSketch> v;
  for (const Json& s : a) v.push_back(numerics::QuantileSketch::parse(s.get<std::string>()));
  return v;
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
  McTally t(in.at("chemicals").size());
  t.realizations = in.at("realizations").get<std::uint64_t>();
  t.unit_failed = in.at("unit_failed").get<std::uint64_t>();
  t.unit_failures = in.at("unit_failures").get<FailureCounts>();
  t.all_completed = in.at("all_completed").get<std::uint64_t>();
  for (std::size_t i = 0; i < t.chemicals.size(); ++i) {
    const Json& j = in.at("chemicals").at(i);
    ChemicalTally& c = t.chemicals[i];
    c.completed = j.at("completed").get<std::uint64_t>();
    c.failures = j.at("failures").get<FailureCounts>();
    c.gw_exceeded = j.at("gw_exceeded").get<std::uint64_t>();
    c.sf_exceeded = j.at("sf_exceeded").get<std::uint64_t>();
    c.exceeded = j.at("exceeded").get<std::uint64_t>();
    c.gw_limit = j.at("gw_limit").get<std::array<std::uint64_t, kPathways>>();
    c.sf_limit = j.at("sf_limit").get<std::array<std::uint64_t, kPathways>>();
    const Json& q = j.at("quantities");
    if (q.size() != c.quantities.size()) throw std::invalid_argument("quantities per chemical");
    for (std::size_t k = 0; k < c.quantities.size(); ++k)
      c.quantities[k] = numerics::QuantityStats::from_json(q.at(k));
  }
  t.stream_risk = numerics::QuantityStats::from_json(in.at("stream_risk"));
  t.stream_hazard = numerics::QuantityStats::from_json(in.at("stream_hazard"));
  for (const auto& [key, j] : in.at("blocks").items()) {
    DecisionBlock& b = t.blocks[std::stoi(key)];
    b.tclpmax = sketches_from(j.at("tclpmax"));
    b.sfmax = sketches_from(j.at("sfmax"));
    b.completed = j.at("completed").get<std::vector<std::uint64_t>>();
    b.exceeded = j.at("exceeded").get<std::vector<std::uint64_t>>();
  }
  return t;
}

}  // namespace vorn::mc
