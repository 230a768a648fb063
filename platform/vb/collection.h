// The runtime's keyed collection: items numbered from 1, optionally under a key that compares
// without regard to case. A duplicate key raises 457, an index out of range 9, an unknown key 5.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/vb/error.h"
#include "platform/vb/strings.h"

namespace vb {

template <class T>
class Collection {
  struct Entry {
    std::u16string key;  // folded to lower case; empty for none
    T item;
  };

 public:
  // Adds at the end, or before or after the item with that 1-based number (give one at most; 0 is
  // none). Before and after both given raise 5; a number out of range raises 9.
  void Add(T item, std::u16string_view key = {}, std::int32_t before = 0, std::int32_t after = 0) {
    if (before != 0 && after != 0) Raise(err::kInvalidProcedureCall);
    std::u16string folded = LCase(key);
    if (!folded.empty() && Find(folded) >= 0) Raise(err::kKeyAlreadyInCollection);
    std::size_t at = items_.size();
    if (before != 0) at = Position(before);
    if (after != 0) at = Position(after) + 1;
    const bool atEnd = at == items_.size();
    if (atEnd && indexFresh_ && !folded.empty()) index_.emplace(folded, at);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Entry{std::move(folded), std::move(item)});
    if (!atEnd) indexFresh_ = false;  // the positions after it moved
  }

  T& Item(std::int32_t index) { return items_[Position(index)].item; }
  T& Item(std::u16string_view key) { return items_[KeyPosition(key)].item; }
  T& operator()(std::int32_t index) { return Item(index); }
  T& operator()(std::u16string_view key) { return Item(key); }

  void Remove(std::int32_t index) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Position(index)));
    indexFresh_ = false;
  }
  void Remove(std::u16string_view key) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(KeyPosition(key)));
    indexFresh_ = false;
  }

  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  bool Exists(std::u16string_view key) const { return Find(LCase(key)) >= 0; }

  // For Each over the items, in order.
  class iterator {
   public:
    explicit iterator(typename std::vector<Entry>::iterator it) : it_(it) {}
    T& operator*() const { return it_->item; }
    iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const iterator& o) const { return it_ != o.it_; }

   private:
    typename std::vector<Entry>::iterator it_;
  };
  iterator begin() { return iterator(items_.begin()); }
  iterator end() { return iterator(items_.end()); }

 private:
  // Keys are looked up through an index built again after the items change, so a lookup in a
  // large collection (the toolkit's buttons, read at every tick of a 1 ms timer) is not a scan.
  std::ptrdiff_t Find(const std::u16string& folded) const {
    if (!indexFresh_) {
      index_.clear();
      for (std::size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].key.empty()) index_.emplace(items_[i].key, i);
      indexFresh_ = true;
    }
    const auto it = index_.find(folded);
    return it == index_.end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
  }
  std::size_t Position(std::int32_t index) const {
    if (index < 1 || index > Count()) Raise(err::kSubscriptOutOfRange);
    return static_cast<std::size_t>(index - 1);
  }
  std::size_t KeyPosition(std::u16string_view key) const {
    const std::ptrdiff_t i = key.empty() ? -1 : Find(LCase(key));
    if (i < 0) Raise(err::kInvalidProcedureCall);
    return static_cast<std::size_t>(i);
  }
  std::vector<Entry> items_;
  mutable std::unordered_map<std::u16string, std::size_t> index_;
  mutable bool indexFresh_ = false;
};

}  // namespace vb
