// Shape: a rectangle, square, oval, circle or rounded box drawn on the window.
#pragma once

#include <string>

#include "platform/vb/control.h"

namespace vb {

// Shape kinds and fill styles.
constexpr int vbShapeRectangle = 0;
constexpr int vbShapeSquare = 1;
constexpr int vbShapeOval = 2;
constexpr int vbShapeCircle = 3;
constexpr int vbShapeRoundedRectangle = 4;
constexpr int vbShapeRoundedSquare = 5;
constexpr int vbFSSolid = 0;
constexpr int vbFSTransparent = 1;

class Shape : public Control {
 public:
  explicit Shape(Container& c) : Control(c) {}
  // The runtime's Shape property (a member cannot carry its class's name).
  int ShapeKind();
  void ShapeKind(int v);
  OLE_COLOR BorderColor();
  void BorderColor(OLE_COLOR v);
  int BorderWidth();
  void BorderWidth(int v);
  // 0 transparent border, 1 solid.
  int BorderStyle();
  void BorderStyle(int v);
  OLE_COLOR FillColor();
  void FillColor(OLE_COLOR v);
  int FillStyle();
  void FillStyle(int v);
  // 0 transparent, 1 opaque (filled with BackColor).
  int BackStyle();
  void BackStyle(int v);

 protected:
  void CreateControlWindow() override;
};

}  // namespace vb
