#include "mc_run/any_part.hpp"

#include <cstdint>
#include <vector>

namespace vorn::mc_run {
namespace {

constexpr const mc::PartKind* kKinds[] = {&mc::kMcPartKind, &nested::kNestedPartKind,
                                          &mc::kSobolPartKind};

// "1, 3 and 4".
std::string listed(const std::vector<std::uint64_t>& numbers) {
  std::string text;
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    if (k > 0) text += k + 1 == numbers.size() ? " and " : ", ";
    text += std::to_string(numbers[k]);
  }
  return text;
}

}  // namespace

const mc::PartKind* part_kind_of(std::string_view bytes) {
  const std::string format = mc::part_format(bytes);
  for (const mc::PartKind* kind : kKinds)
    if (format == kind->format) return kind;
  return nullptr;
}

AnyPart read_part(std::string_view bytes, std::string_view source) {
  const mc::PartKind* kind = part_kind_of(bytes);
  if (kind == &nested::kNestedPartKind) return nested::parse_nested_part(bytes, source);
  if (kind == &mc::kSobolPartKind) return mc::parse_sobol_part(bytes, source);
  return mc::parse_part(bytes, source);
}

std::string part_text(const AnyPart& part) {
  if (const auto* nested = std::get_if<nested::NestedPart>(&part))
    return nested::nested_part_json(*nested);
  if (const auto* sobol = std::get_if<mc::SobolPart>(&part)) return mc::sobol_part_json(*sobol);
  return mc::part_json(std::get<mc::McPart>(part));
}

const mc::PartKind& kind_of(const AnyPart& part) {
  return *kKinds[part.index()];
}

const mc::PartHeader& header_of(const AnyPart& part) {
  return std::visit([](const auto& p) -> const mc::PartHeader& { return p; }, part);
}

void merge_parts(AnyPart& into, const AnyPart& other, std::string_view source,
                 std::string_view into_name) {
  if (into.index() != other.index())
    throw mc::PartError(std::string(source) + ": a part of " + kind_of(other).run + ", " +
                        std::string(into_name) + " of " + kind_of(into).run);
  if (auto* nested = std::get_if<nested::NestedPart>(&into)) {
    nested::merge_nested_part(*nested, std::get<nested::NestedPart>(other), source);
  } else if (auto* sobol = std::get_if<mc::SobolPart>(&into)) {
    mc::merge_sobol_part(*sobol, std::get<mc::SobolPart>(other), source);
  } else {
    mc::merge_part(std::get<mc::McPart>(into), std::get<mc::McPart>(other), source);
  }
}

std::string missing_shards(const mc::PartHeader& header) {
  if (header.complete()) return "";
  std::vector<std::uint64_t> missing;
  std::size_t held = 0;
  for (std::uint64_t i = 1; i <= header.shard_count; ++i) {
    if (held < header.shards.size() && header.shards[held].index == i) {
      ++held;
    } else {
      missing.push_back(i);
    }
  }
  const bool several = missing.size() > 1;
  return std::string(several ? "shards " : "shard ") + listed(missing) + " of " +
         std::to_string(header.shard_count) + (several ? " are missing" : " is missing");
}

}  // namespace vorn::mc_run
