// A sequence of items kept in blocks of a fixed number of them, for the settings tree's tables of
// values: no item moves as more come (a vector's growth would copy them all, into new pages), and a
// table of many items takes one allocation for each block (std::deque's blocks hold 512 bytes).
// Items are trivially copyable; those in a new block are not initialised until added.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace platform::registry {

template <class Item, std::size_t kBlock>
class Blocks {
  static_assert(std::is_trivially_copyable_v<Item> && std::is_trivially_destructible_v<Item>);

 public:
  Item& operator[](std::size_t i) { return blocks_[i / kBlock][i % kBlock]; }
  const Item& operator[](std::size_t i) const { return blocks_[i / kBlock][i % kBlock]; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // The item added at the end, made from `args` in its place.
  template <class... Args>
  Item& emplace_back(Args&&... args) {
    if (size_ == blocks_.size() * kBlock) blocks_.push_back(std::make_unique_for_overwrite<Item[]>(kBlock));
    return *new (&(*this)[size_++]) Item(std::forward<Args>(args)...);
  }
  // Keeps the first `count` items.
  void Truncate(std::size_t count) {
    size_ = count;
    blocks_.resize((count + kBlock - 1) / kBlock);
  }

  template <class Self>
  class Iterator {
   public:
    Iterator(Self* blocks, std::size_t i) : blocks_(blocks), i_(i) {}
    auto& operator*() const { return (*blocks_)[i_]; }
    Iterator& operator++() { return ++i_, *this; }
    bool operator!=(const Iterator& other) const { return i_ != other.i_; }

   private:
    Self* blocks_;
    std::size_t i_;
  };
  Iterator<Blocks> begin() { return {this, 0}; }
  Iterator<Blocks> end() { return {this, size_}; }
  Iterator<const Blocks> begin() const { return {this, 0}; }
  Iterator<const Blocks> end() const { return {this, size_}; }

 private:
  std::vector<std::unique_ptr<Item[]>> blocks_;
  std::size_t size_ = 0;
};

}  // namespace platform::registry
