// The command-bar control's life cycle, public properties, owner form and popup preparation.
#include "commandbars/kest_command_bar.h"

#include "commandbars/alpha_dib_section.h"
#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/hooks.h"
#include "commandbars/menu_mode.h"
#include "platform/win/window.h"

namespace commandbars {
namespace {

vb::StdFont DefaultFont() {
  vb::StdFont f;
  f.Name = u"Tahoma";
  f.Size = 8.25;
  return f;
}

// A font no control has, so that the font is always written.
vb::StdFont NeverAFont() {
  vb::StdFont f;
  f.Name.clear();
  f.Size = -1;
  return f;
}

}  // namespace

kestCommandBar::kestCommandBar(vb::Container& container) : UserControl(container) {}

kestCommandBar::~kestCommandBar() {
  if (m_hWnd != 0) StopRunTime();
  mCommandBars::ForgetControlObject(this);
}

// --- life cycle --------------------------------------------------------------------------------------

void kestCommandBar::UserControl_Initialize() {
  m_bEnabled = true;
  m_bRedraw = true;
}

void kestCommandBar::UserControl_InitProperties() { StartRunTime(); }

void kestCommandBar::UserControl_ReadProperties(vb::PropertyBag& bag) {
  StartRunTime();
  Font(bag.ReadProperty<vb::StdFont>(u"Font", DefaultFont()));
  m_bEnabled = bag.ReadProperty<bool>(u"Enabled", true);
  Orientation(bag.ReadProperty<std::int32_t>(u"Orientation", 0));
  MainMenu(bag.ReadProperty<bool>(u"MainMenu", false));
  Style(bag.ReadProperty<std::int32_t>(u"Style", 1));
}

void kestCommandBar::UserControl_WriteProperties(vb::PropertyBag& bag) {
  bag.WriteProperty<vb::StdFont>(u"Font", Font(), NeverAFont());
  bag.WriteProperty<bool>(u"Enabled", m_bEnabled, true);
  bag.WriteProperty<std::int32_t>(u"Orientation", m_eOrientation, 0);
  bag.WriteProperty<bool>(u"MainMenu", MainMenu(), false);
  bag.WriteProperty<std::int32_t>(u"Style", Style(), 1);
}

void kestCommandBar::UserControl_Resize() { ResizeHandler(); }

void kestCommandBar::UserControl_Paint() {
  if (m_bLayoutWhenShown) LayOutNow();  // which paints when it may
  if (m_bPaintWhenShown && m_bRedraw && m_hWnd != 0) DrawBar();
}

void kestCommandBar::UserControl_Terminate() { StopRunTime(); }

void kestCommandBar::StartRunTime() {
  if (m_hWnd != 0) return;
  m_bDesignMode = !Ambient().UserMode;
  if (m_bDesignMode) return;
  m_hWnd = hWnd();
  mCommandBars::RegisterControl(m_hWnd, *this);
  m_cToolbarImageList = std::make_unique<cCommandBarImageList>();
  m_cToolbarImageList->SetDisabledColor(static_cast<win::COLORREF>(StyleColour03()));
  m_cToolbarImageList->SetHighlightColor(static_cast<win::COLORREF>(StyleColour02()));
  m_cMenuImageList = std::make_unique<cCommandBarImageList>();
  m_cMenuImageList->SetDisabledColor(static_cast<win::COLORREF>(StyleColour03()));
}

void kestCommandBar::StopRunTime() {
  DetachOwnerForm();
  if (m_hWnd != 0) {
    if (m_bIsPopup) WithdrawPopup();
    StopMenuTimer();
    StopLostMouseTimer();
    DestroyShadows();
    if (m_cToolbarImageList) m_cToolbarImageList->Destroy();
    if (m_cMenuImageList) m_cMenuImageList->Destroy();
    m_cToolbarImageList.reset();
    m_cMenuImageList.reset();
    if (cCommandBarInt* bar = ShownBar()) bar->RemoveOwner(m_hWnd);
    const win::HWND h = m_hWnd;
    m_hWnd = 0;
    try {
      mCommandBars::UnregisterControl(h);
    } catch (const vb::Error&) {
    }
  }
  m_hWnd = 0;
}

void kestCommandBar::ResizeHandler() {
  if (m_bInResize) return;
  m_bInResize = true;
  if (!m_bIsPopup) LayoutBar();
  RaiseEvent(Resize);
  m_bInResize = false;
}

void kestCommandBar::UserControl_MouseDown(int button, int, float, float) { MousePressed(button); }
void kestCommandBar::UserControl_MouseMove(int button, int, float, float) { MouseMoved(button); }
void kestCommandBar::UserControl_MouseUp(int button, int, float, float) { MouseReleased(button); }

// --- public properties -------------------------------------------------------------------------------

std::int32_t kestCommandBar::CustomColor(std::int32_t eColor) { return CustomColour(eColor); }

void kestCommandBar::CustomColor(std::int32_t eColor, std::int32_t oColor) {
  if (CustomColour(eColor) == oColor) return;
  SetCustomColour(eColor, oColor);
  // Every bar and menu shows the scheme, not only this one.
  mCommandBars::ColoursChanged();
}

std::int32_t kestCommandBar::StyleColor(std::int32_t eColor) { return StyleColour(eColor); }

bool kestCommandBar::UseStyleColor(std::int32_t eColor) { return commandbars::UseStyleColour(eColor); }

void kestCommandBar::UseStyleColor(std::int32_t eColor, bool bState) {
  if (commandbars::UseStyleColour(eColor) == bState) return;
  // Using the style's colour drops the custom one; a custom colour comes back only by setting it.
  if (bState) SetCustomColour(eColor, -1);
  mCommandBars::ColoursChanged();
}

vb::Picture kestCommandBar::BackgroundImage() { return m_cBackground ? m_cBackground->Picture() : nullptr; }

void kestCommandBar::BackgroundImage(const vb::Picture& pic) {
  m_cBackground.reset();
  if (pic) {
    auto dib = std::make_unique<cAlphaDIBSection>();
    if (dib->CreateFromPicture(pic)) m_cBackground = std::move(dib);
  }
  PaintBar();
}

void kestCommandBar::AdjustBackgroundImage(std::int32_t newHue, std::int32_t newSaturation,
                                           float fLuminanceAdjustPercent) {
  if (!m_cBackground) return;
  m_cBackground->AdjustHLS(newHue, newSaturation, fLuminanceAdjustPercent);
  PaintBar();
}

vb::Picture kestCommandBar::AdjustImage(const vb::Picture& picIn, std::int32_t newHue, std::int32_t newSaturation,
                                        float fLuminanceAdjustPercent) {
  cAlphaDIBSection dib;
  if (!dib.CreateFromPicture(picIn)) return nullptr;
  if (newHue > -1 && newSaturation > -1) dib.AdjustHLS(newHue, newSaturation, fLuminanceAdjustPercent);
  return dib.Picture();
}

void kestCommandBar::MainMenu(bool bState) {
  if (m_bMainMenu == bState) return;
  m_bMainMenu = bState;
  PropertyChanged(u"MainMenu");
}

void kestCommandBar::ButtonTextPosition(std::int32_t ePosition) {
  if (m_ePosition == ePosition) return;
  m_ePosition = ePosition;
  LayoutBar();
  PropertyChanged(u"ButtonTextPosition");
}

void kestCommandBar::ClientCoordinatesToScreen(std::int32_t& xPixels, std::int32_t& yPixels, win::HWND hWndClient) {
  win::POINT p{xPixels, yPixels};
  win::ClientToScreen(hWndClient != 0 ? hWndClient : m_hWnd, &p);
  xPixels = p.x;
  yPixels = p.y;
}

void kestCommandBar::ScreenCoordinatesToClient(std::int32_t& xPixels, std::int32_t& yPixels, win::HWND hWndClient) {
  win::POINT p{xPixels, yPixels};
  win::ScreenToClient(hWndClient != 0 ? hWndClient : m_hWnd, &p);
  xPixels = p.x;
  yPixels = p.y;
}

void kestCommandBar::ShowPopupMenu(std::int32_t X, std::int32_t Y, const cCommandBar* Bar) {
  if (Bar == nullptr || Bar->IsNull()) RaiseCommandBarError(8);
  cCommandBarInt& bar = mCommandBars::BarItem(std::u16string_view(Bar->Key()));
  ShowBarAsPopup(bar, 0, X, Y, false, true);
}

void kestCommandBar::ShowChevronMenu(std::int32_t X, std::int32_t Y) {
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr) return;
  mCommandBars::ButtonItem(u"CHEVRON:ADDORREMOVEBAR").Caption(bar->Title());
  cCommandBarInt& list = mCommandBars::BarItem(u"CHEVRON:ADDORREMOVE");
  cButtonInt& separator = mCommandBars::ButtonItem(u"CHEVRON:ADDORREMOVE:SEPARATOR");
  while (list.Count() > 0 && list.Item(1) != &separator) {
    cButtonInt* first = list.Item(1);
    if (first == nullptr) break;
    list.Remove(*first);
  }
  for (std::int32_t i = 1; i <= bar->Count(); ++i) {
    cButtonInt* btn = bar->Item(i);
    if (btn == nullptr || btn->Style() == eSeparator) continue;
    btn->State(btn->Visible() ? 1 : 0);
    list.InsertBefore(*btn, separator);
  }
  ShowBarAsPopup(mCommandBars::BarItem(u"CHEVRON"), 0, X, Y, false, false);
}

