// The segmented progress bar: a bar between Min and Max filled up to Value, drawn with the visual
// style's "Progress" parts when XpStyle is on and a style is active, otherwise classically (in
// blocks of 8 pixels with gaps of 2 when Segments is on), with an optional text that takes
// BarForeColor where the bar covers it, optional pictures stretched or tiled behind the bar and
// inside it, and a border in one of three looks. Everything is drawn into an off-screen buffer and
// copied to the control's window; BeforeDraw lets the host draw instead.
//
// Every property write stores the value, marks the property changed under its key and redraws.
// A bar whose Max equals Min is empty until Value passes Min, and full after (the fraction is
// limited to 0 ... 1 whatever the range).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/dib_section.h"
#include "platform/gdi/types.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/usercontrol.h"

class kestProgressBar : public vb::UserControl {
 public:
  explicit kestProgressBar(vb::Container& container) : UserControl(container) {}

  // Hold the two pictures; never shown themselves.
  vb::PictureBox picBack{*this};
  vb::PictureBox picBar{*this};

  bool Segments();
  void Segments(bool v);
  bool XpStyle();
  void XpStyle(bool v);
  std::u16string Text();
  void Text(const std::u16string& v);
  // 0 left, 1 centre, 2 right.
  std::int32_t TextAlignX();
  void TextAlignX(std::int32_t v);
  // 0 top, 1 centre, 2 bottom.
  std::int32_t TextAlignY();
  void TextAlignY(std::int32_t v);
  bool ShowText();
  void ShowText(bool v);
  // The fill fraction x 100.
  double Percent();
  std::int32_t Min();
  void Min(std::int32_t v);
  std::int32_t Max();
  void Max(std::int32_t v);
  std::int32_t Value();
  void Value(std::int32_t v);
  // 0 none, 1 sunken, 2 raised.
  std::int32_t BorderStyle();
  void BorderStyle(std::int32_t v);
  // 0 flat, 1 three-dimensional lines, 2 the wider edge.
  std::int32_t Appearance();
  void Appearance(std::int32_t v);
  vb::OLE_COLOR BackColor();
  void BackColor(vb::OLE_COLOR v);
  vb::OLE_COLOR ForeColor();
  void ForeColor(vb::OLE_COLOR v);
  vb::StdFont Font();
  void Font(const vb::StdFont& v);
  vb::OLE_COLOR BarColor();
  void BarColor(vb::OLE_COLOR v);
  vb::OLE_COLOR BarForeColor();
  void BarForeColor(vb::OLE_COLOR v);
  // Change the bar picture (the background picture) by hue, lightness and saturation factors.
  void ModifyBarPicture(float hue, float lightness, float saturation);
  void ModifyPicture(float hue, float lightness, float saturation);
  vb::Picture BarPicture();
  void BarPicture(const vb::Picture& v);
  // 1 stretch the picture over the bar, otherwise tile it.
  std::int32_t BarPictureMode();
  void BarPictureMode(std::int32_t v);
  // 1 stretch the picture over the control, otherwise tile it.
  std::int32_t BackPictureMode();
  void BackPictureMode(std::int32_t v);
  vb::Picture Picture();
  void Picture(const vb::Picture& v);

  // Raised at the start of every drawing with the buffer's context and the client area; a handler
  // that clears doDefault draws everything itself.
  std::function<void(win::HDC hdc, int left, int top, int width, int height, bool& doDefault)> BeforeDraw;

 protected:
  void Design() override;
  void UserControl_InitProperties() override;
  void UserControl_ReadProperties(vb::PropertyBag& bag) override;
  void UserControl_WriteProperties(vb::PropertyBag& bag) override;
  void UserControl_Resize() override;
  void UserControl_Paint() override;

 private:
  struct Drawing;
  void Changed(const char16_t* key);
  void Draw();
  double Fraction() const;
  void DrawBackground(Drawing& d);
  void DrawText(Drawing& d, const win::RECT& r, vb::OLE_COLOR colour);
  void DrawBar(Drawing& d, const win::RECT& bar, bool horizontal);
  void DrawBorder(Drawing& d);
  void ModifyPictureOf(vb::PictureBox& box, float hue, float lightness, float saturation);

  bool segments_ = false;
  bool xpStyle_ = false;
  std::u16string text_;
  std::int32_t textAlignX_ = 1;
  std::int32_t textAlignY_ = 1;
  bool showText_ = false;
  std::int32_t min_ = 0;
  std::int32_t max_ = 100;
  std::int32_t value_ = 0;
  std::int32_t borderStyle_ = 1;
  std::int32_t appearance_ = 1;
  vb::OLE_COLOR backColor_ = vb::vbButtonFace;
  vb::OLE_COLOR foreColor_ = vb::vbWindowText;
  vb::OLE_COLOR barColor_ = 0x800000;
  vb::OLE_COLOR barForeColor_ = 0xFFFFFF;
  vb::StdFont font_;
  std::int32_t barPictureMode_ = 1;
  std::int32_t backPictureMode_ = 1;
  controls::pcMemDC memDC_;
};
