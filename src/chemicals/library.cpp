#include "chemicals/library.hpp"

namespace vorn::chemicals {
namespace {

std::string index_key(std::string_view id, std::string_view variant, std::string_view field) {
  std::string key(id);
  key += '\x1f';
  key += variant;
  key += '\x1f';
  key += field;
  return key;
}

}  // namespace

Library::Library(std::string origin, std::vector<LibraryValue> values)
    : origin_(std::move(origin)), values_(std::move(values)) {
  for (std::size_t k = 0; k < values_.size(); ++k) {
    const LibraryValue& v = values_[k];
    if (v.field == kSkippedField) continue;
    index_.emplace(index_key(v.id, v.variant, v.field), k);
    std::vector<std::string>& variants = variants_[v.id];
    bool known = false;
    for (const std::string& s : variants) known = known || s == v.variant;
    if (!known) {
      variants.push_back(v.variant);
      entries_.push_back({v.id, v.variant});
    }
  }
}

const LibraryValue* Library::find(std::string_view id, std::string_view variant,
                                  std::string_view field) const {
  const auto it = index_.find(index_key(id, variant, field));
  return it == index_.end() ? nullptr : &values_[it->second];
}

std::vector<std::string> Library::variants(std::string_view id) const {
  const auto it = variants_.find(std::string(id));
  return it == variants_.end() ? std::vector<std::string>{} : it->second;
}

}  // namespace vorn::chemicals
