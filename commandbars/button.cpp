// The button record: properties, owners, holding bars, notices and the questions asked of it.
#include "commandbars/button.h"

#include <algorithm>

#include "commandbars/command_bar.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/key_names.h"
#include "commandbars/toolkit_links.h"
#include "platform/vb/control.h"

namespace commandbars {

cButtonInt::cButtonInt() = default;

void cButtonInt::Caption(std::u16string v) {
  caption_ = std::move(v);
  Changed();
}

void cButtonInt::IconIndex(std::int32_t v) {
  iconIndex_ = v;
  Changed();
}

void cButtonInt::ColorBox(std::int32_t v) {
  colorBox_ = v;
  Changed();
}

void cButtonInt::Style(std::int32_t v) {
  style_ = v;
  Changed();
}

void cButtonInt::PanelWidth(std::int32_t v) {
  panelWidth_ = v;
  Changed();
}

void cButtonInt::PanelControl(vb::Control* v) {
  panelControl_ = v;
  Changed();
}

namespace {
std::uint64_t enabledWrites = 0;
}  // namespace

std::uint64_t EnabledWrites() { return enabledWrites; }

platform::ChangeNotice& EnabledWritten() {
  static platform::ChangeNotice notice;
  return notice;
}

void cButtonInt::Enabled(bool v) {
  ++enabledWrites;
  enabled_ = v;
  NotifyBars(kChangeEnabled);
  EnabledWritten().Tell();
}

void cButtonInt::Locked(bool v) {
  locked_ = v;
  NotifyBars(kChangeEnabled);
}

void cButtonInt::Visible(bool v) {
  visible_ = v;
  Changed();
}

void cButtonInt::Infrequent(bool v) {
  infrequent_ = v;
  Changed();
}

void cButtonInt::ExtraLong(std::int32_t v) {
  extraLong_ = v;
  Changed();
}

void cButtonInt::Checked(bool v) {
  if (style_ != eCheck && style_ != eRadio && style_ != eRadioNullable) return;
  checked_ = v;
  NotifyBars(kChangeChecked);
}

void cButtonInt::ShowCaptionInToolbar(bool v) {
  showCaptionInToolbar_ = v;
  Changed();
}

void cButtonInt::ShowDropDownInToolbar(bool v) {
  showDropDownInToolbar_ = v;
  Changed();
}

cCommandBarInt* cButtonInt::Bar() const { return bar_.get(); }

void cButtonInt::Bar(cCommandBarInt* v) { bar_ = v != nullptr ? WeakLink<cCommandBarInt>(v->lifeline()) : WeakLink<cCommandBarInt>(); }

void cButtonInt::AddOwner(win::HWND hWndControl, win::HWND hWndForm) {
  const std::u16string key = HandleKey(hWndForm);
  if (owners_.Exists(key)) return;
  owners_.Add(hWndControl, key);
  if (cCommandBarInt* sub = Bar()) sub->AddOwner(hWndControl, hWndForm);
}

void cButtonInt::RemoveOwner(win::HWND hWndForm) {
  const std::u16string key = HandleKey(hWndForm);
  if (owners_.Exists(key)) owners_.Remove(key);
}

win::HWND cButtonInt::OwnerControl(win::HWND hWndForm) const {
  const std::u16string key = HandleKey(hWndForm);
  return owners_.Exists(key) ? const_cast<vb::Collection<win::HWND>&>(owners_).Item(key) : 0;
}

void cButtonInt::AddToBar(cCommandBarInt& bar) {
  if (!holdingBars_.Exists(bar.Key())) holdingBars_.Add(WeakLink<cCommandBarInt>(bar.lifeline()), bar.Key());
}

void cButtonInt::RemoveFromBar(cCommandBarInt& bar) {
  if (holdingBars_.Exists(bar.Key())) holdingBars_.Remove(bar.Key());
}

void cButtonInt::RemoveFromAllBars() {
  // Each removal changes the list; walk a copy.
  std::vector<cCommandBarInt*> bars;
  for (const WeakLink<cCommandBarInt>& link : holdingBars_)
    if (cCommandBarInt* bar = link.get()) bars.push_back(bar);
  for (cCommandBarInt* bar : bars)
    if (bar->IndexOf(key_) > 0) bar->Remove(*this);
}

void cButtonInt::NotifyBars(std::int32_t code) {
  // A bar's notice may change the list (a control re-laying out does not, but a host's handler
  // could); walk what was there when the change happened.
  std::vector<WeakLink<cCommandBarInt>> bars;
  for (const WeakLink<cCommandBarInt>& link : holdingBars_) bars.push_back(link);
  for (const WeakLink<cCommandBarInt>& link : bars)
    if (cCommandBarInt* bar = link.get()) bar->ButtonChanged(code, this);
}

void cButtonInt::Changed() {
  measureCache_.clear();
  NotifyBars(kChangeAppearance);
}

bool cButtonInt::CanHighlight(std::int32_t orientation, bool addOrRemove) const {
  const bool vertical = orientation == 1 || orientation == 2;
  if (style_ != eSeparator && !locked_ && visible_ && enabled_)
    return style_ != ePanel || (vertical && iconIndex_ >= 0);
  return addOrRemove && state_ != 2;
}

std::u16string cButtonInt::ShortcutText() const {
  if (shortcutKey_ == 0) return {};
  std::u16string text;
  if (shortcutModifiers_ > 0) {
    if (shortcutModifiers_ & kCtrlModifier) text += u"Ctrl+";
    if (shortcutModifiers_ & kShiftModifier) text += u"Shift+";
    if (shortcutModifiers_ & kAltModifier) text += u"Alt+";
  }
  return text + ShortcutKeyName(static_cast<std::uint16_t>(shortcutKey_));
}

std::u16string cButtonInt::ToolTipText(bool appendShortcut) const {
  if (!appendShortcut) return toolTip_;
  const std::u16string shortcut = ShortcutText();
  return shortcut.empty() ? toolTip_ : toolTip_ + u" (" + shortcut + u")";
}

bool cButtonInt::MatchesMnemonic(std::int16_t vKey) const {
  const char16_t letter = MnemonicOf(caption_);
  if (letter == 0) return false;
  const std::int32_t key = KeyOfCharacter(letter);
  return key != 0 && key == (static_cast<std::uint16_t>(vKey) & 0xFF);
}

cButtonInt* cButtonInt::FindShortcut(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers,
                                     bool skipOwnerTest, IBarControl*& ctl) {
  std::vector<const cCommandBarInt*> visited;
  cButtonInt* found = nullptr;
  FindShortcutIn(hWndForm, vKey, eModifiers, skipOwnerTest, ctl, visited, found);
  return found;
}

void cButtonInt::FindShortcutIn(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers, bool skipOwnerTest,
                                IBarControl*& ctl, std::vector<const cCommandBarInt*>& visited, cButtonInt*& found) {
  found = nullptr;
  if (!enabled_) return;
  if (!skipOwnerTest) {
    // A registration whose control has gone is no owner.
    const win::HWND owner = OwnerControl(hWndForm);
    IBarControl* control = owner != 0 ? FindBarControl(owner) : nullptr;
    if (control == nullptr) return;
    ctl = control;
  }
  if (shortcutKey_ == vKey && shortcutModifiers_ == eModifiers) {
    found = this;
    return;
  }
  if (cCommandBarInt* sub = Bar()) found = sub->FindShortcutIn(hWndForm, vKey, eModifiers, ctl, visited);
}

std::optional<bool> cButtonInt::InDropDownPart(std::int32_t x, std::int32_t, std::int32_t width, std::int32_t,
                                               bool dropDownAtLeft, std::int32_t) const {
  if (style_ != eSplit) return std::nullopt;
  return dropDownAtLeft ? x < SplitWidth() : x > width - SplitWidth();
}

void cButtonInt::ReleaseReferences() {
  panelControl_ = nullptr;
  bar_ = WeakLink<cCommandBarInt>();
  holdingBars_ = vb::Collection<WeakLink<cCommandBarInt>>();
}

std::optional<std::int32_t> cButtonInt::MeasureCached(const cMeasureButtonParams& params) const {
  for (std::size_t i = 0; i < measureCache_.size(); ++i)
    if (measureCache_[i].CompareTo(params) == 0) return static_cast<std::int32_t>(i + 1);
  return std::nullopt;
}

void cButtonInt::Draw(cDrawButtonParams& params) {
  if ((visible_ && !params.Hidden) || params.SizeStyle == 2) {
    if (params.SizeStyle == 1 || params.SizeStyle == 2)
      DrawMenuItem(params);
    else
      DrawToolbarButton(params);
  } else if (style_ == ePanel) {
    HidePanelControl();
  }
}

void cButtonInt::HidePanelControl() {
  if (panelControl_ == nullptr) return;
  try {
    if (panelControl_->Visible()) panelControl_->Visible(false);
  } catch (...) {
  }
}

}  // namespace commandbars
