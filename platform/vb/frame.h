// Frame: a captioned box that other controls sit in.
#pragma once

#include <string>

#include "platform/vb/control.h"

namespace vb {

class Frame : public Control, public Container {
 public:
  explicit Frame(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  Host& OwningHost() override { return host(); }
  win::HWND ContainerHandle() override { return hWnd(); }

 protected:
  void CreateControlWindow() override;
};

}  // namespace vb
