// Inside the layer only: the editor's per-paragraph tables. A sequence kept with a movable gap at
// the place of the last change, so that inserting or removing entries near one place costs what
// they hold, not what the whole sequence holds; and on it, the starts of a run of partitions (the
// paragraphs of the text, the visual lines of the paragraphs), where a change of one partition's
// length moves every later start at once: the moved starts are corrected lazily, as the place of
// change moves, so a run of edits near one place costs no pass over the starts after it.
#pragma once

#include "platform/layer_only.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::richedit {

template <typename T>
class GapVector {
 public:
  std::ptrdiff_t size() const { return static_cast<std::ptrdiff_t>(body_.size() - gap_); }
  bool empty() const { return size() == 0; }
  T operator[](std::ptrdiff_t i) const { return body_[Index(i)]; }
  T& at(std::ptrdiff_t i) { return body_[Index(i)]; }

  void Insert(std::ptrdiff_t i, T value) { *Open(i, 1) = value; }
  void InsertCopies(std::ptrdiff_t i, std::ptrdiff_t count, T value) {
    if (count > 0) std::fill_n(Open(i, count), count, value);
  }
  void Erase(std::ptrdiff_t i, std::ptrdiff_t count = 1) {
    if (count <= 0) return;
    MoveGap(i);
    gap_ += static_cast<std::size_t>(count);
  }
  // Adds `delta` to the entries [from, to).
  void AddToRange(std::ptrdiff_t from, std::ptrdiff_t to, T delta) {
    const std::ptrdiff_t split = gapStart_;
    for (std::ptrdiff_t i = from; i < std::min(to, split); ++i) body_[static_cast<std::size_t>(i)] += delta;
    for (std::ptrdiff_t i = std::max(from, split); i < to; ++i) body_[static_cast<std::size_t>(i) + gap_] += delta;
  }
  void Clear() {
    body_.clear();
    body_.shrink_to_fit();
    gapStart_ = 0;
    gap_ = 0;
  }
  void Reserve(std::size_t n) { body_.reserve(n); }
  // Appends at the end without a gap: for filling a new table.
  void PushBack(T value) {
    MoveGap(size());
    if (gap_ > 0) {
      body_[static_cast<std::size_t>(gapStart_)] = value;
      ++gapStart_;
      --gap_;
    } else {
      body_.push_back(value);
      ++gapStart_;
    }
  }
  std::size_t Bytes() const { return body_.capacity() * sizeof(T); }

 private:
  std::size_t Index(std::ptrdiff_t i) const { return static_cast<std::size_t>(i) + (i < gapStart_ ? 0 : gap_); }

  void MoveGap(std::ptrdiff_t to) {
    if (to == gapStart_) return;
    if (gap_ > 0) {
      if (to < gapStart_) {
        std::move_backward(body_.begin() + to, body_.begin() + gapStart_, body_.begin() + gapStart_ + static_cast<std::ptrdiff_t>(gap_));
      } else {
        std::move(body_.begin() + gapStart_ + static_cast<std::ptrdiff_t>(gap_),
                  body_.begin() + to + static_cast<std::ptrdiff_t>(gap_), body_.begin() + gapStart_);
      }
    }
    gapStart_ = to;
  }

  // Room for `count` entries at `i`; returns where they go.
  T* Open(std::ptrdiff_t i, std::ptrdiff_t count) {
    MoveGap(i);
    const auto n = static_cast<std::size_t>(count);
    if (gap_ < n) {
      const std::size_t grow = std::max<std::size_t>(n - gap_ + 64, body_.size() / 8);
      body_.insert(body_.begin() + gapStart_ + static_cast<std::ptrdiff_t>(gap_), grow, T());
      gap_ += grow;
    }
    T* where = body_.data() + gapStart_;
    gapStart_ += count;
    gap_ -= n;
    return where;
  }

  std::vector<T> body_;
  std::ptrdiff_t gapStart_ = 0;
  std::size_t gap_ = 0;
};

// The starts of `Count()` partitions of a length, with Start(Count()) the end of the last. Entries
// after `step_` lack `stepLength_`, which is added when they are read.
class Partitions {
 public:
  Partitions() { Reset(0); }

