// Links between the toolkit's records that keep nothing alive: a record carries a Lifeline, and a
// WeakLink made from it turns back into the record only while the record exists. A walk over links
// skips the ones that no longer resolve instead of touching a record that is gone.
#pragma once

#include <memory>

namespace commandbars {

template <class T>
class WeakLink;

// Held by a record as a member; ends with the record. Copying a record does not copy its lifeline.
template <class T>
class Lifeline {
 public:
  explicit Lifeline(T* self) : anchor_(std::make_shared<T*>(self)) {}
  Lifeline(const Lifeline&) = delete;
  Lifeline& operator=(const Lifeline&) = delete;

 private:
  friend class WeakLink<T>;
  std::shared_ptr<T*> anchor_;
};

template <class T>
class WeakLink {
 public:
  WeakLink() = default;
  WeakLink(const Lifeline<T>& line) : anchor_(line.anchor_) {}  // NOLINT: links are made from lifelines freely
  // The record, or nullptr when there was none or it has gone.
  T* get() const {
    const std::shared_ptr<T*> p = anchor_.lock();
    return p ? *p : nullptr;
  }
  explicit operator bool() const { return get() != nullptr; }
  bool operator==(const WeakLink& o) const { return get() == o.get(); }

 private:
  std::weak_ptr<T*> anchor_;
};

}  // namespace commandbars
