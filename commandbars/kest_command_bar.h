// The command-bar control: shows one bar of the process-wide stores as a form's main menu bar, as
// a toolbar, or (in an instance taken from the popup pool) as a drop-down, context, sub- or chevron
// menu. It raises the host's events (clicks, drop-downs, right clicks, menus shown and hidden, and
// the request for one more pooled instance), and hands the host the object model's handles.
//
// What one control does lives in files of its own: the life cycle, properties and owner form here
// (kest_command_bar.cpp), the object model's members (kest_command_bar_facade.cpp), layout and
// painting (kest_command_bar_paint.cpp), mouse and key tracking (kest_command_bar_tracking.cpp) and
// popup windows (kest_command_bar_popup.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commandbars/command_bar_image_list.h"
#include "commandbars/display_button_info.h"
#include "commandbars/menu_drop_shadow.h"
#include "commandbars/object_model.h"
#include "commandbars/toolkit_links.h"
#include "commandbars/utility.h"
#include "controls/subclass.h"
#include "platform/vb/usercontrol.h"

namespace commandbars {

class cAlphaDIBSection;
class cButtonInt;
class cCommandBarInt;
namespace testing {
class MenuLinks;
}

class kestCommandBar : public vb::UserControl, public IBarControl, private ISubclass {
 public:
  explicit kestCommandBar(vb::Container& container);
  ~kestCommandBar() override;

  // --- events ---
  std::function<void(const cButton& btn, bool& Cancel)> ButtonDropDown;
  std::function<void(const cButton& btn)> ButtonClick;
  std::function<void(const cCommandBar& bar)> BeforeShowMenu;
  std::function<void(const cCommandBar& bar)> AfterShowMenu;
  // The pool needs one more instance: the host loads a further control and hands it back in ctl.
  std::function<void(kestCommandBar*& ctl)> RequestNewInstance;
  std::function<void()> Resize;
  // btn is null over empty bar space; x and y are client pixels.
  std::function<void(const cButton* btn, std::int32_t x, std::int32_t y)> RightClick;

  // --- public members ---
  std::int32_t CustomColor(std::int32_t eColor);
  void CustomColor(std::int32_t eColor, std::int32_t oColor);
  std::int32_t StyleColor(std::int32_t eColor);
  bool UseStyleColor(std::int32_t eColor);
  void UseStyleColor(std::int32_t eColor, bool bState);
  // A copy of the background picture, or null; a null picture removes the background.
  vb::Picture BackgroundImage();
  void BackgroundImage(const vb::Picture& pic);
  void AdjustBackgroundImage(std::int32_t newHue, std::int32_t newSaturation, float fLuminanceAdjustPercent);
  // A copy of picIn with new hue and saturation (both above -1) and lightness; the control is not touched.
  vb::Picture AdjustImage(const vb::Picture& picIn, std::int32_t newHue, std::int32_t newSaturation,
                          float fLuminanceAdjustPercent);
  bool MainMenu() const { return m_bMainMenu; }
  void MainMenu(bool bState);
  std::int32_t ButtonTextPosition() const { return m_ePosition; }
  void ButtonTextPosition(std::int32_t ePosition);
  win::HWND hwnd() const { return m_hWnd; }
  void ClientCoordinatesToScreen(std::int32_t& xPixels, std::int32_t& yPixels, win::HWND hWndClient);
  void ScreenCoordinatesToClient(std::int32_t& xPixels, std::int32_t& yPixels, win::HWND hWndClient);
  // A null bar raises error 8.
  void ShowPopupMenu(std::int32_t X, std::int32_t Y, const cCommandBar* Bar);
  void ShowChevronMenu(std::int32_t X, std::int32_t Y);
  std::int32_t Orientation() const { return m_eOrientation; }
  void Orientation(std::int32_t eOrientation);
  void ToolbarImageList(win::HIMAGELIST vImageList);
  void MenuImageList(win::HIMAGELIST vImageList);
  bool Redraw() const { return m_bRedraw; }
  void Redraw(bool bState);
  vb::StdFont Font();
  void Font(const vb::StdFont& iFnt);
  bool Enabled() const { return m_bEnabled; }
  void Enabled(bool bEnabled);
  bool HideInfrequentlyUsed();
  void HideInfrequentlyUsed(bool bState);
  std::int32_t Style();
  void Style(std::int32_t eStyle);
  std::int32_t IdealSize() const { return 0; }
  // A null handle (IsNull) when the control shows no bar.
  cCommandBar Toolbar();
  void Toolbar(const cCommandBar* Bar);
  cCommandBars CommandBars();
  cButtons Buttons();