void kestCommandBar::Orientation(std::int32_t eOrientation) {
  if (m_eOrientation == eOrientation) return;
  if (!m_bIsPopup) m_eOrientation = eOrientation;
  LayoutBar();
  PropertyChanged(u"Orientation");
}

void kestCommandBar::ToolbarImageList(win::HIMAGELIST vImageList) {
  if (!m_cToolbarImageList) return;
  m_cToolbarImageList->InitialiseFromVariant(vImageList);
  LayoutBar();
}

void kestCommandBar::MenuImageList(win::HIMAGELIST vImageList) {
  if (!m_cMenuImageList) return;
  m_cMenuImageList->InitialiseFromVariant(vImageList);
  LayoutBar();
}

void kestCommandBar::Redraw(bool bState) {
  if (m_bRedraw == bState) return;
  m_bRedraw = bState;
  if (bState) PaintBar();
  PropertyChanged(u"Redraw");
}

vb::StdFont kestCommandBar::Font() { return vb::UserControl::Font(); }

void kestCommandBar::Font(const vb::StdFont& iFnt) {
  vb::UserControl::Font(iFnt);
  LayoutBar();
  PropertyChanged(u"Font");
}

void kestCommandBar::Enabled(bool bEnabled) {
  m_bEnabled = bEnabled;
  // The window stops taking input; what the bar hosts (a panel's list) keeps its looks.
  if (m_hWnd != 0) vb::UserControl::Enabled(bEnabled);
  PropertyChanged(u"Enabled");
}