  // One partition of `length`.
  void Reset(std::int32_t length) {
    starts_.Clear();
    starts_.PushBack(0);
    starts_.PushBack(length);
    step_ = 0;
    stepLength_ = 0;
  }
  // For filling a new table: a partition of `length` after the last one.
  void Append(std::int32_t length) {
    Settle();
    const std::int32_t end = starts_[starts_.size() - 1];
    starts_.PushBack(end + length);
  }
  // Settles the pending correction and drops the first partition, which Reset left empty: for a
  // table filled with Append.
  void DropFirst() {
    Settle();
    starts_.Erase(1);
  }
  void Reserve(std::size_t n) { starts_.Reserve(n + 1); }
  std::size_t Bytes() const { return starts_.Bytes(); }

  std::ptrdiff_t Count() const { return starts_.size() - 1; }
  std::int32_t Start(std::ptrdiff_t partition) const {
    std::int32_t s = starts_[partition];
    if (partition > step_) s += stepLength_;
    return s;
  }
  std::int32_t Length(std::ptrdiff_t partition) const { return Start(partition + 1) - Start(partition); }
  std::int32_t Total() const { return Start(Count()); }

  // The partition that holds `at`: the last whose start is at or before it (clamped to the table).
  std::ptrdiff_t Find(std::int32_t at) const {
    if (Count() <= 1) return 0;
    if (at >= Total()) return Count() - 1;
    return Search(at, 0, Count() - 1);
  }
  // The same for a position in partition `from` or a later one: costs the partitions between, not
  // the whole table, so a run of positions left to right is found in one pass.
  std::ptrdiff_t FindFrom(std::int32_t at, std::ptrdiff_t from) const {
    if (Count() <= 1) return 0;
    if (at >= Total()) return Count() - 1;
    if (from < 0 || from >= Count() || Start(from) > at) return Find(at);
    // Steps doubling from `from` until one goes past, then halving within the last step.
    std::ptrdiff_t step = 1;
    while (from + step < Count() && Start(from + step) <= at) {
      from += step;
      step *= 2;
    }
    return Search(at, from, std::min(from + step, Count()) - 1);
  }

  // Partition `partition` grows by `delta` (shrinks when negative): every later start moves.
  void Grow(std::ptrdiff_t partition, std::int32_t delta) {
    if (delta == 0) return;
    if (stepLength_ != 0) {
      if (partition >= step_) {
        StepForward(partition);
      } else if (partition >= step_ - Count() / 16) {
        StepBack(partition);
      } else {
        Settle();
      }
    }
    if (stepLength_ == 0) step_ = partition;
    stepLength_ += delta;
  }

  // A new partition boundary at `start`, which falls inside partition `partition - 1`: that
  // partition is split there, and the new one is number `partition`.
  void Split(std::ptrdiff_t partition, std::int32_t start) {
    // Entries up to step_ are stored as they are, and the new one lands at or before it.
    if (step_ < partition) StepForward(partition);
    starts_.Insert(partition, start);
    ++step_;
  }
  // Removes the boundary at the start of `partition` (> 0): it joins the partition before it.
  void Join(std::ptrdiff_t partition) {
    if (partition > step_) StepForward(partition);
    starts_.Erase(partition);
    --step_;
  }

 private:
  // The last partition from lo to hi whose start is at or before `at`; Start(lo) is.
  std::ptrdiff_t Search(std::int32_t at, std::ptrdiff_t lo, std::ptrdiff_t hi) const {
    while (lo < hi) {
      const std::ptrdiff_t mid = lo + (hi - lo + 1) / 2;
      if (Start(mid) <= at) lo = mid;
      else hi = mid - 1;
    }
    return lo;
  }
  void StepForward(std::ptrdiff_t upTo) {
    if (stepLength_ != 0) starts_.AddToRange(step_ + 1, upTo + 1, stepLength_);
    step_ = upTo;
    if (step_ >= Count()) {
      step_ = Count();
      stepLength_ = 0;
    }
  }
  void StepBack(std::ptrdiff_t downTo) {
    if (stepLength_ != 0) starts_.AddToRange(downTo + 1, step_ + 1, -stepLength_);
    step_ = downTo;
  }
  void Settle() {
    StepForward(Count());
    step_ = Count();
    stepLength_ = 0;
  }

  GapVector<std::int32_t> starts_;
  std::ptrdiff_t step_ = 0;
  std::int32_t stepLength_ = 0;
};

}  // namespace platform::richedit