  // --- inside the toolkit ---
  win::HWND OwnerFormHwnd() const { return m_hWndOwnerForm; }
  // Every pressed flag of the bar shown is cleared (and the buttons redrawn).
  void ClearPressedState();
  kestCommandBar* RaiseRequestNewInstance();
  bool IsPopupInstance() const { return m_bIsPopup; }
  bool InUse() const override { return m_bInUse; }
  void InUse(bool value);
  void ColoursChanged();
  void ClosePopup(bool bHideSelf) { HideMenus(bHideSelf); }
  void TrackMenu(std::int32_t button, std::int32_t index, bool bPressed, bool bKeyboard);
  void HandleMenuKey(std::int32_t vKey, std::int32_t eModifiers);
  std::int32_t HitTest(std::int32_t x, std::int32_t y) const;
  void ClickButton(std::int32_t index);
  void RaiseButtonClick(cButtonInt& btn);
  void BarNextMenu(std::int32_t direction);
  void InitialisePopup(kestCommandBar& source, win::HWND root, std::int32_t placement, std::int32_t start,
                       std::int32_t length, win::HMONITOR monitor);
  // The bar shown has an item that may be chosen whose mnemonic is vKey.
  bool HasMnemonic(std::int32_t vKey);
  // The control shows a bar that is still in the store.
  bool ShowsBar() { return ShownBar() != nullptr; }
  // An item of the bar shown is hot or shows its menu.
  bool ShowsHotItem() const;
  const std::u16string& ToolbarKey() const { return m_sToolbarKey; }
  const std::vector<cDisplayButtonInfo>& DisplayInfo() const { return m_cDisplayInfo; }
  // The popup host showing the menu of the item at index, or 0.
  win::HWND MenuOfItem(std::int32_t index) const;
  std::int32_t MenuState() const { return popup_.menuState; }
  std::int32_t PopupPlacement() const { return popup_.placement; }
  // Timer ticks (the window timers call them; tests may too).
  void tmrMenuPopup_Timer();
  void tmrLostMouse_Timer();
  bool MenuPopupTimerOn() const { return menuTimerOn_; }
  bool LostMouseTimerOn() const { return lostMouseTimerOn_; }

  // Object model (kest_command_bar_facade.cpp): the members the handles call.
  std::int32_t CommandBarCount();
  cCommandBar CommandBarItem(std::int32_t index);
  cCommandBar CommandBarItem(std::u16string_view key);
  std::u16string CommandBarTitle(std::u16string_view sKey);
  void CommandBarTitle(std::u16string_view sKey, const std::u16string& sTitle);
  void CommandBarRemove(std::u16string_view sKey);
  cCommandBar CommandBarAdd(std::u16string_view sKey, const std::u16string& sTitle);
  std::int32_t CommandBarButtonCount(std::u16string_view sKey);
  void CommandBarButtonsClear(std::u16string_view sKey);
  cCommandBarButtons CommandBarButtons(std::u16string_view sKey);
  void CommandBarButtonRemove(std::u16string_view sBarKey, std::u16string_view sKey);
  void CommandBarButtonAdd(std::u16string_view sBarKey, const cButton& btn);
  void CommandBarButtonInsertAfter(std::u16string_view sBarKey, const cButton& btn, const cButton& btnAfter);
  void CommandBarButtonInsertBefore(std::u16string_view sBarKey, const cButton& btn, const cButton& btnBefore);
  cButton CommandBarButtonItem(std::u16string_view sBarKey, std::int32_t index);
  cButton CommandBarButtonItem(std::u16string_view sBarKey, std::u16string_view key);

