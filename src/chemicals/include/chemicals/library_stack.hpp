// Lookups over several libraries: the first that holds a value gives it. The files a user
// names come first, the snapshot compiled into the program last.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "chemicals/chemical_id.hpp"
#include "chemicals/library.hpp"

namespace vorn::chemicals {

// A key that names no single chemical; what() says why, without the place it came from.
class LookupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct FoundValue {
  const LibraryValue* value = nullptr;  // nullptr: no library holds it
  const Library* library = nullptr;
  explicit operator bool() const { return value != nullptr; }
};

class LibraryStack {
 public:
  explicit LibraryStack(std::vector<const Library*> libraries) : libraries_(std::move(libraries)) {}

  // The chemical `key` names. Throws LookupError for an id with a wrong check digit, an id no
  // library holds, an id with variants given without one (listing them), or a variant the id
  // does not have.
  EntryKey resolve(const ChemicalKey& key) const;
  FoundValue find(const EntryKey& entry, std::string_view field) const;
  // Every variant of the id over all libraries, in order of appearance.
  std::vector<std::string> variants(std::string_view id) const;
  // Entries whose name equals `name` (letter case aside), in order, once each.
  std::vector<EntryKey> by_name(std::string_view name) const;
  // Entries whose name or id holds `text` (letter case aside).
  std::vector<EntryKey> search(std::string_view text) const;
  const std::vector<const Library*>& libraries() const { return libraries_; }

 private:
  template <typename Match>
  std::vector<EntryKey> entries_where(Match match) const;

  std::vector<const Library*> libraries_;
};

}  // namespace vorn::chemicals
