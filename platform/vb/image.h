// Image: a picture on the window, at its own size or stretched; and LoadPicture, which reads one.
#pragma once

#include <string>

#include "platform/vb/control.h"
#include "platform/vb/stdole.h"

namespace vb {

// Reads an icon or cursor file as an icon picture and any other image file as a bitmap picture;
// raises 53 when missing and 481 when unreadable. An empty path gives no picture (null).
vb::Picture LoadPicture(const std::u16string& path = {});

class Image : public Control {
 public:
  explicit Image(Container& c) : Control(c) {}
  vb::Picture Picture();
  void Picture(const vb::Picture& v);
  bool Stretch();
  void Stretch(bool v);

 protected:
  void CreateControlWindow() override;
};

}  // namespace vb
