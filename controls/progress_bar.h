// The percentage progress bar: a bar filled from the left in one colour with a centred caption of
// an optional text and the percentage. Everything is drawn in the picture box picStatus. Setting a
// property lets pending window events run, so a caller's loop that sets Value sees clicks (a Cancel
// button) while it runs; callers must expect re-entrance there. A Value that changes no pixel draws
// nothing and lets the events run once a frame; values that change the box are drawn at most once
// a frame (the runtime's paced drawing), the last of them once its frame has ended. The many steps
// of a long run cost next to nothing, and a click still arrives within a frame.
#pragma once

#include <cstdint>
#include <string>

#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/vb/usercontrol.h"

// Like every control's properties, these load the window the bar sits on when it is not loaded.
class ProgressBar : public vb::UserControl {
 public:
  explicit ProgressBar(vb::Container& container) : UserControl(container) {}

  vb::PictureBox picStatus{*this};
  // Draws the changes of Value at most once a frame.
  vb::PacedDrawing drawing{[this] { DrawValue(); }};

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
  // Draws the value's change.
  void DrawValue();
  struct Shown;
  // Notes what the box is to show, and the values that would show the same.
  void Show(const Shown& shown);

  float value_ = 0;
  bool calculatePercentage_ = false;
  double totalValue_ = 0;
  bool showStatus_ = true;
  std::u16string text_;
  vb::OLE_COLOR progressColor_ = 0x800000;

  // What the box shows, or is to show once its frame has ended: a value that changes neither the
  // caption nor the bar's pixels (most of the many steps of a long conversion) draws nothing.
  struct Shown {
    double percent = -1;  // the whole number the caption shows
    std::int32_t barPixels = -1;
    float width = -1;
    float height = -1;
    vb::OLE_COLOR colour = 0;
    bool operator==(const Shown&) const = default;
  };
  Shown shown_;
  // The values strictly between which the box looks as shown_ says (none while the calculation is
  // on), so that most steps of a run need no working out of what they would show.
  float sameFrom_ = 0;
  float sameTo_ = 0;
  bool drawnOnScreen_ = false;  // the box was on screen when it was last drawn

  struct Picture {
    Shown shown;
    float barWidth;  // in twips
    bool empty;
  };
  // What the box shows at `position`; `sized` takes the box's size from what is shown.
  Picture Compose(float position, bool sized);
  void Paint(const Picture& picture);
};
