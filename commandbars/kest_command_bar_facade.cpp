// The command-bar control's members behind the object model's handles: each finds the bar or button
// in the stores by key and reads or changes it; members that hand out a bar or button make a new
// handle bound to this control's window. Members marked "started" do nothing (or give an empty value)
// until the control runs.
#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "platform/win/window.h"

namespace commandbars {

cButtonInt& kestCommandBar::InternalButton(std::u16string_view key) { return mCommandBars::ButtonItem(key); }

// --- bars --------------------------------------------------------------------------------------------

std::int32_t kestCommandBar::CommandBarCount() { return Started() ? mCommandBars::BarCount() : 0; }

cCommandBar kestCommandBar::CommandBarItem(std::int32_t index) {
  if (!Started()) return cCommandBar();
  return cCommandBar(m_hWnd, mCommandBars::BarItem(index).Key());
}

cCommandBar kestCommandBar::CommandBarItem(std::u16string_view key) {
  if (!Started()) return cCommandBar();
  return cCommandBar(m_hWnd, mCommandBars::BarItem(key).Key());
}

std::u16string kestCommandBar::CommandBarTitle(std::u16string_view sKey) {
  return Started() ? mCommandBars::BarItem(sKey).Title() : std::u16string();
}

void kestCommandBar::CommandBarTitle(std::u16string_view sKey, const std::u16string& sTitle) {
  if (Started()) mCommandBars::BarItem(sKey).Title(sTitle);
}

void kestCommandBar::CommandBarRemove(std::u16string_view sKey) {
  if (Started()) mCommandBars::RemoveBar(sKey);
}

cCommandBar kestCommandBar::CommandBarAdd(std::u16string_view sKey, const std::u16string& sTitle) {
  cCommandBarInt& bar = mCommandBars::AddBar(sKey);
  if (!sTitle.empty()) bar.Title(sTitle);
  return cCommandBar(m_hWnd, std::u16string(sKey));
}

std::int32_t kestCommandBar::CommandBarButtonCount(std::u16string_view sKey) {
  return mCommandBars::BarItem(sKey).Count();
}

void kestCommandBar::CommandBarButtonsClear(std::u16string_view sKey) { mCommandBars::BarItem(sKey).Clear(); }

cCommandBarButtons kestCommandBar::CommandBarButtons(std::u16string_view sKey) {
  (void)mCommandBars::BarItem(sKey);
  return cCommandBarButtons(m_hWnd, std::u16string(sKey));
}

void kestCommandBar::CommandBarButtonRemove(std::u16string_view sBarKey, std::u16string_view sKey) {
  cCommandBarInt& bar = mCommandBars::BarItem(sBarKey);
  bar.Remove(InternalButton(sKey));
}

void kestCommandBar::CommandBarButtonAdd(std::u16string_view sBarKey, const cButton& btn) {
  cCommandBarInt& bar = mCommandBars::BarItem(sBarKey);
  if (cButtonInt* b = mCommandBars::FindButton(btn.Key())) bar.Add(*b);
}

void kestCommandBar::CommandBarButtonInsertAfter(std::u16string_view sBarKey, const cButton& btn,
                                                 const cButton& btnAfter) {
  cCommandBarInt& bar = mCommandBars::BarItem(sBarKey);
  cButtonInt* b = mCommandBars::FindButton(btn.Key());
  cButtonInt* after = mCommandBars::FindButton(btnAfter.Key());
  if (b != nullptr && after != nullptr) bar.InsertAfter(*b, *after);
}

void kestCommandBar::CommandBarButtonInsertBefore(std::u16string_view sBarKey, const cButton& btn,
                                                  const cButton& btnBefore) {
  cCommandBarInt& bar = mCommandBars::BarItem(sBarKey);
  cButtonInt* b = mCommandBars::FindButton(btn.Key());
  cButtonInt* before = mCommandBars::FindButton(btnBefore.Key());
  if (b != nullptr && before != nullptr) bar.InsertBefore(*b, *before);
}

cButton kestCommandBar::CommandBarButtonItem(std::u16string_view sBarKey, std::int32_t index) {
  cButtonInt* b = mCommandBars::BarItem(sBarKey).Item(index);
  if (b == nullptr) RaiseCommandBarError(3);
  return cButton(m_hWnd, b->Key());
}

cButton kestCommandBar::CommandBarButtonItem(std::u16string_view sBarKey, std::u16string_view key) {
  cButtonInt* b = mCommandBars::BarItem(sBarKey).Item(key);
  if (b == nullptr) RaiseCommandBarError(3);
  return cButton(m_hWnd, b->Key());
}

// --- buttons -----------------------------------------------------------------------------------------

std::int32_t kestCommandBar::ButtonCount() { return Started() ? mCommandBars::ButtonCount() : 0; }

std::int32_t kestCommandBar::ToolbarButtonIndex(const cButtonInt& btn) {
  if (!Started()) return 0;
  cCommandBarInt* bar = ShownBar();
  if (bar == nullptr) return 0;
  for (std::int32_t i = 1; i <= bar->Count(); ++i)
    if (bar->Item(i) == &btn) return i;
  return 0;
}

cButton kestCommandBar::ButtonItem(std::int32_t index) {
  if (!Started()) return cButton();
  return cButton(m_hWnd, mCommandBars::ButtonItem(index).Key());
}

cButton kestCommandBar::ButtonItem(std::u16string_view key) {
  if (!Started()) return cButton();
  return cButton(m_hWnd, mCommandBars::ButtonItem(key).Key());
}

void kestCommandBar::ButtonRemove(std::u16string_view sKey) {
  if (Started()) mCommandBars::RemoveButton(sKey);
}

cButton kestCommandBar::ButtonAdd(std::u16string_view sKey, std::int32_t iIcon, const std::u16string& sCaption,
                                  std::int32_t eStyle, const std::u16string& sToolTip, std::int16_t vShortcutKey,
                                  std::int32_t eShortcutModifier) {
  cButtonInt& b = mCommandBars::AddButton(sKey);
  if (iIcon != -1) b.IconIndex(iIcon);
  if (!sCaption.empty()) b.Caption(sCaption);
  if (eStyle != 0) b.Style(eStyle);
  b.ShortcutKey(vShortcutKey);
  b.ShortcutModifiers(eShortcutModifier);
  b.ToolTip(sToolTip);
  return cButton(m_hWnd, std::u16string(sKey));
}

// Each property pair reads or writes the internal button's property of the same name.
#define QM_BUTTON_PROPERTY(Name, Type, Empty)                                      \
  Type kestCommandBar::Button##Name(std::u16string_view sKey) {                    \
    return Started() ? Type(InternalButton(sKey).Name()) : Type(Empty);            \
  }                                                                                \
  void kestCommandBar::Button##Name(std::u16string_view sKey, Type v) {            \
    if (Started()) InternalButton(sKey).Name(v);                                   \
  }

