#include "controls/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/vb/error.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "platform/win/placement.h"

namespace {
constexpr vb::OLE_COLOR kDefaultColor = 0x800000;
}  // namespace

float ProgressBar::Value() {
  EnsureWindow(); return value_; }

void ProgressBar::SetValue(float v) {
  EnsureWindow();
  value_ = v;
  const Picture next = Compose(v, shown_.width >= 0);
  if (next.shown == shown_) {
    drawing.Step();
  } else {
    Show(next.shown);
    // A box that has just come on screen is drawn at once, so it shows as it appears.
    drawing.Change(!drawnOnScreen_ || win::IsWindowVisible(picStatus.hWnd()) == 0);
  }
  PropertyChanged(u"Value");
}

void ProgressBar::Show(const Shown& shown) {
  shown_ = shown;
  sameFrom_ = sameTo_ = 0;
  if (calculatePercentage_ || shown.width <= 0 || shown.percent < 0 || shown.percent > 100) return;
  // The caption's whole number holds over [n - 0.5, n + 0.5), the bar's pixel count b over the
  // percentages whose width rounds to b; the margin keeps clear of where float rounding decides.
  constexpr double kMargin = 1e-3;
  const double perPixel = 100.0 * vb::TwipsPerPixel / shown.width;
  const double from = std::max({shown.percent - 0.5, (shown.barPixels - 0.5) * perPixel, 0.0}) + kMargin;
  const double to = std::min({shown.percent + 0.5, (shown.barPixels + 0.5) * perPixel, 100.0}) - kMargin;
  if (from < to) {
    sameFrom_ = static_cast<float>(from);
    sameTo_ = static_cast<float>(to);
  }
}

bool ProgressBar::CalculatePercentage() {
  EnsureWindow(); return calculatePercentage_; }

void ProgressBar::CalculatePercentage(bool b) {
  EnsureWindow();
  calculatePercentage_ = b;
  if (totalValue_ == 0) totalValue_ = 100;
  if (!b) totalValue_ = 0;
  Redraw();
  PropertyChanged(u"CalculatePercentage");
}

double ProgressBar::TotalValue() {
  EnsureWindow(); return totalValue_; }

void ProgressBar::TotalValue(double t) {
  EnsureWindow();
  if (!calculatePercentage_) return;
  if (t <= 0) vb::Raise(vb::vbObjectError + 1001, u"spbProgressBar", u"Total value must be a postive, non-zero value");
  totalValue_ = t;
  Redraw();
  PropertyChanged(u"TotalValue");
}

bool ProgressBar::ShowStatus() {
  EnsureWindow(); return showStatus_; }

void ProgressBar::ShowStatus(bool v) {
  EnsureWindow();
  showStatus_ = v;
  Redraw();
  PropertyChanged(u"ShowStatus");
}

std::u16string ProgressBar::Text() {
  EnsureWindow(); return text_; }

void ProgressBar::Text(const std::u16string& v) {
  EnsureWindow();
  text_ = v;
  Redraw();
  PropertyChanged(u"Text");
}

vb::StdFont ProgressBar::Font() {
  EnsureWindow(); return picStatus.Font(); }

void ProgressBar::Font(const vb::StdFont& v) {
  EnsureWindow();
  picStatus.Font(v);
  Redraw();
  PropertyChanged(u"Font");
}

vb::OLE_COLOR ProgressBar::ProgressColor() {
  EnsureWindow(); return progressColor_; }

void ProgressBar::ProgressColor(vb::OLE_COLOR v) {
  EnsureWindow();
  progressColor_ = v;
  Redraw();
  PropertyChanged(u"ProgressColor");
}

void ProgressBar::Design() {
  picStatus.Move(0, 0);
  picStatus.BackColor(vb::vbWhite);
  picStatus.AutoRedraw(true);
}

void ProgressBar::UserControl_InitProperties() {
  value_ = 0;
  calculatePercentage_ = false;
  totalValue_ = 0;
  showStatus_ = true;
  text_.clear();
  progressColor_ = kDefaultColor;
  picStatus.Font(Ambient().Font);
}

void ProgressBar::UserControl_ReadProperties(vb::PropertyBag& bag) {
  value_ = bag.ReadProperty(u"Value", 0.0f);
  calculatePercentage_ = bag.ReadProperty(u"CalculatePercentage", false);
  totalValue_ = bag.ReadProperty(u"TotalValue", 0.0);
  showStatus_ = bag.ReadProperty(u"ShowStatus", true);
  text_ = bag.ReadProperty(u"Text", u"");
  picStatus.Font(bag.ReadProperty(u"Font", Ambient().Font));
  progressColor_ = static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"ProgressColor", static_cast<std::int32_t>(kDefaultColor)));
}

