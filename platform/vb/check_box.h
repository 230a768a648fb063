// CheckBox: a box with a caption, unchecked, checked or grayed. Setting Value in code raises Click
// when the value really changes.
#pragma once

#include <string>

#include "platform/vb/control.h"

namespace vb {

// CheckBox values.
constexpr int vbUnchecked = 0;
constexpr int vbChecked = 1;
constexpr int vbGrayed = 2;

class CheckBox : public Control {
 public:
  explicit CheckBox(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  // vbUnchecked, vbChecked or vbGrayed; other values raise 380.
  int Value();
  void Value(int v);

 protected:
  void CreateControlWindow() override;
};

}  // namespace vb
