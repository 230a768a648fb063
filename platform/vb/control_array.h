// Control arrays: controls of one kind under one name, told apart by Index. The window's Design
// loads the designed elements; more are loaded at run time. A new element copies the placement and
// font of the lowest one and starts hidden. Every element made passes through Connect, where the
// window sets the element's event handlers (usually forwarding with the index).
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "platform/vb/control.h"
#include "platform/vb/error.h"

namespace vb {

template <class T>
class ControlArray {
 public:
  explicit ControlArray(Container& container) : container_(&container) {
    container.OwningHost().AtUnload([this] { Forget(); });
  }
  ~ControlArray() { Forget(); }
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  std::function<void(T& element)> Connect;

  // An element that does not exist raises 340.
  T& operator()(int index) {
    container_->OwningHost().EnsureLoaded();
    auto it = elements_.find(index);
    if (it == elements_.end()) Raise(err::kControlArrayElementMissing);
    return *it->second;
  }
  bool Exists(int index) {
    container_->OwningHost().EnsureLoaded();
    return elements_.count(index) != 0;
  }
  int Count() {
    container_->OwningHost().EnsureLoaded();
    return static_cast<int>(elements_.size());
  }
  int LBound() {
    container_->OwningHost().EnsureLoaded();
    if (elements_.empty()) Raise(err::kControlArrayElementMissing);
    return elements_.begin()->first;
  }
  int UBound() {
    container_->OwningHost().EnsureLoaded();
    if (elements_.empty()) Raise(err::kControlArrayElementMissing);
    return elements_.rbegin()->first;
  }

  // The Load statement: a new element; an index in use raises 360. A designed element may sit in
  // another container of the same window than the array's (one element of a frame array on each
  // page of a dialog).
  T& Load(int index) { return Load(index, *container_); }
  T& Load(int index, Container& in) {
    Host& host = container_->OwningHost();
    if (&in.OwningHost() != &host) Raise(err::kInvalidProcedureCall);
    host.EnsureLoaded();
    if (index < 0) Raise(err::kInvalidProcedureCall);
    if (elements_.count(index) != 0) Raise(err::kObjectAlreadyLoaded);
    T* first = elements_.empty() ? nullptr : elements_.begin()->second;
    T* e = new T(in);
    e->SetIndex(index);
    elements_[index] = e;
    e->LoadWindow();
    if (first != nullptr && !host.Designing()) {
      e->Move(first->Left(), first->Top(), first->Width(), first->Height());
      e->Font(first->Font());
      e->Visible(false);
    }
    if (Connect) Connect(*e);
    return *e;
  }

  // The Unload statement for one element. An element unloaded by its own event goes when the event
  // returns.
  void Unload(int index) {
    auto it = elements_.find(index);
    if (it == elements_.end()) Raise(err::kControlArrayElementMissing);
    T* e = it->second;
    elements_.erase(it);
    e->DestroyWhenIdle();
  }

 private:
  void Forget() {
    auto elements = std::move(elements_);
    elements_.clear();
    for (auto& [i, e] : elements) e->DestroyWhenIdle();
  }

  Container* container_;
  std::map<int, T*> elements_;
};

}  // namespace vb
