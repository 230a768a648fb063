// The settings tree in memory: keys with their values and subkeys, in the order first written,
// found by name without regard to case in constant time, and the key path rules (names not empty,
// without control characters, at most 512 deep). The store (store.h) keeps the file it comes from.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry/store.h"

namespace platform::registry {

// Key paths deeper than this are refused, and a file holding one is damaged: the tree is walked
// recursively when it is written and freed.
constexpr std::size_t kMaxDepth = 512;

struct Entry {
  std::u16string name;
  Value value;
};

// The name a name is found by: names compare without regard to case.
std::u16string Folded(std::u16string_view name);

// Items in the order first written, found by their folded names in constant time (a key may hold
// tens of thousands of values).
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
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Item> items_;
  std::unordered_map<std::u16string, std::size_t> index_;
};

struct Key {
  std::u16string name;
  Named<Entry> values;
  Named<Key> subkeys;
};

bool SameName(std::u16string_view a, std::u16string_view b);

// Splits a key path at "\" into names; false for an empty or control character name, or a path
// deeper than kMaxDepth.
bool SplitPath(std::u16string_view path, std::vector<std::u16string>* names);

// The key the names lead to from root, or null.
const Key* FindKey(const Key& root, const std::vector<std::u16string>& names);

// The key the names lead to, made with any missing keys above it; *created (when given) is set
// when one was missing.
Key* MakeKey(Key& root, const std::vector<std::u16string>& names, bool* created);

// Sets a value of the key; false when it already held exactly that.
bool Put(Key& key, std::u16string_view name, const Value& value);

}  // namespace platform::registry