void ProgressBar::UserControl_WriteProperties(vb::PropertyBag& bag) {
  bag.WriteProperty(u"Value", value_, 0.0f);
  bag.WriteProperty(u"CalculatePercentage", calculatePercentage_, false);
  bag.WriteProperty(u"TotalValue", totalValue_, 0.0);
  bag.WriteProperty(u"ShowStatus", showStatus_, true);
  bag.WriteProperty(u"Text", text_, std::u16string());
  bag.WriteProperty(u"Font", picStatus.Font(), Ambient().Font);
  bag.WriteProperty(u"ProgressColor", static_cast<std::int32_t>(progressColor_), static_cast<std::int32_t>(kDefaultColor));
}

void ProgressBar::UserControl_Resize() {
  // picStatus covers the control, so the control's whole appearance is its content.
  picStatus.Move(0, 0, Extender().Width(), Extender().Height());
  Redraw();
}

void ProgressBar::UserControl_Terminate() {
  // A value set after the window went loads it again, through the whole path; nothing is left to
  // draw late (a click handled while the events ran may have unloaded the window).
  Show(Shown());
  drawing.Forget();
}

void ProgressBar::Redraw() {
  // Anything besides the value may have changed the box: it is drawn whole, at once.
  drawing.Forget();
  Show(Shown());
  Paint(Compose(value_, false));
  vb::DoEvents();
}

void ProgressBar::DrawValue() {
  drawnOnScreen_ = win::IsWindowVisible(picStatus.hWnd()) != 0;
  Paint(Compose(value_, true));
}

namespace {

// The whole number in plain decimal digits, however large (a float that large is a whole number).
std::u16string Digits(double whole) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.0f", whole);
  return vb::FromUtf8(digits);
}

}  // namespace

ProgressBar::Picture ProgressBar::Compose(float position, bool sized) {
  // A stored total of 0 (or below) with the calculation on draws 0% rather than dividing by it.
  float p = position;
  if (calculatePercentage_) p = totalValue_ > 0 ? static_cast<float>(position / totalValue_ * 100.0) : 0.0f;
  if (std::isnan(p)) p = 0;
  p = std::clamp(p, -std::numeric_limits<float>::max(), std::numeric_limits<float>::max());

  // What the box would show is worked out before anything is drawn: most steps of a long run change
  // neither the percentage nor the bar's pixels. Any percentage above 100 fills the box.
  // The box's size changes only through a resize, which draws it whole: a run of values reads the
  // size that whole drawing noted instead of asking the window each step.
  const float boxWidth = sized ? shown_.width : picStatus.Width();
  const float boxHeight = sized ? shown_.height : picStatus.Height();
  const double whole = std::floor(static_cast<double>(p) + 0.5);
  const bool empty = p / 100.0f <= 0;
  const float barWidth = empty ? boxWidth : boxWidth * std::min(p / 100.0f, 1.0f);
  return Picture{Shown{whole, static_cast<std::int32_t>(std::lround(barWidth / vb::TwipsPerPixel)), boxWidth, boxHeight,
                       empty ? vb::vbWhite : progressColor_},
                 barWidth, empty};
}

void ProgressBar::Paint(const Picture& picture) {
  const std::u16string caption = showStatus_ ? text_ + u" " + Digits(picture.shown.percent) + u"%" : text_;
  picStatus.ForeColor(progressColor_);
  picStatus.BackColor(vb::vbWhite);  // clears the box

  // Caption placement is computed in 32 bits, so a large box cannot overflow it.
  const std::int32_t w = vb::CLng(picStatus.TextWidth(caption));
  const std::int32_t h = vb::CLng(picStatus.TextHeight(caption));
  const std::int32_t x = vb::CLng(picStatus.ScaleWidth() / 2.0 - w / 2.0);
  const std::int32_t y = vb::CLng(picStatus.ScaleHeight() / 2.0 - h / 2.0);
  picStatus.DrawMode(vb::vbCopyPen);
  picStatus.CurrentX(static_cast<float>(x));
  picStatus.CurrentY(static_cast<float>(y));
  picStatus.Print(caption, false);

  // Not-xor over white shows the bar's colour; over the caption it gives the caption's inverse.
  picStatus.DrawMode(vb::vbNotXorPen);
  if (picture.empty) {
    picStatus.Line(0, 0, picStatus.Width(), picStatus.Height(), picStatus.BackColor(), true, true);
  } else {
    picStatus.Line(0, 0, picture.barWidth, picStatus.Height(), picStatus.ForeColor(), true, true);
  }
  picStatus.Refresh();
}
