// Label: a caption on the window, with alignment, word wrap and an optional border.
#pragma once

#include <string>

#include "platform/vb/control.h"

namespace vb {

class Label : public Control {
 public:
  explicit Label(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  int Alignment();
  void Alignment(int v);
  bool WordWrap();
  void WordWrap(bool v);
  // 0 transparent, 1 opaque (the default).
  int BackStyle();
  void BackStyle(int v);
  int BorderStyle();
  void BorderStyle(int v);

 protected:
  void CreateControlWindow() override;
};

}  // namespace vb
