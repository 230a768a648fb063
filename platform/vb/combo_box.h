// ComboBox: a drop-down or simple combo box, or a drop-down list (a constructor argument). Setting
// ListIndex in code raises Click, as the user's choice does.
#pragma once

#include <functional>
#include <string>

#include "platform/vb/item_list.h"

namespace vb {

// ComboBox styles.
constexpr int vbComboDropdown = 0;
constexpr int vbComboSimple = 1;
constexpr int vbComboDropdownList = 2;

class ComboBox : public ItemList {
 public:
  explicit ComboBox(Container& c, int style = vbComboDropdown) : ItemList(c, style) {}
  // A drop-down list takes only a text of its list (else 383) and selects it.
  std::u16string Text();
  void Text(const std::u16string& v);

  std::function<void()> Change;
  std::function<void()> DropDown;

 protected:
  void CreateControlWindow() override;
  platform::detail::ItemWindow& Items() override;
};

}  // namespace vb
