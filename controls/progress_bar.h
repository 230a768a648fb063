// The percentage progress bar: a bar filled from the left in one colour with a centred caption of
// an optional text and the percentage. Everything is drawn in the picture box picStatus. Setting a
// property lets pending window events run, so a caller's loop that sets Value sees clicks (a Cancel
// button) while it runs; callers must expect re-entrance there. A Value that changes no pixel draws
// nothing, and values that change the box are drawn at most once a frame (the screen shows no more),
// the last of them a frame after the drawing before; the events run once a frame between drawings.
// The many steps of a long run cost next to nothing, and a click still arrives within a frame.
#pragma once

#include <chrono>
#include <string>

#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/vb/timer.h"
#include "platform/vb/usercontrol.h"

// Like every control's properties, these load the window the bar sits on when it is not loaded.
class ProgressBar : public vb::UserControl {
 public:
  explicit ProgressBar(vb::Container& container) : UserControl(container) {}

  vb::PictureBox picStatus{*this};
  // Draws a change kept back because the box was drawn less than a frame before.
  vb::Timer lateDrawing{*this};

  float Value();
  void Value(float v) {
    // Most steps of a long run: a value that looks as the box already does while no events are
    // due. Such a step only keeps the value.
    if (v > sameFrom_ && v < sameTo_ && vb::FrameIsQuiet()) {
      value_ = v;
      return;
    }
    SetValue(v);
  }
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
  void UserControl_Terminate() override;

 private:
  void SetValue(float v);
  // Draws the box whole and lets the pending events run.
  void Redraw();
  // Shows a new value: nothing to draw when the box would look the same, and at most one drawing a
  // frame; the pending events run once a frame, and at once after a drawing.
  void ShowValue();
  struct Picture;
  void ShowChange(const Picture& next);
  // Notes the values strictly between which the box looks as it does now, so that most steps of a
  // run need no working out of what they would show.
  void NoteValuesThatLookTheSame();
  bool FramePassedSinceDrawn() const;
  void StopLateDrawing();
  void DrawLate();

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
  // What the box is to show (drawn, or kept for the late drawing).
  Shown shown_;
  std::chrono::steady_clock::time_point drawnAt_;
  bool drawnOnScreen_ = false;
  bool drawLate_ = false;  // a change waits for lateDrawing
  float sameFrom_ = 0;
  float sameTo_ = 0;

  struct Picture {
    Shown shown;
    float barWidth;  // in twips
    bool empty;
  };
  Picture Compose(float position, bool sized);
  void Paint(const Picture& picture);
};
