// A font selected into a device context for the lifetime of one scope; the previous font comes
// back when it ends. A font handle of 0 leaves the context as it is.
#pragma once

#include "platform/gdi/gdi.h"

namespace commandbars {

class FontSelection {
 public:
  FontSelection(win::HDC hdc, win::HFONT font) : hdc_(hdc), old_(font != 0 ? win::SelectObject(hdc, font) : 0) {}
  ~FontSelection() {
    if (old_ != 0) win::SelectObject(hdc_, old_);
  }
  FontSelection(const FontSelection&) = delete;
  FontSelection& operator=(const FontSelection&) = delete;

 private:
  win::HDC hdc_;
  win::HGDIOBJ old_;
};

}  // namespace commandbars