bool kestCommandBar::HideInfrequentlyUsed() { return mCommandBars::HideInfrequentlyUsedFlag(); }

void kestCommandBar::HideInfrequentlyUsed(bool bState) {
  mCommandBars::SetHideInfrequentlyUsedFlag(bState);
  PropertyChanged(u"HideInfrequentlyUsed");
}

std::int32_t kestCommandBar::Style() { return CommandBarStyle(); }

void kestCommandBar::Style(std::int32_t eStyle) {
  if (CommandBarStyle() == eStyle) return;
  SetCommandBarStyle(eStyle);
  PropertyChanged(u"Style");
}

cCommandBar kestCommandBar::Toolbar() {
  if (m_sToolbarKey.empty()) return cCommandBar();
  return cCommandBar(m_hWnd, m_sToolbarKey);
}

void kestCommandBar::Toolbar(const cCommandBar* Bar) { SetToolbar(Bar); }

cCommandBars kestCommandBar::CommandBars() { return cCommandBars(m_hWnd); }

cButtons kestCommandBar::Buttons() { return cButtons(m_hWnd); }

// --- inside the toolkit ------------------------------------------------------------------------------

kestCommandBar* kestCommandBar::RaiseRequestNewInstance() {
  kestCommandBar* ctl = nullptr;
  if (RequestNewInstance) RequestNewInstance(ctl);
  return ctl;
}