QM_BUTTON_PROPERTY(ShortcutKey, std::int16_t, 0)
QM_BUTTON_PROPERTY(ShortcutModifiers, std::int32_t, 0)
QM_BUTTON_PROPERTY(ColorBox, std::int32_t, 0)
QM_BUTTON_PROPERTY(IconIndex, std::int32_t, 0)
QM_BUTTON_PROPERTY(PanelWidth, std::int32_t, 0)
QM_BUTTON_PROPERTY(Enabled, bool, false)
QM_BUTTON_PROPERTY(Locked, bool, false)
QM_BUTTON_PROPERTY(Visible, bool, false)
QM_BUTTON_PROPERTY(Checked, bool, false)
QM_BUTTON_PROPERTY(ShowCaptionInToolbar, bool, false)
QM_BUTTON_PROPERTY(ShowDropDownInToolbar, bool, false)
QM_BUTTON_PROPERTY(Style, std::int32_t, 0)
#undef QM_BUTTON_PROPERTY

std::u16string kestCommandBar::ButtonCaption(std::u16string_view sKey) {
  return Started() ? InternalButton(sKey).Caption() : std::u16string();
}
void kestCommandBar::ButtonCaption(std::u16string_view sKey, const std::u16string& v) {
  if (Started()) InternalButton(sKey).Caption(v);
}
std::u16string kestCommandBar::ButtonToolTip(std::u16string_view sKey) {
  return Started() ? InternalButton(sKey).ToolTip() : std::u16string();
}
void kestCommandBar::ButtonToolTip(std::u16string_view sKey, const std::u16string& v) {
  if (Started()) InternalButton(sKey).ToolTip(v);
}

win::HWND kestCommandBar::PanelContainerFor(cButtonInt& btn) {
  for (win::HWND h : mCommandBars::LiveControls()) {
    kestCommandBar* c = mCommandBars::FindControl(h);
    if (c == nullptr || c->m_bIsPopup) continue;
    if (cCommandBarInt* bar = c->ShownBar(); bar != nullptr && bar->IndexOf(btn.Key()) > 0) return h;
  }
  return m_hWnd;
}

vb::Control* kestCommandBar::ButtonPanelControl(std::u16string_view sKey) {
  return Started() ? InternalButton(sKey).PanelControl() : nullptr;
}

void kestCommandBar::ButtonPanelControl(std::u16string_view sKey, vb::Control* v) {
  if (!Started() || m_bIsPopup) return;
  cButtonInt& b = InternalButton(sKey);
  if (vb::Control* old = b.PanelControl()) {
    try {
      old->Visible(false);
    } catch (const vb::Error&) {
    }
  }
  if (v != nullptr) {
    try {
      // The panel control becomes a child of a bar that shows its button (this one when none
      // does yet), placed over the button by the painter.
      win::SetParent(v->hWnd(), PanelContainerFor(b));
      v->Visible(true);
    } catch (const vb::Error&) {
    }
  }
  b.PanelControl(v);
}

cCommandBar kestCommandBar::ButtonBar(std::u16string_view sKey) {
  if (!Started()) return cCommandBar();
  cCommandBarInt* bar = InternalButton(sKey).Bar();
  return bar == nullptr ? cCommandBar() : cCommandBar(m_hWnd, bar->Key());
}

void kestCommandBar::ButtonBar(std::u16string_view sKey, const cCommandBar& bar) {
  if (!Started()) return;
  cButtonInt& b = InternalButton(sKey);
  if (cCommandBarInt* sub = mCommandBars::FindBar(bar.Key())) b.Bar(sub);
}

// --- notification ------------------------------------------------------------------------------------

void kestCommandBar::BarChanged(cCommandBarInt& bar, std::int32_t code, cButtonInt* btn) {
  if (bar.Key() != m_sToolbarKey) return;
  if (code == 1 || code == 4) {
    LayoutBar();  // which paints
    if (m_bIsPopup && m_cShadowRight) CreateShadows();
    return;
  }
  if (code == 6 || (code == 5 && btn != nullptr && !m_bMainMenu)) {
    const std::int32_t index = btn != nullptr ? bar.IndexOf(btn->Key()) : 0;
    if (index > 0 && !m_bMainMenu) {
      RedrawButton(index);
      return;
    }
  }
  PaintBar();
}

}  // namespace commandbars
