// ListBox: a standard list or a list of check boxes (a constructor argument). Setting ListIndex in
// code raises Click, as the user's choice does; setting Selected of a check-box list raises
// ItemCheck.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/vb/control.h"

namespace vb {

// ListBox styles.
constexpr int vbListBoxStandard = 0;
constexpr int vbListBoxCheckbox = 1;

class ListBox : public Control {
 public:
  explicit ListBox(Container& c, int style = vbListBoxStandard) : Control(c), style_(style) {}
  int Style() const { return style_; }
  bool Sorted();
  void Sorted(bool v);
  void AddItem(const std::u16string& item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  std::u16string List(int index);
  void List(int index, const std::u16string& v);
  int ListCount();
  std::int32_t ItemData(int index);
  void ItemData(int index, std::int32_t v);
  int NewIndex();
  int ListIndex();
  void ListIndex(int v);
  // The selected item's text.
  std::u16string Text();
  // In the check-box style Selected is the item's check mark; setting it raises ItemCheck.
  bool Selected(int index);
  void Selected(int index, bool v);
  int TopIndex();
  void TopIndex(int v);

  std::function<void(int index)> ItemCheck;

 protected:
  void CreateControlWindow() override;

 private:
  int style_;
  int newIndex_ = -1;
};

}  // namespace vb