void kestCommandBar::InUse(bool value) {
  m_bInUse = value;
  if (value) Enabled(true);
}

void kestCommandBar::ColoursChanged() {
  if (m_bIsPopup) {
    if (m_cMenuImageList) m_cMenuImageList->SetDisabledColor(static_cast<win::COLORREF>(StyleColour26()));
  } else if (m_cToolbarImageList) {
    m_cToolbarImageList->SetDisabledColor(static_cast<win::COLORREF>(StyleColour03()));
    m_cToolbarImageList->SetHighlightColor(static_cast<win::COLORREF>(StyleColour02()));
  }
  PaintBar();
}

void kestCommandBar::SetToolbar(const cCommandBar* Bar) {
  InUse(true);
  if (cCommandBarInt* old = ShownBar()) old->RemoveOwner(m_hWnd);
  if (Bar != nullptr && !Bar->IsNull()) {
    AttachOwnerForm();
    m_sToolbarKey = Bar->Key();
    if (cCommandBarInt* bar = ShownBar()) {
      bar->AddOwner(m_hWnd, m_hWndOwnerForm);
      if (!m_bIsPopup) {
        for (std::int32_t i = 1; i <= bar->Count(); ++i) {
          cButtonInt* btn = bar->Item(i);
          if (btn == nullptr || btn->PanelControl() == nullptr) continue;
          win::SetParent(btn->PanelControl()->hWnd(), m_hWnd);
        }
      }
    }
    m_bAddOrRemove = m_sToolbarKey == u"CHEVRON:ADDORREMOVE";
  } else {
    DetachOwnerForm();
    m_sToolbarKey.clear();
    m_bAddOrRemove = false;
  }
  LayoutBar();
}

win::HWND kestCommandBar::FindOwnerForm(win::HWND hWnd) {
  const win::HWND form = ContainerOf().OwningHost().ContainerHandle();
  if (form != 0) return form;
  win::HWND last = 0;
  for (win::HWND h = hWnd; h != 0; h = win::GetParent(h)) last = h;
  return last;
}

void kestCommandBar::AttachOwnerForm() {
  DetachOwnerForm();
  m_hWndOwnerForm = FindOwnerForm(m_hWnd);
  if (m_hWndOwnerForm == 0) return;
  MSubclass::AttachMessage(this, m_hWndOwnerForm, win::WM_ACTIVATEAPP);
  MSubclass::AttachMessage(this, m_hWndOwnerForm, win::WM_ACTIVATE);
  MSubclass::AttachMessage(this, m_hWndOwnerForm, win::WM_MOVE);
  MSubclass::AttachMessage(this, m_hWndOwnerForm, win::WM_SETTINGCHANGE);
}

void kestCommandBar::DetachOwnerForm() {
  if (m_hWndOwnerForm == 0) return;
  MSubclass::DetachMessage(this, m_hWndOwnerForm, win::WM_ACTIVATEAPP);
  MSubclass::DetachMessage(this, m_hWndOwnerForm, win::WM_ACTIVATE);
  MSubclass::DetachMessage(this, m_hWndOwnerForm, win::WM_MOVE);
  MSubclass::DetachMessage(this, m_hWndOwnerForm, win::WM_SETTINGCHANGE);
  m_hWndOwnerForm = 0;
}

