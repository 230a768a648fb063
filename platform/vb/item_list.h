// ItemList: the item API that a list box and a combo box share. The items are texts, each with a
// 32-bit value, added at an index or at their sorted place, read, renamed, removed, cleared, and one
// of them chosen. This class keeps the rules (ranges and their errors, the sorted place, NewIndex,
// Click when the code chooses an item); each control keeps its items in its own window and carries
// out each step on it (platform/vb/item_window.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/vb/control.h"

namespace platform::detail {
class ItemWindow;
}

namespace vb {

class ItemList : public Control {
 public:
  // The kind of list or combo box, given when it is made.
  int Style() const { return style_; }
  bool Sorted();
  void Sorted(bool v);
  // Adds at the end (sorted: at its place) or at index; out of range raises 5.
  void AddItem(const std::u16string& item, int index = -1);
  // Out of range raises 5.
  void RemoveItem(int index);
  void Clear();
  // Out of range reads "" and writes raise 381.
  std::u16string List(int index);
  void List(int index, const std::u16string& v);
  int ListCount();
  // Out of range raises 381.
  std::int32_t ItemData(int index);
  void ItemData(int index, std::int32_t v);
  // Where the last added item went; -1 before any.
  int NewIndex();
  // -1 for none; out of range raises 380. Setting raises Click, as the user's choice does.
  int ListIndex();
  void ListIndex(int v);

 protected:
  ItemList(Container& c, int style) : Control(c), style_(style) {}
  // A control's new window holds no items and is not sorted.
  void ItemsMade();
  // The control's window, which keeps the items.
  virtual platform::detail::ItemWindow& Items() = 0;

 private:
  // Raises `error` unless index names an item.
  void CheckIndex(int index, int error);
  // Where a sorted list puts a new item.
  int SortedPlace(const std::u16string& item);

  const int style_;
  bool sorted_ = false;
  int newIndex_ = -1;
};

}  // namespace vb
