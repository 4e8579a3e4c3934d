#include "chemicals/library_stack.hpp"

#include <algorithm>
#include <cctype>

namespace vorn::chemicals {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string variant_list(const std::string& id, const std::vector<std::string>& variants) {
  std::string out;
  for (std::size_t k = 0; k < variants.size(); ++k) {
    if (k > 0) out += k + 1 == variants.size() ? " or " : ", ";
    out += variants[k].empty() ? id : id + ":" + variants[k];
  }
  return out;
}

}  // namespace

EntryKey LibraryStack::resolve(const ChemicalKey& key) const {
  if (std::string why = id_problem(key.id); !why.empty()) throw LookupError(why);
  const std::vector<std::string> known = variants(key.id);
  if (known.empty()) throw LookupError(key.id + " is in no chemical library");
  if (!key.variant.empty()) {
    if (std::find(known.begin(), known.end(), key.variant) != known.end())
      return {key.id, key.variant};
    if (known.size() == 1 && known.front().empty())
      throw LookupError(key.id + " has no variants, so none can be named (\"" + key.text() + "\")");
    throw LookupError("\"" + key.variant + "\" is not a variant of " + key.id + ": give " +
                      variant_list(key.id, known));
  }
  if (known.size() == 1 && known.front().empty()) return {key.id, ""};
  throw LookupError(key.id + " has " + std::to_string(known.size()) + " variants: give one of " +
                    variant_list(key.id, known));
}

FoundValue LibraryStack::find(const EntryKey& entry, std::string_view field) const {
  for (const Library* library : libraries_)
    if (const LibraryValue* v = library->find(entry.id, entry.variant, field)) return {v, library};
  return {};
}

std::vector<std::string> LibraryStack::variants(std::string_view id) const {
  std::vector<std::string> out;
  for (const Library* library : libraries_)
    for (const std::string& v : library->variants(id))
      if (std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
  return out;
}

template <typename Match>
std::vector<EntryKey> LibraryStack::entries_where(Match match) const {
  std::vector<EntryKey> out;
  for (const Library* library : libraries_) {
    for (const EntryKey& e : library->entries()) {
      if (std::find(out.begin(), out.end(), e) != out.end()) continue;
      const FoundValue name = find(e, "CHEMNAME");
      if (match(e, name ? name.value->value : std::string())) out.push_back(e);
    }
  }
  return out;
}

std::vector<EntryKey> LibraryStack::by_name(std::string_view name) const {
  const std::string wanted = lower(name);
  return entries_where([&](const EntryKey&, const std::string& n) { return lower(n) == wanted; });
}

std::vector<EntryKey> LibraryStack::search(std::string_view text) const {
  const std::string wanted = lower(text);
  return entries_where([&](const EntryKey& e, const std::string& n) {
    return lower(n).find(wanted) != std::string::npos ||
           lower(e.id).find(wanted) != std::string::npos;
  });
}

}  // namespace vorn::chemicals
