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
  // The installed font families by 0-based index, sorted, each once and named as a user knows it
  // (without the font library's foundry tags); out of range raises 380.
  std::u16string Fonts(int index) const;
};

extern ScreenObject Screen;

}  // namespace vb