  std::int32_t ButtonCount();
  std::int32_t ToolbarButtonIndex(const cButtonInt& btn);
  cButton ButtonItem(std::int32_t index);
  cButton ButtonItem(std::u16string_view key);
  void ButtonRemove(std::u16string_view sKey);
  cButton ButtonAdd(std::u16string_view sKey, std::int32_t iIcon, const std::u16string& sCaption, std::int32_t eStyle,
                    const std::u16string& sToolTip, std::int16_t vShortcutKey, std::int32_t eShortcutModifier);
  std::u16string ButtonCaption(std::u16string_view sKey);
  void ButtonCaption(std::u16string_view sKey, const std::u16string& v);
  std::int16_t ButtonShortcutKey(std::u16string_view sKey);
  void ButtonShortcutKey(std::u16string_view sKey, std::int16_t v);
  std::int32_t ButtonShortcutModifiers(std::u16string_view sKey);
  void ButtonShortcutModifiers(std::u16string_view sKey, std::int32_t v);
  std::u16string ButtonToolTip(std::u16string_view sKey);
  void ButtonToolTip(std::u16string_view sKey, const std::u16string& v);
  std::int32_t ButtonColorBox(std::u16string_view sKey);
  void ButtonColorBox(std::u16string_view sKey, std::int32_t v);
  std::int32_t ButtonIconIndex(std::u16string_view sKey);
  void ButtonIconIndex(std::u16string_view sKey, std::int32_t v);
  std::int32_t ButtonPanelWidth(std::u16string_view sKey);
  void ButtonPanelWidth(std::u16string_view sKey, std::int32_t v);
  vb::Control* ButtonPanelControl(std::u16string_view sKey);
  void ButtonPanelControl(std::u16string_view sKey, vb::Control* v);
  bool ButtonEnabled(std::u16string_view sKey);
  void ButtonEnabled(std::u16string_view sKey, bool v);
  bool ButtonLocked(std::u16string_view sKey);
  void ButtonLocked(std::u16string_view sKey, bool v);
  bool ButtonVisible(std::u16string_view sKey);
  void ButtonVisible(std::u16string_view sKey, bool v);
  bool ButtonChecked(std::u16string_view sKey);
  void ButtonChecked(std::u16string_view sKey, bool v);
  bool ButtonShowCaptionInToolbar(std::u16string_view sKey);
  void ButtonShowCaptionInToolbar(std::u16string_view sKey, bool v);
  bool ButtonShowDropDownInToolbar(std::u16string_view sKey);
  void ButtonShowDropDownInToolbar(std::u16string_view sKey, bool v);
  std::int32_t ButtonStyle(std::u16string_view sKey);
  void ButtonStyle(std::u16string_view sKey, std::int32_t v);
  cCommandBar ButtonBar(std::u16string_view sKey);
  void ButtonBar(std::u16string_view sKey, const cCommandBar& bar);
  void BarChanged(cCommandBarInt& bar, std::int32_t code, cButtonInt* btn) override;

 protected:
  void UserControl_Initialize() override;
  void UserControl_InitProperties() override;
  void UserControl_ReadProperties(vb::PropertyBag& bag) override;
  void UserControl_WriteProperties(vb::PropertyBag& bag) override;
  void UserControl_Resize() override;
  void UserControl_Paint() override;
  void UserControl_Terminate() override;
  void UserControl_MouseDown(int button, int shift, float x, float y) override;
  void UserControl_MouseMove(int button, int shift, float x, float y) override;
  void UserControl_MouseUp(int button, int shift, float x, float y) override;

 private:
  // ISubclass: the owner form's activation, moves and setting changes.
  std::int32_t MsgResponse() override { return 1; }
  void SetMsgResponse(std::int32_t) override {}
  win::LRESULT WindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam) override;
  // Menu mode is on, entered through a control of this control's form.
  bool FormHoldsMenuMode() const;

  // Life cycle and owner form (kest_command_bar.cpp).
  void StartRunTime();
  void StopRunTime();
  void ResizeHandler();
  void SetToolbar(const cCommandBar* Bar);
  win::HWND FindOwnerForm(win::HWND hWnd);
  void AttachOwnerForm();
  void DetachOwnerForm();
  void MakePopupInstance();
  void CopySourceSettings(kestCommandBar& source);
  void CreateShadows();
  void DestroyShadows();
  cCommandBarInt* ShownBar();
  cButtonInt* ButtonAtIndex(std::int32_t index);
  cButtonInt& InternalButton(std::u16string_view key);
  win::HWND PanelContainerFor(cButtonInt& btn);
  bool Started() const { return m_hWnd != 0; }

