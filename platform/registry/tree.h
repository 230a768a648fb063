// The settings tree in memory: keys with their values and subkeys, in the order first written,
// found by name without regard to case in constant time, and the key path rules (names not empty,
// without control characters, at most 512 deep). The store (store.h) keeps the file it comes from.
//
// A value holds no string of its own: it is the place of its quoted name and quoted text in the
// settings text (platform/registry/quoted_text.h), that is in the file's bytes as last read or
// written, or in the side text beside them (what was set since, and what a person wrote in another
// form than the store's). So a file is read without copying any value, a text is decoded only when
// it is asked for, and a key of a million values takes about as much memory again as its lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry/store.h"

namespace platform::registry {

// Key paths deeper than this are refused, and a file holding one is damaged: the tree is walked
// recursively when it is written and freed.
constexpr std::size_t kMaxDepth = 512;

// A quoted form in the settings text: `bytes` bytes at `at` of the file's bytes, or of the side text.
struct Place {
  std::uint64_t at = 0;
  std::uint32_t bytes = 0;
  bool side = false;
};

struct Texts {
  std::string file;  // the settings file's bytes as last read or written
  std::string side;  // quoted forms the file's bytes do not hold

  std::string_view At(Place place) const {
    return std::string_view(place.side ? side : file).substr(place.at, place.bytes);
  }
  // Puts the store's quoted form of `text` in the side text.
  Place AddSide(std::u16string_view text);
};

// One value: its name, and its text or number.
class Entry {
 public:
  Entry(Place name, std::uint32_t hash) : nameAt_(Packed(name)), nameBytes_(name.bytes), hash_(hash) {}

  Place name() const { return Unpacked(nameAt_, nameBytes_); }
  std::uint32_t hash() const { return hash_; }
  bool isNumber() const { return textBytes_ == 0; }
  Place text() const { return Unpacked(textAt_, textBytes_); }
  std::uint32_t units() const { return units_; }  // the text's length in UTF-16 units
  win::DWORD number() const { return static_cast<win::DWORD>(textAt_); }

  void SetText(Place text, std::uint32_t units) {
    textAt_ = Packed(text);
    textBytes_ = text.bytes;  // never 0: a quoted form holds its quotes
    units_ = units;
  }
  void SetNumber(win::DWORD number) {
    textAt_ = number;
    textBytes_ = 0;
    units_ = 0;
  }
  void MoveName(Place name) { nameAt_ = Packed(name); }

 private:
  static constexpr std::uint64_t kSide = std::uint64_t{1} << 63;
  static std::uint64_t Packed(Place p) { return p.at | (p.side ? kSide : 0); }
  static Place Unpacked(std::uint64_t at, std::uint32_t bytes) { return {at & ~kSide, bytes, (at & kSide) != 0}; }

  std::uint64_t nameAt_;
  std::uint64_t textAt_ = 0;  // a number's value when textBytes_ is 0
  std::uint32_t nameBytes_;
  std::uint32_t textBytes_ = 0;
  std::uint32_t units_ = 0;
  std::uint32_t hash_;
};

// A key's values in the order first written, found by the hash of their folded names (NameHash)
// in constant time. Entries stay where they are as more come.
class Values {
 public:
  // The entry of that hash that `same` takes for the name sought, or null.
  template <class Same>
  Entry* Find(std::uint32_t hash, const Same& same) {
    if (slots_.empty()) return nullptr;
    for (std::size_t slot = hash & (slots_.size() - 1);; slot = (slot + 1) & (slots_.size() - 1)) {
      if (slots_[slot] == 0) return nullptr;
      Entry& entry = entries_[slots_[slot] - 1];
      if (entry.hash() == hash && same(entry)) return &entry;
    }
  }
  // Adds an entry whose name is not there yet.
  Entry& Add(const Entry& entry);

  bool empty() const { return entries_.empty(); }
  auto begin() { return entries_.begin(); }
  auto end() { return entries_.end(); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  void Index(std::uint32_t position);

  std::deque<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // 1 + an entry's position, 0 for none; a power of two long, at most half full
};

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
const Key* FindKey(const Key& root, const std::vector<std::u16string>& names);

// The key the names lead to, made with any missing keys above it; *created (when given) is set
// when one was missing.
Key* MakeKey(Key& root, const std::vector<std::u16string>& names, bool* created);

// The value of that name, or null.
const Entry* FindValue(const Key& key, std::u16string_view name, const Texts& texts);

// A value read from the file: one of the same name read before takes its text or number, and keeps
// its name as first written.
void PutRead(Key& key, const Entry& entry, const Texts& texts);

// Sets a value, its quoted forms going to the side text; false when it already held exactly that.
bool Put(Key& key, std::u16string_view name, const Value& value, Texts& texts);

// A value as the store's callers take it.
Value ValueOf(const Entry& entry, const Texts& texts);

}  // namespace platform::registry
