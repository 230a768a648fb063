// OptionButton: one of a group of choices. Setting Value in code raises Click when the value really
// changes.
#pragma once

#include <string>

#include "platform/vb/control.h"

namespace vb {

// Option buttons sharing a container form one group; a group may have none selected.
class OptionButton : public Control {
 public:
  explicit OptionButton(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  bool Value();
  void Value(bool v);

 protected:
  void CreateControlWindow() override;
};

}  // namespace vb
