// The runtime's Screen object: the primary screen's size, the fixed twips per pixel, the mouse
// pointer over the whole program, and the installed fonts.
#pragma once

#include <string>

namespace vb {

struct ScreenObject {
  // The primary screen in twips.
  float Width() const;
  float Height() const;
  float TwipsPerPixelX() const { return 15; }
  float TwipsPerPixelY() const { return 15; }
  // A pointer other than vbDefault (0) shows over every window of the program.
  int MousePointer() const;
  void MousePointer(int v);
  int FontCount() const;
  // Font names by 0-based index; out of range raises 380.
  std::u16string Fonts(int index) const;
};

extern ScreenObject Screen;

}  // namespace vb
