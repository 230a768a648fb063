#include "controls/hyper_link.h"

#include "platform/gdi/icons.h"
#include "platform/media/sound.h"
#include "platform/shell/shell.h"
#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "platform/vb/screen.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace {

// Runs one step of a click; an error in it is ignored and the next step runs.
template <class F>
void Step(F&& f) {
  try {
    f();
  } catch (const vb::Error&) {
  }
}

vb::StdFont DesignFont() {
  vb::StdFont f;
  f.Name = u"Tahoma";
  return f;
}

// The platform's hand pointer, as the label's pointer picture.
vb::Picture HandPointer() {
  return std::make_shared<vb::StdPicture>(vb::vbPicTypeIcon,
                                          static_cast<std::intptr_t>(win::LoadCursorA(0, win::IDC_HAND)));
}

}  // namespace

HyperLink::HyperLink(vb::Container& container) : UserControl(container) {
  lblHyperLink.Click = [this] { lblHyperLink_Click(); };
  lblHyperLink.MouseMove = [this](int b, int s, float x, float y) { lblHyperLink_MouseMove(b, s, x, y); };
  lblHyperLink.MouseDown = [this](int b, int s, float x, float y) { RaiseEvent(mouseDown, b, s, x, y); };
  lblHyperLink.MouseUp = [this](int b, int s, float x, float y) { RaiseEvent(MouseUp, b, s, x, y); };
  myTimer.Tick = [this] { myTimer_Timer(); };
}

// --- properties -----------------------------------------------------------------------------------

bool HyperLink::Enabled() { return lblHyperLink.Enabled(); }
void HyperLink::Enabled(bool v) {
  lblHyperLink.Enabled(v);
  PropertyChanged(u"Enabled");
}

vb::StdFont HyperLink::Font() { return lblHyperLink.Font(); }
void HyperLink::Font(const vb::StdFont& v) {
  lblHyperLink.Font(v);
  PropertyChanged(u"Font");
  ApplySizeRule();
}

std::u16string HyperLink::HyperLinkAddress() {
  EnsureWindow();
  return link_;
}
void HyperLink::HyperLinkAddress(const std::u16string& v) {
  EnsureWindow();
  link_ = vb::Trim(v);
  PropertyChanged(u"HyperLink");
}

std::u16string HyperLink::Caption() { return lblHyperLink.Caption(); }
void HyperLink::Caption(const std::u16string& v) {
  SetLabelCaption(v);
  PropertyChanged(u"Caption");
  ApplySizeRule();
}

std::int16_t HyperLink::Alignment() { return static_cast<std::int16_t>(lblHyperLink.Alignment()); }
void HyperLink::Alignment(std::int16_t v) {
  lblHyperLink.Alignment(v);
  PropertyChanged(u"Alignment");
  ApplySizeRule();
}

bool HyperLink::AutoSize() { return lblHyperLink.AutoSize(); }
void HyperLink::AutoSize(bool v) {
  lblHyperLink.AutoSize(v);
  PropertyChanged(u"AutoSize");
  ApplySizeRule();
}

vb::OLE_COLOR HyperLink::HoverColor() {
  EnsureWindow();
  return hoverColor_;
}
void HyperLink::HoverColor(vb::OLE_COLOR v) {
  EnsureWindow();
  hoverColor_ = v;
  PropertyChanged(u"HoverColor");
}

std::int16_t HyperLink::Appearance() { return static_cast<std::int16_t>(lblHyperLink.Appearance()); }
void HyperLink::Appearance(std::int16_t v) {
  lblHyperLink.Appearance(v);
  PropertyChanged(u"Appearance");
  ApplySizeRule();
}

std::int16_t HyperLink::BorderStyle() { return static_cast<std::int16_t>(lblHyperLink.BorderStyle()); }
void HyperLink::BorderStyle(std::int16_t v) {
  lblHyperLink.BorderStyle(v);
  PropertyChanged(u"BorderStyle");
  ApplySizeRule();
}

vb::OLE_COLOR HyperLink::ForeColor() { return lblHyperLink.ForeColor(); }
void HyperLink::ForeColor(vb::OLE_COLOR v) {
  lblHyperLink.ForeColor(v);
  PropertyChanged(u"ForeColor");
}

vb::OLE_COLOR HyperLink::BackColor() { return lblHyperLink.BackColor(); }
void HyperLink::BackColor(vb::OLE_COLOR v) {
  lblHyperLink.BackColor(v);
  PropertyChanged(u"BackColor");
}

