// The settings tree in memory: keys with their values (platform/registry/value_table.h) and
// subkeys, in the order first written, found by name without regard to case in constant time, and
// the key path rules (names not empty, without control characters, at most 512 deep). The store
// (store.h) keeps the file it comes from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry/store.h"
#include "platform/registry/value_table.h"

namespace platform::registry {

// Key paths deeper than this are refused, and a file holding one is damaged: the tree is walked
// recursively when it is written and freed.
constexpr std::size_t kMaxDepth = 512;

// The name a key is found by: names compare without regard to case.
std::u16string Folded(std::u16string_view name);

// Keys in the order first written, found by their folded names in constant time.
template <class Item>
class Named {
 public:
  Item* Find(std::u16string_view name) {
    const auto it = index_.find(Folded(name));
    return it != index_.end() ? &items_[it->second] : nullptr;
  }
  const Item* Find(std::u16string_view name) const { return const_cast<Named*>(this)->Find(name); }
  // The item of that name, made with `make` when there is none; *added tells which.
  template <class Make>
  Item& FindOrAdd(std::u16string_view name, const Make& make, bool* added) {
    const auto [it, isNew] = index_.try_emplace(Folded(name), items_.size());
    *added = isNew;
    if (isNew) items_.push_back(make());
    return items_[it->second];
  }
  bool empty() const { return items_.empty(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Item> items_;
  std::unordered_map<std::u16string, std::size_t> index_;
};

struct Key {
  std::u16string name;
  Values values;
  Named<Key> subkeys;
};

bool SameName(std::u16string_view a, std::u16string_view b);

// Splits a key path at "\" into names; false for an empty or control character name, or a path
// deeper than kMaxDepth.
bool SplitPath(std::u16string_view path, std::vector<std::u16string>* names);

// The key the names lead to from root, or null.
Key* FindKey(Key& root, const std::vector<std::u16string>& names);

// The key the names lead to, made with any missing keys above it; *created (when given) is set
// when one was missing.
Key* MakeKey(Key& root, const std::vector<std::u16string>& names, bool* created);

// The value of that name, or null. The first lookup after a read scans the values read; a later
// one indexes them first (IndexRead).
const Entry* FindValue(Key& key, std::u16string_view name, Texts& texts);

// Indexes the values read from the file into the key (Values::AddRead, their names hashed by
// NameHash), when some are not yet: one of the same name as a value before it gives that value its
// text or number, and goes; so a name keeps the case first written.
void IndexRead(Key& key, Texts& texts);

// Sets the entry's text at `text`: when its name does not reach it (Entry::Reaches), both are
// copied to the side text, the name first.
void SetText(Entry& entry, Place text, std::uint32_t units, Texts& texts);

// Sets a value, its quoted forms going to the side text; false when it already held exactly that.
bool Put(Key& key, std::u16string_view name, const Value& value, Texts& texts);

// A value as the store's callers take it.
Value ValueOf(const Entry& entry, const Texts& texts);

}  // namespace platform::registry
