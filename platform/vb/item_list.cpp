#include "platform/vb/item_list.h"

#include "platform/vb/error.h"
#include "platform/vb/item_window.h"
#include "platform/vb/strings.h"

namespace vb {

void ItemList::ItemsMade() {
  sorted_ = false;
  newIndex_ = -1;
}

void ItemList::CheckIndex(int index, int error) {
  if (index < 0 || index >= Items().ItemCount()) Raise(error);
}

bool ItemList::Sorted() {
  EnsureWindow();
  return sorted_;
}

void ItemList::Sorted(bool v) {
  EnsureWindow();
  sorted_ = v;
}

// After the items that compare below or equal to it, without regard to case.
int ItemList::SortedPlace(const std::u16string& item) {
  const std::u16string key = LCase(item);
  const int count = Items().ItemCount();
  int i = 0;
  while (i < count && LCase(Items().ItemText(i)) <= key) ++i;
  return i;
}

void ItemList::AddItem(const std::u16string& item, int index) {
  EnsureWindow();
  if (index < -1 || index > Items().ItemCount()) Raise(err::kInvalidProcedureCall);
  if (index == -1) index = sorted_ ? SortedPlace(item) : Items().ItemCount();
  Items().InsertItem(index, item);
  newIndex_ = index;
}

void ItemList::RemoveItem(int index) {
  EnsureWindow();
  CheckIndex(index, err::kInvalidProcedureCall);
  Items().DeleteItem(index);
}

void ItemList::Clear() {
  EnsureWindow();
  Items().DeleteItems();
}

std::u16string ItemList::List(int index) {
  EnsureWindow();
  return index >= 0 && index < Items().ItemCount() ? Items().ItemText(index) : std::u16string();
}

void ItemList::List(int index, const std::u16string& v) {
  EnsureWindow();
  CheckIndex(index, err::kInvalidPropertyArrayIndex);
  Items().SetItemText(index, v);
}

int ItemList::ListCount() {
  EnsureWindow();
  return Items().ItemCount();
}

std::int32_t ItemList::ItemData(int index) {
  EnsureWindow();
  CheckIndex(index, err::kInvalidPropertyArrayIndex);
  return Items().ItemValue(index);
}

void ItemList::ItemData(int index, std::int32_t v) {
  EnsureWindow();
  CheckIndex(index, err::kInvalidPropertyArrayIndex);
  Items().SetItemValue(index, v);
}

int ItemList::NewIndex() {
  EnsureWindow();
  return newIndex_;
}

int ItemList::ListIndex() {
  EnsureWindow();
  return Items().ChosenItem();
}

void ItemList::ListIndex(int v) {
  EnsureWindow();
  if (v < -1 || v >= Items().ItemCount()) Raise(err::kInvalidPropertyValue);
  if (v == Items().ChosenItem()) return;
  Items().ChooseItem(v);
  RaiseEvent(Click);
}

}  // namespace vb
