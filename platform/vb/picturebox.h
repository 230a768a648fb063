// The picture box: a container and a drawing surface. What the graphics methods draw is kept
// (the surface is retained whatever AutoRedraw says) and shown when the box paints; Cls clears it
// back to BackColor and the Picture. Coordinates are in the box's ScaleMode (twips unless set), over
// its inner area (inside the border).
#pragma once

#include <string>

#include "platform/gdi/types.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"

namespace vb {

// DrawMode values (the platform's raster operations).
constexpr int vbBlackness = 1;
constexpr int vbNotMergePen = 2;
constexpr int vbMaskNotPen = 3;
constexpr int vbNotCopyPen = 4;
constexpr int vbMaskPenNot = 5;
constexpr int vbInvert = 6;
constexpr int vbXorPen = 7;
constexpr int vbNotMaskPen = 8;
constexpr int vbMaskPen = 9;
constexpr int vbNotXorPen = 10;
constexpr int vbNop = 11;
constexpr int vbMergeNotPen = 12;
constexpr int vbCopyPen = 13;
constexpr int vbMergePenNot = 14;
constexpr int vbMergePen = 15;
constexpr int vbWhiteness = 16;

class PictureBox : public Control, public Container {
 public:
  explicit PictureBox(Container& c) : Control(c) {}
  Host& OwningHost() override { return host(); }
  win::HWND ContainerHandle() override { return hWnd(); }

  bool AutoRedraw();
  void AutoRedraw(bool v);
  // 0 none, 1 fixed single (a sunken border two pixels wide).
  int BorderStyle();
  void BorderStyle(int v);
  vb::Picture Picture();
  void Picture(const vb::Picture& v);
  // The box's device context: draws on what the box keeps and shows (its inner area, from its
  // top-left corner), as the graphics methods do. It stays the box's while its window lives.
  win::HDC hDC();

  int ScaleMode();
  void ScaleMode(int v);
  float ScaleWidth();
  float ScaleHeight();
  float ScaleX(float v, int fromScale, int toScale);
  float ScaleY(float v, int fromScale, int toScale);

  float CurrentX();
  void CurrentX(float v);
  float CurrentY();
  void CurrentY(float v);
  int DrawMode();
  void DrawMode(int v);
  int DrawWidth();
  void DrawWidth(int v);

  // Clears the drawing to BackColor and the Picture; CurrentX and CurrentY go to 0.
  void Cls();
  // Prints text at CurrentX, CurrentY in ForeColor and the box's font. With a new line CurrentX goes
  // back to 0 and CurrentY down by the text's height, else CurrentX moves past the text.
  void Print(const std::u16string& text, bool newLine = true);
  // Line (x1, y1)-(x2, y2), colour: a line, or with box the rectangle's outline, or with fill the
  // filled rectangle; both corners included. color -1 draws in ForeColor. Uses DrawMode.
  void Line(float x1, float y1, float x2, float y2, std::int64_t color = -1, bool box = false, bool fill = false);
  void PSet(float x, float y, std::int64_t color = -1);
  // The colour of the drawing at a point, -1 outside.
  std::int64_t Point(float x, float y);
  float TextWidth(const std::u16string& text);
  float TextHeight(const std::u16string& text);

  std::function<void()> Paint;
  std::function<void()> Resize;

 protected:
  void CreateControlWindow() override;
  void BackColorChanged() override;

 public:
  void PixelsToUnits(int px, int py, float& x, float& y) override;
};

}  // namespace vb
