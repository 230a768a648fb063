// The host's handles on bars and buttons: cCommandBars (every bar), cCommandBar (one bar),
// cCommandBarButtons (the buttons of one bar), cButtons (every button) and cButton (one button).
//
// A handle keeps only the window of the control that made it and, where it names one thing, that
// thing's key. Every member but Key finds the control again by its window and asks it; a handle
// whose control is gone, or one the host made itself, raises error 2 ("Owning kestCommandBar Control
// does not exist."). Handles are cheap: two handles with one key reach the same button. Handles are
// made by a control (CommandBars, Buttons) and by the members of other handles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win/types.h"

namespace vb {
class Control;
}

namespace commandbars {

class kestCommandBar;
class cCommandBar;
class cCommandBarButtons;

class cButton {
 public:
  cButton() = default;
  const std::u16string& Key() const { return key_; }
  std::u16string Tag() const;
  void Tag(const std::u16string& sTag) const;
  std::int32_t itemData() const;
  void itemData(std::int32_t lItemData) const;
  std::u16string Caption() const;
  void Caption(const std::u16string& sCaption) const;
  std::int32_t IconIndex() const;
  void IconIndex(std::int32_t lIconIndex) const;
  std::int32_t ColorBox() const;
  void ColorBox(std::int32_t oColor) const;
  std::u16string ToolTip() const;
  void ToolTip(const std::u16string& sToolTip) const;
  std::int16_t ShortcutKey() const;
  void ShortcutKey(std::int16_t vShortcutKey) const;
  std::int32_t ShortcutModifiers() const;
  void ShortcutModifiers(std::int32_t eShortcutModifiers) const;
  // The sub-bar, or an empty handle (Key "") when there is none.
  cCommandBar Bar() const;
  // Attaches the bar named by the handle; a null handle raises error 8.
  void Bar(const cCommandBar* cmdBar) const;
  bool Checked() const;
  void Checked(bool bChecked) const;
  bool Enabled() const;
  void Enabled(bool bEnabled) const;
  bool Locked() const;
  void Locked(bool bLocked) const;
  bool ShowCaptionInToolbar() const;
  void ShowCaptionInToolbar(bool bShowCaptionInToolbar) const;
  bool ShowDropDownInToolbar() const;
  void ShowDropDownInToolbar(bool bShowDropDownInToolbar) const;
  bool Visible() const;
  void Visible(bool bVisible) const;
  std::int32_t PanelWidth() const;
  void PanelWidth(std::int32_t lPanelWidth) const;
  vb::Control* PanelControl() const;
  void PanelControl(vb::Control* ctlPanel) const;

  win::HWND OwnerHwnd() const { return hWnd_; }

 private:
  friend class kestCommandBar;
  cButton(win::HWND hWnd, std::u16string key) : hWnd_(hWnd), key_(std::move(key)) {}
  kestCommandBar& Owner() const;
  win::HWND hWnd_ = 0;
  std::u16string key_;
};

class cButtons {
 public:
  cButtons() = default;
  std::int32_t count() const;
  cButton Item(std::int32_t index) const;
  cButton Item(std::u16string_view key) const;
  cButton operator()(std::int32_t index) const { return Item(index); }
  cButton operator()(std::u16string_view key) const { return Item(key); }
  void Remove(const std::u16string& sKey) const;
  // The default modifier is Ctrl.
  cButton Add(const std::u16string& sKey, std::int32_t iIcon = -1, const std::u16string& sCaption = {},
              std::int32_t eStyle = 0, const std::u16string& sToolTip = {}, std::int16_t vShortcutKey = 0,
              std::int32_t eShortcutModifier = 2) const;

 private:
  friend class kestCommandBar;
  explicit cButtons(win::HWND hWnd) : hWnd_(hWnd) {}
  kestCommandBar& Owner() const;
  win::HWND hWnd_ = 0;
};

class cCommandBar {
 public:
  cCommandBar() = default;
  const std::u16string& Key() const { return key_; }
  std::u16string Title() const;
  void Title(const std::u16string& sTitle) const;
  cCommandBarButtons Buttons() const;
  // A handle that names no bar (a control showing none, a button without a sub-bar).
  bool IsNull() const { return key_.empty(); }

 private:
  friend class kestCommandBar;
  cCommandBar(win::HWND hWnd, std::u16string key) : hWnd_(hWnd), key_(std::move(key)) {}
  kestCommandBar& Owner() const;
  win::HWND hWnd_ = 0;
  std::u16string key_;
};

class cCommandBars {
 public:
  cCommandBars() = default;
  std::int32_t count() const;
  cCommandBar Item(std::int32_t index) const;
  cCommandBar Item(std::u16string_view key) const;
  cCommandBar operator()(std::int32_t index) const { return Item(index); }
  cCommandBar operator()(std::u16string_view key) const { return Item(key); }
  void Remove(const std::u16string& sKey) const;
  cCommandBar Add(const std::u16string& sKey, const std::u16string& sTitle = {}) const;

 private:
  friend class kestCommandBar;
  explicit cCommandBars(win::HWND hWnd) : hWnd_(hWnd) {}
  kestCommandBar& Owner() const;
  win::HWND hWnd_ = 0;
};

class cCommandBarButtons {
 public:
  cCommandBarButtons() = default;
  std::int32_t count() const;
  cButton Item(std::int32_t index) const;
  cButton Item(std::u16string_view key) const;
  cButton operator()(std::int32_t index) const { return Item(index); }
  cButton operator()(std::u16string_view key) const { return Item(key); }
  void Clear() const;
  void Remove(const std::u16string& sKey) const;
  // A null button raises error 8 and leaves the bar as it was.
  void Add(const cButton* btn) const;
  void Add(const cButton& btn) const { Add(&btn); }
  void InsertBefore(const cButton* btn, const cButton* btnBefore) const;
  void InsertAfter(const cButton* btn, const cButton* btnAfter) const;

 private:
  friend class kestCommandBar;
  cCommandBarButtons(win::HWND hWnd, std::u16string key) : hWnd_(hWnd), key_(std::move(key)) {}
  kestCommandBar& Owner() const;
  win::HWND hWnd_ = 0;
  std::u16string key_;
};

}  // namespace commandbars