bool HyperLink::AutoToolTip() {
  EnsureWindow();
  return autoToolTip_;
}
void HyperLink::AutoToolTip(bool v) {
  EnsureWindow();
  autoToolTip_ = v;
  PropertyChanged(u"AutoToolTip");
}

bool HyperLink::SoundOn() {
  EnsureWindow();
  return soundOn_;
}
void HyperLink::SoundOn(bool v) {
  EnsureWindow();
  soundOn_ = v;
  PropertyChanged(u"SoundOn");
}

bool HyperLink::MOUnderline() {
  EnsureWindow();
  return moUnderline_;
}
void HyperLink::MOUnderline(bool v) {
  EnsureWindow();
  moUnderline_ = v;
  PropertyChanged(u"MOUnderline");
}

bool HyperLink::MOPointer() {
  EnsureWindow();
  return moPointer_;
}
void HyperLink::MOPointer(bool v) {
  EnsureWindow();
  moPointer_ = v;
  PropertyChanged(u"MOPointer");
}

std::int32_t HyperLink::SoundID() {
  EnsureWindow();
  return soundId_;
}
void HyperLink::SoundID(std::int32_t v) {
  EnsureWindow();
  soundId_ = v;
  PropertyChanged(u"SoundID");
}

// --- life -----------------------------------------------------------------------------------------

void HyperLink::Design() {
  lblHyperLink.Caption(u"Hyperlink");
  lblHyperLink.Font(DesignFont());
  lblHyperLink.AutoSize(true);
  lblHyperLink.ForeColor(kDefaultForeColor);
  lblHyperLink.BackColor(kDefaultBackColor);
  myTimer.Interval(50);
  myTimer.Enabled(false);
}

// A control starts afresh with every load of its window: what is not stored starts empty.
void HyperLink::UserControl_Initialize() {
  soundOn_ = false;
  soundId_ = 0;
  hovering_ = false;
  sound_.clear();
}

void HyperLink::UserControl_InitProperties() {
  link_ = kPlaceholderLink;
  hoverColor_ = 0x0000FF;
  autoToolTip_ = true;
  soundOn_ = false;
  moUnderline_ = false;
  moPointer_ = false;
  soundId_ = 0;
}

namespace {
std::int32_t Colour(vb::OLE_COLOR c) { return static_cast<std::int32_t>(c); }
}  // namespace

void HyperLink::UserControl_ReadProperties(vb::PropertyBag& bag) {
  lblHyperLink.Font(bag.ReadProperty(u"Font", Ambient().Font));
  lblHyperLink.Enabled(bag.ReadProperty(u"Enabled", true));
  SetLabelCaption(bag.ReadProperty(u"Caption", u"Hyperlink"));
  lblHyperLink.Alignment(bag.ReadProperty(u"Alignment", std::int32_t{0}));
  lblHyperLink.AutoSize(bag.ReadProperty(u"AutoSize", true));
  link_ = bag.ReadProperty(u"HyperLink", kPlaceholderLink);
  hoverColor_ = static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"HoverColor", Colour(0x0000FF)));
  lblHyperLink.Appearance(bag.ReadProperty(u"Appearance", std::int32_t{1}));
  lblHyperLink.BorderStyle(bag.ReadProperty(u"BorderStyle", std::int32_t{0}));
  lblHyperLink.ForeColor(static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"ForeColor", Colour(kDefaultForeColor))));
  lblHyperLink.BackColor(static_cast<vb::OLE_COLOR>(bag.ReadProperty(u"BackColor", Colour(kDefaultBackColor))));
  autoToolTip_ = bag.ReadProperty(u"AutoToolTip", true);
  moUnderline_ = bag.ReadProperty(u"MOUnderline", false);
  moPointer_ = bag.ReadProperty(u"MOPointer", false);
}

