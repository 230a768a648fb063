// ListBox: a standard list or a list of check boxes (a constructor argument). Setting ListIndex in
// code raises Click, as the user's choice does; setting Selected of a check-box list raises
// ItemCheck.
#pragma once

#include <functional>
#include <string>

#include "platform/vb/item_list.h"

namespace vb {

// ListBox styles.
constexpr int vbListBoxStandard = 0;
constexpr int vbListBoxCheckbox = 1;

class ListBox : public ItemList {
 public:
  explicit ListBox(Container& c, int style = vbListBoxStandard) : ItemList(c, style) {}
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
  platform::detail::ItemWindow& Items() override;
};

}  // namespace vb
