// A key's values as the settings tree holds them: no string of its own for any of them, but the
// place of its quoted name and quoted text (platform/registry/quoted_text.h) in the settings text,
// that is in the file's bytes as last read or written, or in the side text beside them (what was
// set since, and what a person wrote in another form than the store's). So a file is read without
// copying any value, a text is decoded only when it is asked for, and a key of a million values
// takes about as much memory again as its lines. Values are found by the hash of their names.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace platform::registry {

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
  // Adds an entry whose name, of that hash, is not there yet.
  Entry& Add(const Entry& entry, std::uint32_t hash) {
    Reserve(entries_.size() + 1);
    std::size_t slot = 0;
    Probe(hash, [](const Entry&) { return false; }, &slot);
    entries_.push_back(entry);
    slots_[slot] = {hash, static_cast<std::uint32_t>(entries_.size())};
    return entries_.back();
  }

  // Values read from a file are appended as they come, with the hashes of their names, and are
  // indexed only when a second lookup or a change needs it: a key whose values are looked up once
  // after a read (a value another process changed, say) is scanned, which costs less than
  // indexing it. Find and Add look only at indexed values.
  //
  // AddRead makes the entry in its place, where the caller sets its text or number: an entry
  // copied in just after its fields were written would wait for them.
  [[gnu::always_inline]] Entry& AddRead(Place name, std::uint32_t hash) {
    unindexed_.push_back(hash);
    return entries_.emplace_back(name);
  }
  bool indexed() const { return unindexed_.empty(); }
  // Whether the values read may be scanned for this lookup rather than indexed: once after a read.
  bool ScanOnce() {
    if (indexed() || scanned_) return false;
    scanned_ = true;
    return true;
  }
  // The last of the values read whose hash is that and that `same` takes for the name sought (so
  // the one whose text or number stands), or null.
  template <class Same>
  Entry* FindRead(std::uint32_t hash, const Same& same) {
    const std::size_t first = entries_.size() - unindexed_.size();
    for (std::size_t i = unindexed_.size(); i-- > 0;) {
      if (unindexed_[i] == hash && same(entries_[first + i])) return &entries_[first + i];
    }
    return nullptr;
  }
  // Indexes the values read. One whose name an entry before it has (`same` tells, for the earlier
  // entry and the later) goes, after `take` gave the earlier one its text or number.
  template <class Same, class Take>
  void IndexRead(const Same& same, const Take& take) {
    const std::size_t first = entries_.size() - unindexed_.size();
    Reserve(entries_.size());
    std::size_t kept = first;
    const std::size_t mask = slots_.size() - 1;
    constexpr std::size_t kAhead = 8;  // the slots of later names are fetched while earlier ones go in
    for (std::size_t i = 0; i < unindexed_.size(); ++i) {
      if (i + kAhead < unindexed_.size()) __builtin_prefetch(&slots_[unindexed_[i + kAhead] & mask]);
      const Entry& entry = entries_[first + i];
      std::size_t slot = 0;
      if (Entry* earlier = Probe(unindexed_[i], [&](const Entry& e) { return same(e, entry); }, &slot)) {
        take(*earlier, entry);
        continue;
      }
      if (kept != first + i) entries_[kept] = entry;
      slots_[slot] = {unindexed_[i], static_cast<std::uint32_t>(++kept)};
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(kept), entries_.end());
    std::vector<std::uint32_t>().swap(unindexed_);
    scanned_ = false;
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
  std::vector<std::uint32_t> unindexed_;  // the hashes of the last entries, read and not indexed
  bool scanned_ = false;                  // the values read were scanned once
};

}  // namespace platform::registry