win::LRESULT kestCommandBar::WindowProc(win::HWND, win::UINT iMsg, win::WPARAM wParam, win::LPARAM) {
  if (iMsg == win::WM_SETTINGCHANGE) {
    ResizeHandler();
  } else if (iMsg == win::WM_ACTIVATEAPP && wParam == 0 && mCommandBars::InMenuMode()) {
    // Another application took over: no menu stays open behind it.
    mCommandBars::LeaveMenuMode();
  } else if (iMsg == win::WM_ACTIVATE && win::LOWORD(wParam) == win::WA_INACTIVE && FormHoldsMenuMode()) {
    // Another window of the program took the keyboard from the form whose menus are open (the
    // desktop activated it, or the form was minimised): the menus close, and the keys go there.
    mCommandBars::LeaveMenuMode();
  } else if (iMsg == win::WM_MOVE) {
    // The desktop moved the form (by Alt+drag, whose click it keeps to itself): Alt's release is no
    // tap, and menus left open, which would not move with it, close.
    mHooks::SpoilAltTap();
    if (FormHoldsMenuMode()) mCommandBars::LeaveMenuMode();
  }
  return 0;
}

bool kestCommandBar::FormHoldsMenuMode() const {
  if (!mCommandBars::InMenuMode()) return false;
  const kestCommandBar* entered = mCommandBars::FindControl(mCommandBars::ActivePopupHwnd());
  return entered != nullptr && entered->OwnerFormHwnd() == m_hWndOwnerForm;
}

void kestCommandBar::MakePopupInstance() {
  m_bIsPopup = true;
  if (m_cMenuImageList) m_cMenuImageList->SetDisabledColor(static_cast<win::COLORREF>(StyleColour26()));
  m_eOrientation = 0;
  Enabled(true);
}

void kestCommandBar::CopySourceSettings(kestCommandBar& source) {
  vb::UserControl::Font(source.Font());
  if (m_cToolbarImageList && source.m_cToolbarImageList)
    m_cToolbarImageList->InitialiseFromInstance(*source.m_cToolbarImageList);
  if (m_cMenuImageList && source.m_cMenuImageList) m_cMenuImageList->InitialiseFromInstance(*source.m_cMenuImageList);
}

void kestCommandBar::CreateShadows() {
  DestroyShadows();
  win::RECT r;
  if (!win::GetWindowRect(m_hWnd, &r)) return;
  m_cShadowRight = std::make_unique<cMenuDropShadow>();
  m_cShadowRight->ShadowType(0);
  m_cShadowRight->Initialise(r.right, r.top, m_cShadowRight->ShadowSize(), r.bottom - r.top, m_hWnd);
  m_cShadowRight->ShadowColor(StyleColour12());
  m_cShadowRight->Create();
  m_cShadowBottom = std::make_unique<cMenuDropShadow>();
  m_cShadowBottom->ShadowType(1);
  m_cShadowBottom->Initialise(r.left, r.bottom, r.right - r.left, m_cShadowBottom->ShadowSize(), m_hWnd);
  m_cShadowBottom->ShadowColor(StyleColour12());
  m_cShadowBottom->Create();
}

void kestCommandBar::DestroyShadows() {
  if (m_cShadowRight) m_cShadowRight->Destroy();
  if (m_cShadowBottom) m_cShadowBottom->Destroy();
  m_cShadowRight.reset();
  m_cShadowBottom.reset();
}

cCommandBarInt* kestCommandBar::ShownBar() { return mCommandBars::FindBar(m_sToolbarKey); }

cButtonInt* kestCommandBar::ButtonAtIndex(std::int32_t index) {
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr || index < 1 || index > bar->Count()) return nullptr;
  return bar->Item(index);
}

}  // namespace commandbars