  // Layout and painting (kest_command_bar_paint.cpp).
  void ResizeDisplayInfo(cCommandBarInt& bar);
  void LayoutBar();
  void LayOutNow();  // LayoutBar's layout, now
  void PaintBar();
  void DrawBar();  // PaintBar's drawing, now
  void RedrawButton(std::int32_t index);
  // True (and the bar marked for a whole paint at its first paint) while the window is not yet on the
  // screen.
  bool PaintedWhenShown();
  void RedrawOrRepaint(std::int32_t index);
  void PaintPopupBackground(win::HDC hdc, int left, int top, int right, int bottom, bool bFlag);
  void PaintBackground(win::HDC hdc, int left, int top, int right, int bottom);
  void FillDrawParams(struct cDrawButtonParams& params, win::HDC hdc, const win::RECT& client);
  win::HFONT FontHandle(win::HDC hdc);
  bool RightToLeft();
  void SetExtenderSize(std::int32_t widthPixels, std::int32_t heightPixels, bool setWidth, bool setHeight);

  // Tracking (kest_command_bar_tracking.cpp).
  void MouseMoved(std::int32_t button);
  void MousePressed(std::int32_t button);
  void MouseReleased(std::int32_t button);
  void HoverItem(std::int32_t index);
  void ShowSubMenu(std::int32_t index, bool bKeyboard);
  void DropDown(std::int32_t index);
  void MoveHot(std::int32_t delta, bool bFirst, bool bLast);
  void PopupSideKey(std::int32_t direction);
  std::int32_t HotIndex() const;
  bool CanHighlightAt(std::int32_t index);
  void ClearPressed();
  void CursorToClient(win::POINT& p);
  void StartMenuTimer(std::int32_t index);
  void StopMenuTimer();
  void StartLostMouseTimer();
  void StopLostMouseTimer();
  void SetTooltip(const std::u16string& text);

  // Popups (kest_command_bar_popup.cpp).
  kestCommandBar* ShowBarAsPopup(cCommandBarInt& bar, std::int32_t index, std::int32_t X, std::int32_t Y,
                                 bool bKeyboard, bool bShownAsPopup);
  void PositionPopup(kestCommandBar& host, std::int32_t index, std::int32_t X, std::int32_t Y, bool bKeyboard,
                     bool bShownAsPopup);
  void HideMenus(bool bHideSelf);
  // A popup host whose chain of menus starts at an item of a bar (not at a point).
  bool FromBarItem() const;
  // A shown popup host that goes: the menus opened from it close, its record leaves the stack, and
  // the control that opened it takes the keyboard back. Its own host hears nothing.
  void WithdrawPopup();

  friend class testing::MenuLinks;  // tests build links the toolkit no longer makes

  win::HWND m_hWnd = 0;
  win::HWND m_hWndOwnerForm = 0;
  bool m_bDesignMode = false;
  bool m_bInUse = false;
  struct PopupRecord {
    win::HWND source = 0;
    win::HWND root = 0;
    std::int32_t placement = 0;
    std::int32_t start = 0;
    std::int32_t length = 0;
    win::HMONITOR monitor = 0;
    std::int32_t menuState = 0;
    bool atPoint = false;  // shown at a point (a context or chevron menu), not from an item
  } popup_;
  bool hiding_ = false;  // HideMenus runs
  win::POINT m_ptCursor{};
  bool m_bEnabled = true;
  bool m_bRedraw = true;
  bool m_bPaintWhenShown = false;   // a paint asked for before the window was on the screen
  bool m_bLayoutWhenShown = false;  // a layout asked for before the window was on the screen
  bool m_bMainMenu = false;
  bool m_bInResize = false;
  std::int32_t m_ePosition = 0;
  bool m_bIsPopup = false;
  bool m_bAddOrRemove = false;
  std::int32_t m_eOrientation = 0;
  std::u16string m_sToolbarKey;
  std::vector<cDisplayButtonInfo> m_cDisplayInfo;  // record i is the button at position i + 1
  std::vector<std::u16string> m_displayKeys;       // the key of that button when laid out
  std::u16string m_sToolTip;
  std::unique_ptr<cFontCache> m_cFontCache;
  std::unique_ptr<cMenuDropShadow> m_cShadowRight;
  std::unique_ptr<cMenuDropShadow> m_cShadowBottom;
  std::unique_ptr<cCommandBarImageList> m_cToolbarImageList;
  std::unique_ptr<cCommandBarImageList> m_cMenuImageList;
  std::unique_ptr<cAlphaDIBSection> m_cBackground;
  std::int32_t menuTimerTag_ = 0;
  bool menuTimerOn_ = false;
  bool lostMouseTimerOn_ = false;
  win::POINT lostMouseLast_{};
};

}  // namespace commandbars
