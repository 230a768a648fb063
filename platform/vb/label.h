// Label: a caption on the window, with alignment, word wrap and an optional border. With AutoSize
// the label takes the size of its caption in its font (and border), keeping its left and top.
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
  // 0 none, 1 a single border: sunken with Appearance 1 (the default), a flat line with 0.
  int BorderStyle();
  void BorderStyle(int v);
  int Appearance();
  void Appearance(int v);
  bool AutoSize();
  void AutoSize(bool v);

 protected:
  void CreateControlWindow() override;
  void FontChanged() override { Fit(); }

 private:
  void Fit();
  void ApplyBorder();
  int borderStyle_ = 0;
  int appearance_ = 1;
  bool autoSize_ = false;
};

}  // namespace vb
