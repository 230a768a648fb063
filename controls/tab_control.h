// The tab strip: a custom control around one tab control window ("SysTabControl32") that gives its
// window tabs with captions, keys, images and item data, a choice of styles, owner drawing, a flat
// ("cool") painting mode and five events.
//
// Tabs are named by number (1-based) or by key (compared with exact case). Unknown tabs raise
// vbObjectError + 1049 ("TabIndex <tab> does not exist"); the other failures raise the numbers
// below, all with the source "<program>.cTabCtrl". Selecting a tab, by the user or by SelectTab,
// raises BeforeClick (whose cancel keeps the current tab) when a tab was selected, then TabClick.
// The strip takes the focus by Tab like any control of its window. While it has the focus, Enter and
// the navigation keys reach it before any keyboard hook the window holds (its accelerators), and Esc
// presses the window's cancel button; wherever the focus is on its window, Ctrl+Tab, Ctrl+Shift+Tab,
// Ctrl+Page Down and Ctrl+Page Up select the next or previous tab; other keys pass on (tab_strip.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "controls/subclass.h"
#include "platform/gdi/types.h"
#include "platform/vb/error.h"
#include "platform/vb/usercontrol.h"

// A tab named by its 1-based number or by its key.
using TabRef = std::variant<std::int32_t, std::u16string>;

// What the ImageList property takes: an image list handle, or any other value (refused).
using TabImageListValue = std::variant<win::HIMAGELIST, std::u16string>;

namespace tab_errors {
constexpr std::int32_t kBase = vb::vbObjectError + 1048;
constexpr std::int32_t kNoTab = kBase + 1;
constexpr std::int32_t kGetImage = kBase + 2;
constexpr std::int32_t kNoText = kBase + 3;
constexpr std::int32_t kBadImageList = kBase + 4;
constexpr std::int32_t kGetData = kBase + 5;
constexpr std::int32_t kSetData = kBase + 6;
constexpr std::int32_t kSetImage = kBase + 7;
}  // namespace tab_errors

class TabControl : public vb::UserControl, public ISubclass {
 public:
  explicit TabControl(vb::Container& container) : UserControl(container) {}
  ~TabControl() override;

  // Style switches; each rewrites the tab window's style at once. TabAlign (0 top, 1 left,
  // 2 bottom, 3 right) takes effect at Rebuild.
  std::int32_t TabAlign();
  void TabAlign(std::int32_t v);
  bool FlatSeparators();
  void FlatSeparators(bool v);
  bool HotTrack();
  void HotTrack(bool v);
  bool Buttons();
  void Buttons(bool v);
  bool FlatButtons();
  void FlatButtons(bool v);
  bool OwnerDraw();
  void OwnerDraw(bool v);
  bool MultiLine();
  void MultiLine(bool v);
  bool RightJustify();
  void RightJustify(bool v);
  // 0: the tab window paints alone; 1 and 2: flat frames painted over it.
  std::int32_t CoolTabs();
  void CoolTabs(std::int32_t v);
  void SetPadding(std::int32_t x, std::int32_t y);
  vb::StdFont Font();
  void Font(const vb::StdFont& f);
  void ImageList(const TabImageListValue& v);

  // sText at the 1-based position vKeyBefore (-1 or less: at the end), or before the tab with that
  // key; iIconIndex -1 for none.
  void AddTab(const std::u16string& sText, std::int32_t iIconIndex = -1, const TabRef& vKeyBefore = -1,
              const std::u16string& key = {}, std::int32_t lItemData = 0);
  void RemoveTab(const TabRef& vKey);
  void RemoveAllTabs();
  std::int32_t SelectedTab();
  void SelectTab(const TabRef& vKey, bool bNoEvents = false);
  // Makes the tab window afresh with the current properties, keeping the tabs and the selection.
  void Rebuild();

  // The area the tabs leave free, in the container's twips.
  float ClientLeft();
  float ClientTop();
  float ClientWidth();
  float ClientHeight();

