#include "commandbars/object_model.h"

#include "commandbars/button.h"
#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"

namespace commandbars {
namespace {

kestCommandBar& ControlOf(win::HWND hWnd) {
  kestCommandBar* ctl = nullptr;
  mCommandBars::ControlFromHwnd(hWnd, ctl);
  return *ctl;
}

}  // namespace

// --- cButton -----------------------------------------------------------------------------------------

kestCommandBar& cButton::Owner() const { return ControlOf(hWnd_); }

std::u16string cButton::Tag() const {
  Owner();
  return mCommandBars::ButtonItem(key_).Tag();
}
void cButton::Tag(const std::u16string& sTag) const {
  Owner();
  mCommandBars::ButtonItem(key_).Tag(sTag);
}
std::int32_t cButton::itemData() const {
  Owner();
  return mCommandBars::ButtonItem(key_).itemData();
}
void cButton::itemData(std::int32_t lItemData) const {
  Owner();
  mCommandBars::ButtonItem(key_).itemData(lItemData);
}

std::u16string cButton::Caption() const { return Owner().ButtonCaption(key_); }
void cButton::Caption(const std::u16string& sCaption) const { Owner().ButtonCaption(key_, sCaption); }
std::int32_t cButton::IconIndex() const { return Owner().ButtonIconIndex(key_); }
void cButton::IconIndex(std::int32_t lIconIndex) const { Owner().ButtonIconIndex(key_, lIconIndex); }
std::int32_t cButton::ColorBox() const { return Owner().ButtonColorBox(key_); }
void cButton::ColorBox(std::int32_t oColor) const { Owner().ButtonColorBox(key_, oColor); }
std::u16string cButton::ToolTip() const { return Owner().ButtonToolTip(key_); }
void cButton::ToolTip(const std::u16string& sToolTip) const { Owner().ButtonToolTip(key_, sToolTip); }
std::int16_t cButton::ShortcutKey() const { return Owner().ButtonShortcutKey(key_); }
void cButton::ShortcutKey(std::int16_t vShortcutKey) const { Owner().ButtonShortcutKey(key_, vShortcutKey); }
std::int32_t cButton::ShortcutModifiers() const { return Owner().ButtonShortcutModifiers(key_); }
void cButton::ShortcutModifiers(std::int32_t eShortcutModifiers) const {
  Owner().ButtonShortcutModifiers(key_, eShortcutModifiers);
}
cCommandBar cButton::Bar() const { return Owner().ButtonBar(key_); }
void cButton::Bar(const cCommandBar* cmdBar) const {
  kestCommandBar& owner = Owner();
  if (cmdBar == nullptr) RaiseCommandBarError(8);
  owner.ButtonBar(key_, *cmdBar);
}
bool cButton::Checked() const { return Owner().ButtonChecked(key_); }
void cButton::Checked(bool bChecked) const { Owner().ButtonChecked(key_, bChecked); }
bool cButton::Enabled() const { return Owner().ButtonEnabled(key_); }
void cButton::Enabled(bool bEnabled) const { Owner().ButtonEnabled(key_, bEnabled); }
bool cButton::Locked() const { return Owner().ButtonLocked(key_); }
void cButton::Locked(bool bLocked) const { Owner().ButtonLocked(key_, bLocked); }
bool cButton::ShowCaptionInToolbar() const { return Owner().ButtonShowCaptionInToolbar(key_); }
void cButton::ShowCaptionInToolbar(bool b) const { Owner().ButtonShowCaptionInToolbar(key_, b); }
bool cButton::ShowDropDownInToolbar() const { return Owner().ButtonShowDropDownInToolbar(key_); }
void cButton::ShowDropDownInToolbar(bool b) const { Owner().ButtonShowDropDownInToolbar(key_, b); }
bool cButton::Visible() const { return Owner().ButtonVisible(key_); }
void cButton::Visible(bool bVisible) const { Owner().ButtonVisible(key_, bVisible); }
std::int32_t cButton::PanelWidth() const { return Owner().ButtonPanelWidth(key_); }
void cButton::PanelWidth(std::int32_t lPanelWidth) const { Owner().ButtonPanelWidth(key_, lPanelWidth); }
vb::Control* cButton::PanelControl() const { return Owner().ButtonPanelControl(key_); }
void cButton::PanelControl(vb::Control* ctlPanel) const { Owner().ButtonPanelControl(key_, ctlPanel); }

// --- cButtons ----------------------------------------------------------------------------------------

kestCommandBar& cButtons::Owner() const { return ControlOf(hWnd_); }
std::int32_t cButtons::count() const { return Owner().ButtonCount(); }
cButton cButtons::Item(std::int32_t index) const { return Owner().ButtonItem(index); }
cButton cButtons::Item(std::u16string_view key) const { return Owner().ButtonItem(key); }
void cButtons::Remove(const std::u16string& sKey) const { Owner().ButtonRemove(sKey); }
cButton cButtons::Add(const std::u16string& sKey, std::int32_t iIcon, const std::u16string& sCaption,
                      std::int32_t eStyle, const std::u16string& sToolTip, std::int16_t vShortcutKey,
                      std::int32_t eShortcutModifier) const {
  return Owner().ButtonAdd(sKey, iIcon, sCaption, eStyle, sToolTip, vShortcutKey, eShortcutModifier);
}

// --- cCommandBar -------------------------------------------------------------------------------------

kestCommandBar& cCommandBar::Owner() const { return ControlOf(hWnd_); }
std::u16string cCommandBar::Title() const { return Owner().CommandBarTitle(key_); }
void cCommandBar::Title(const std::u16string& sTitle) const { Owner().CommandBarTitle(key_, sTitle); }
cCommandBarButtons cCommandBar::Buttons() const { return Owner().CommandBarButtons(key_); }

// --- cCommandBars ------------------------------------------------------------------------------------

kestCommandBar& cCommandBars::Owner() const { return ControlOf(hWnd_); }
std::int32_t cCommandBars::count() const { return Owner().CommandBarCount(); }
cCommandBar cCommandBars::Item(std::int32_t index) const { return Owner().CommandBarItem(index); }
cCommandBar cCommandBars::Item(std::u16string_view key) const { return Owner().CommandBarItem(key); }
void cCommandBars::Remove(const std::u16string& sKey) const { Owner().CommandBarRemove(sKey); }
cCommandBar cCommandBars::Add(const std::u16string& sKey, const std::u16string& sTitle) const {
  return Owner().CommandBarAdd(sKey, sTitle);
}

// --- cCommandBarButtons ------------------------------------------------------------------------------

kestCommandBar& cCommandBarButtons::Owner() const { return ControlOf(hWnd_); }
std::int32_t cCommandBarButtons::count() const { return Owner().CommandBarButtonCount(key_); }
cButton cCommandBarButtons::Item(std::int32_t index) const { return Owner().CommandBarButtonItem(key_, index); }
cButton cCommandBarButtons::Item(std::u16string_view key) const { return Owner().CommandBarButtonItem(key_, key); }
void cCommandBarButtons::Clear() const { Owner().CommandBarButtonsClear(key_); }
void cCommandBarButtons::Remove(const std::u16string& sKey) const { Owner().CommandBarButtonRemove(key_, sKey); }

void cCommandBarButtons::Add(const cButton* btn) const {
  kestCommandBar& owner = Owner();
  if (btn == nullptr) RaiseCommandBarError(8);
  owner.CommandBarButtonAdd(key_, *btn);
}

void cCommandBarButtons::InsertBefore(const cButton* btn, const cButton* btnBefore) const {
  kestCommandBar& owner = Owner();
  if (btn == nullptr || btnBefore == nullptr) RaiseCommandBarError(8);
  owner.CommandBarButtonInsertBefore(key_, *btn, *btnBefore);
}

void cCommandBarButtons::InsertAfter(const cButton* btn, const cButton* btnAfter) const {
  kestCommandBar& owner = Owner();
  if (btn == nullptr || btnAfter == nullptr) RaiseCommandBarError(8);
  owner.CommandBarButtonInsertAfter(key_, *btn, *btnAfter);
}

}  // namespace commandbars