void HyperLink::UserControl_WriteProperties(vb::PropertyBag& bag) {
  bag.WriteProperty(u"Font", lblHyperLink.Font(), Ambient().Font);
  bag.WriteProperty(u"Enabled", lblHyperLink.Enabled(), true);
  bag.WriteProperty(u"Caption", lblHyperLink.Caption(), std::u16string(u"Hyperlink"));
  bag.WriteProperty(u"Alignment", std::int32_t{lblHyperLink.Alignment()}, std::int32_t{0});
  bag.WriteProperty(u"AutoSize", lblHyperLink.AutoSize(), true);
  bag.WriteProperty(u"HyperLink", link_, std::u16string(kPlaceholderLink));
  bag.WriteProperty(u"HoverColor", Colour(hoverColor_), Colour(0x0000FF));
  bag.WriteProperty(u"Appearance", std::int32_t{lblHyperLink.Appearance()}, std::int32_t{1});
  bag.WriteProperty(u"BorderStyle", std::int32_t{lblHyperLink.BorderStyle()}, std::int32_t{0});
  bag.WriteProperty(u"ForeColor", Colour(lblHyperLink.ForeColor()), Colour(kDefaultForeColor));
  bag.WriteProperty(u"BackColor", Colour(lblHyperLink.BackColor()), Colour(kDefaultBackColor));
  bag.WriteProperty(u"AutoToolTip", autoToolTip_, true);
  bag.WriteProperty(u"MOUnderline", moUnderline_, false);
  bag.WriteProperty(u"MOPointer", moPointer_, false);
}

void HyperLink::UserControl_Resize() { ApplySizeRule(); }

void HyperLink::UserControl_Terminate() {
  myTimer.Enabled(false);
  hovering_ = false;
}

// --- behaviour ------------------------------------------------------------------------------------

void HyperLink::ApplySizeRule() {
  if (lblHyperLink.AutoSize()) {
    Extender().Move(Extender().Left(), Extender().Top(), lblHyperLink.Width(), lblHyperLink.Height());
  } else {
    lblHyperLink.Move(0, 0, ScaleWidth(), ScaleHeight());
  }
}

// The label's text change: the size rule, then Change.
void HyperLink::SetLabelCaption(const std::u16string& v) {
  if (lblHyperLink.Caption() == v) return;
  lblHyperLink.Caption(v);
  ApplySizeRule();
  RaiseEvent(Change);
}

void HyperLink::lblHyperLink_Click() {
  if (!link_.empty()) {
    int pointer = vb::vbDefault;
    Step([&] { pointer = vb::Screen.MousePointer(); });
    if (soundOn_) Step([&] { PlaySound(); });
    Step([&] { vb::Screen.MousePointer(vb::vbHourglass); });
    Step([&] { win::ShellExecuteA(0, u"Open", link_, u"", u"", win::SW_SHOWNORMAL); });
    Step([&] { vb::Screen.MousePointer(pointer); });
  }
  RaiseEvent(Click);
}

void HyperLink::PlaySound() {
  sound_ = vb::LoadResData(soundId_, u"SOUND");
  win::sndPlaySoundA(sound_.data(), win::SND_ASYNC | win::SND_NODEFAULT | win::SND_MEMORY);
}

void HyperLink::lblHyperLink_MouseMove(int button, int shift, float x, float y) {
  if (hovering_) return;
  hovering_ = true;
  if (moPointer_) {
    lblHyperLink.MouseIcon(HandPointer());
    lblHyperLink.MousePointer(vb::vbCustom);
  }
  colourBeforeHover_ = lblHyperLink.ForeColor();
  lblHyperLink.ForeColor(hoverColor_);
  if (moUnderline_) {
    vb::StdFont f = lblHyperLink.Font();
    f.Underline = true;
    lblHyperLink.Font(f);
  }
  lblHyperLink.ToolTipText(autoToolTip_ ? link_ : Extender().ToolTipText());
  myTimer.Enabled(true);
  RaiseEvent(mouseOver, button, shift, x, y);
}

void HyperLink::myTimer_Timer() {
  win::POINT at{};
  win::GetCursorPos(&at);
  // The label is a window of its own here, inside the control's.
  win::HWND under = win::WindowFromPoint(at);
  const win::HWND self = hWnd();
  while (under != 0 && under != self) under = win::GetParent(under);
  if (under == self) return;
  myTimer.Enabled(false);
  EndHover();
}

void HyperLink::EndHover() {
  hovering_ = false;
  lblHyperLink.ForeColor(colourBeforeHover_);
  if (moUnderline_ && !Ambient().Font.Underline) {
    vb::StdFont f = lblHyperLink.Font();
    f.Underline = false;
    lblHyperLink.Font(f);
  }
  if (moPointer_) lblHyperLink.MousePointer(vb::vbDefault);
  RaiseEvent(MouseOut);
}