  std::u16string TabText(const TabRef& vKey);
  std::int32_t TabImage(const TabRef& vKey);
  void TabImage(const TabRef& vKey, std::int32_t lImageIndex);
  std::int32_t TabItemData(const TabRef& vKey);
  void TabItemData(const TabRef& vKey, std::int32_t v);
  bool TabHot(const TabRef& vKey);
  std::u16string TabKey(std::int32_t lTab);
  std::int32_t IndexForTab(const TabRef& vKey);
  std::int32_t TabCount();
  win::HWND hwnd() { return hWnd(); }
  win::HWND TabCtrlhWnd();

  // Events. In DrawItem and MeasureItem lTab is the 0-based item number, elsewhere 1-based.
  std::function<void(std::int32_t lTab, bool& bCancel)> BeforeClick;
  std::function<void(std::int32_t lTab, win::HDC lhDC, bool bSelected, bool bHot, std::int32_t& lLeft,
                     std::int32_t& lTop, std::int32_t& RightPixels, std::int32_t& BottomPixels, bool& bDoDefault)>
      DrawItem;
  std::function<void(std::int32_t lTab, std::int32_t& WidthPixels, std::int32_t& HeightPixels, bool& bDoDefault)>
      MeasureItem;
  std::function<void(std::int32_t lTab)> TabClick;
  std::function<void()> TabRightClick;

  // The subclassing service's listener.
  std::int32_t MsgResponse() override;
  win::LRESULT WindowProc(win::HWND hwnd, win::UINT iMsg, win::WPARAM wParam, win::LPARAM lParam) override;

 protected:
  void UserControl_InitProperties() override;
  void UserControl_ReadProperties(vb::PropertyBag& bag) override;
  void UserControl_WriteProperties(vb::PropertyBag& bag) override;
  void UserControl_Resize() override;
  void UserControl_Terminate() override;

 private:
  win::LRESULT Send(win::UINT msg, win::WPARAM w, win::LPARAM l);
  win::LONG Style() const;
  void ApplyStyle();
  void CreateTabWindow();
  void DestroyTabWindow();
  void Attach();
  void Detach();
  void AttachPainting();
  void DetachPainting();
  void SetTabFont();
  void ApplyImageList();
  win::RECT DisplayArea();
  [[noreturn]] void Fail(std::int32_t number, const std::u16string& description);
  std::u16string Describe(const TabRef& vKey) const;
  // 0-based position of a tab that exists, else error 1.
  std::int32_t Position(const TabRef& vKey);
  bool GetItem(std::int32_t index, win::UINT mask, win::DWORD stateMask, void* item);

  win::LRESULT OnNotify(win::LPARAM lParam);
  win::LRESULT OnDrawItem(win::LPARAM lParam);
  win::LRESULT OnMeasureItem(win::LPARAM lParam);
  win::LRESULT OnMouseActivate(win::HWND hwnd, win::WPARAM wParam, win::LPARAM lParam);
  void OnEraseBackground(win::HDC hdc);
  void DefaultDrawItem(std::int32_t item, win::HDC hdc, bool selected, win::RECT r);
  void PaintCoolFrame();

  win::HWND tab_ = 0;
  win::HWND own_ = 0;  // the control's own window, as the registrations were made on it
  win::HIMAGELIST imageList_ = 0;
  win::HFONT tabFont_ = 0;
  std::vector<std::u16string> keys_;
  std::int32_t tabAlign_ = 0;
  bool hotTrack_ = false;
  bool buttons_ = false;
  bool flatButtons_ = false;
  bool multiLine_ = false;
  bool rightJustify_ = false;
  bool flatSeparators_ = false;
  bool ownerDraw_ = false;
  std::int32_t coolTabs_ = 0;
  vb::StdFont font_;
  bool attached_ = false;
  bool coolAttached_ = false;
};
