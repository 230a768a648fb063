// ComboBox: a drop-down or simple combo box, or a drop-down list (a constructor argument). Setting
// ListIndex in code raises Click, as the user's choice does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/vb/control.h"

namespace vb {

// ComboBox styles.
constexpr int vbComboDropdown = 0;
constexpr int vbComboSimple = 1;
constexpr int vbComboDropdownList = 2;

class ComboBox : public Control {
 public:
  explicit ComboBox(Container& c, int style = vbComboDropdown) : Control(c), style_(style) {}
  int Style() const { return style_; }
  bool Sorted();
  void Sorted(bool v);
  // Adds at the end (sorted: at its place) or at index; out of range raises 5.
  void AddItem(const std::u16string& item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  // Out of range reads "" and writes raise 381.
  std::u16string List(int index);
  void List(int index, const std::u16string& v);
  int ListCount();
  std::int32_t ItemData(int index);
  void ItemData(int index, std::int32_t v);
  int NewIndex();
  // -1 for none; out of range raises 380. Setting raises Click.
  int ListIndex();
  void ListIndex(int v);
  // A drop-down list takes only a text of its list (else 383) and selects it.
  std::u16string Text();
  void Text(const std::u16string& v);

  std::function<void()> Change;
  std::function<void()> DropDown;

 protected:
  void CreateControlWindow() override;

 private:
  int style_;
  int newIndex_ = -1;
};

}  // namespace vb
