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
#include <deque>
#include <cstdint>
#include <climits>
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
  // Puts a copy of a quoted form in the side text.
  Place CopyToSide(std::string_view quoted);
};

// One value: the place of its quoted name and, after it in the same text, of its quoted text; or
// its number.
class Entry {
 public:
  explicit Entry(Place name) : at_(Packed(name)), nameBytes_(name.bytes) {}

  Place name() const { return {at_ & ~kSide, nameBytes_, side()}; }
  bool isNumber() const { return textBytes_ == 0; }
  Place text() const { return {(at_ & ~kSide) + textOffset_, textBytes_, side()}; }
  std::uint32_t units() const { return units_; }  // the text's length in UTF-16 units
  win::DWORD number() const { return textOffset_; }

  // Whether a text at `text` stands after the name in the same text, near enough to be set.
  bool Reaches(Place text) const {
    const std::uint64_t at = at_ & ~kSide;
    return text.side == side() && text.at > at && text.at - at <= UINT32_MAX;
  }
  // A text that the name Reaches.
  void SetText(Place text, std::uint32_t units) {
    textOffset_ = static_cast<std::uint32_t>(text.at - (at_ & ~kSide));
    textBytes_ = text.bytes;  // never 0: a quoted form holds its quotes
    units_ = units;
  }
  void SetNumber(win::DWORD number) {
    textOffset_ = number;
    textBytes_ = 0;
    units_ = 0;
  }
  // The name moved; a text is set again after it.
  void MoveName(Place name) {
    at_ = Packed(name);
    nameBytes_ = name.bytes;
  }

 private:
  static constexpr std::uint64_t kSide = std::uint64_t{1} << 63;
  static std::uint64_t Packed(Place p) { return p.at | (p.side ? kSide : 0); }
  bool side() const { return (at_ & kSide) != 0; }

  std::uint64_t at_;  // the name's place; the top bit tells the side text
  std::uint32_t nameBytes_;
  std::uint32_t textOffset_ = 0;  // from the name to the text; a number's value when textBytes_ is 0
  std::uint32_t textBytes_ = 0;
  std::uint32_t units_ = 0;
};

// A key's values in the order first written, found by the hash of their folded names (NameHash)
// in constant time. Entries stay where they are as more come.
class Values {
 public:
  // The entry of that hash that `same` takes for the name sought, or null.
  template <class Same>
  Entry* Find(std::uint32_t hash, const Same& same) {
    std::size_t slot = 0;
    return slots_.empty() ? nullptr : Probe(hash, same, &slot);
  }
  // The entry of that hash that `same` takes for the name of `entry`, or `entry` added when there
  // is none; *added tells which.
  template <class Same>
  Entry& FindOrAdd(const Entry& entry, std::uint32_t hash, const Same& same, bool* added) {
    Reserve(entries_.size() + 1);
    std::size_t slot = 0;
    Entry* found = Probe(hash, same, &slot);
    *added = found == nullptr;
    if (found != nullptr) return *found;
    entries_.push_back(entry);
    slots_[slot] = {hash, static_cast<std::uint32_t>(entries_.size())};
    return entries_.back();
  }
  // Adds an entry whose name is not there yet.
  Entry& Add(const Entry& entry, std::uint32_t hash) {
    bool added = false;
    return FindOrAdd(entry, hash, [](const Entry&) { return false; }, &added);
  }

  // Values read from a file are appended as they come, and found by name only once IndexRead has
  // indexed them all at once: so the index is made once, at its full size.
  void AddRead(const Entry& entry) { entries_.push_back(entry); }
  // Indexes the last hashes.size() entries, AddRead's, whose names have those hashes. One whose
  // name an entry before it has (`same` tells, for the earlier entry and the later) goes, after
  // `take` gave the earlier one its text or number.
  template <class Same, class Take>
  void IndexRead(const std::vector<std::uint32_t>& hashes, const Same& same, const Take& take) {
    const std::size_t first = entries_.size() - hashes.size();
    Reserve(entries_.size());
    std::size_t kept = first;
    const std::size_t mask = slots_.size() - 1;
    constexpr std::size_t kAhead = 8;  // the slots of later names are fetched while earlier ones go in
    for (std::size_t i = 0; i < hashes.size(); ++i) {
      if (i + kAhead < hashes.size()) __builtin_prefetch(&slots_[hashes[i + kAhead] & mask]);
      const Entry& entry = entries_[first + i];
      std::size_t slot = 0;
      if (Entry* earlier = Probe(hashes[i], [&](const Entry& e) { return same(e, entry); }, &slot)) {
        take(*earlier, entry);
        continue;
      }
      if (kept != first + i) entries_[kept] = entry;
      slots_[slot] = {hashes[i], static_cast<std::uint32_t>(++kept)};
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(kept), entries_.end());
  }

  bool empty() const { return entries_.empty(); }
  auto begin() { return entries_.begin(); }
  auto end() { return entries_.end(); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t position = 0;  // 1 + the entry's position, 0 for a free slot
  };
  // The entry found, or null with *slot the free slot where it belongs.
  template <class Same>
  Entry* Probe(std::uint32_t hash, const Same& same, std::size_t* slot) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot s = slots_[at];
      if (s.position == 0) {
        *slot = at;
        return nullptr;
      }
      if (s.hash == hash && same(entries_[s.position - 1])) return &entries_[s.position - 1];
    }
  }
  // Makes room for `count` entries, the slots staying at most half full.
  void Reserve(std::size_t count);

  std::deque<Entry> entries_;
  std::vector<Slot> slots_;  // a power of two long
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

// Indexes the values last read from the file into the key (Values::AddRead), their names hashed
// by NameHash: one of the same name as a value before it gives that value its text or number, and
// goes; so a name keeps the case first written.
void IndexRead(Key& key, const std::vector<std::uint32_t>& hashes, Texts& texts);

// Sets the entry's text at `text`: when its name does not reach it (Entry::Reaches), both are
// copied to the side text, the name first.
void SetText(Entry& entry, Place text, std::uint32_t units, Texts& texts);

// Sets a value, its quoted forms going to the side text; false when it already held exactly that.
bool Put(Key& key, std::u16string_view name, const Value& value, Texts& texts);

// A value as the store's callers take it.
Value ValueOf(const Entry& entry, const Texts& texts);

}  // namespace platform::registry
