// Inside the layer only: what the window of a list box or a combo box does with its items, for the
// item API the two controls share (vb::ItemList). Each step works on the window alone and raises no
// event; the indexes it is given name items.
#pragma once

#include "platform/layer_only.h"

#include <cstdint>
#include <string>

namespace platform::detail {

class ItemWindow {
 public:
  virtual int ItemCount() const = 0;
  virtual std::u16string ItemText(int index) const = 0;
  virtual void InsertItem(int index, const std::u16string& item) = 0;
  virtual void DeleteItem(int index) = 0;
  virtual void DeleteItems() = 0;
  virtual void SetItemText(int index, const std::u16string& v) = 0;
  virtual std::int32_t ItemValue(int index) const = 0;
  virtual void SetItemValue(int index, std::int32_t v) = 0;
  // The chosen item, -1 for none, and choosing one (-1 chooses none).
  virtual int ChosenItem() const = 0;
  virtual void ChooseItem(int index) = 0;

 protected:
  ~ItemWindow() = default;
};

}  // namespace platform::detail
