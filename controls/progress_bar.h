// The percentage progress bar: a bar filled from the left in one colour with a centred caption of
// an optional text and the percentage. Everything is drawn in the picture box picStatus. Every
// redraw ends by letting pending window events run, so a caller's loop that sets Value sees clicks
// (a Cancel button) while it runs; callers must expect re-entrance there. A Value that changes no
// pixel draws nothing and lets the events run only once a frame has passed since they last ran:
// the many steps of a long run cost next to nothing, and a click still arrives within a frame.
#pragma once

#include <string>

#include "platform/vb/picturebox.h"
#include "platform/vb/usercontrol.h"

// Like every control's properties, these load the window the bar sits on when it is not loaded.
class ProgressBar : public vb::UserControl {
 public:
  explicit ProgressBar(vb::Container& container) : UserControl(container) {}

  vb::PictureBox picStatus{*this};

  float Value();
  void Value(float v);
  bool CalculatePercentage();
  void CalculatePercentage(bool b);
  double TotalValue();
  // Ignored while CalculatePercentage is off; 0 or below raises vbObjectError + 1001.
  void TotalValue(double t);
  bool ShowStatus();
  void ShowStatus(bool v);
  std::u16string Text();
  void Text(const std::u16string& v);
  vb::StdFont Font();
  void Font(const vb::StdFont& v);
  vb::OLE_COLOR ProgressColor();
  void ProgressColor(vb::OLE_COLOR v);

 protected:
  void Design() override;
  void UserControl_InitProperties() override;
  void UserControl_ReadProperties(vb::PropertyBag& bag) override;
  void UserControl_WriteProperties(vb::PropertyBag& bag) override;
  void UserControl_Resize() override;

 private:
  void Redraw();
  // Draws the bar; when only the value changed since the last draw and the box would look the
  // same, it only lets the pending events run, once a frame.
  void Draw(float position, bool onlyValueChanged);

  float value_ = 0;
  bool calculatePercentage_ = false;
  double totalValue_ = 0;
  bool showStatus_ = true;
  std::u16string text_;
  vb::OLE_COLOR progressColor_ = 0x800000;

  // What the box shows now. A value that changes neither the caption nor the bar's pixels (most of
  // the many steps of a long conversion) draws nothing.
  struct Shown {
    double percent = -1;  // the whole number the caption shows
    std::int32_t barPixels = -1;
    float width = -1;
    float height = -1;
    vb::OLE_COLOR colour = 0;
    bool operator==(const Shown&) const = default;
  };
  Shown shown_;
};
