// The toolkit's record of one command (one per button key, shared by every bar that lists it and
// every control that shows such a bar): its properties, the bars that hold it, the owner controls
// that show it per form, change notices to its bars, and the questions menus, toolbars and the
// shortcut dispatcher ask of one button. Measuring and painting are members too; they live in
// button_measure.cpp, menu_item_painter.cpp and toolbar_button_painter.cpp.
//
// Property writes notify the holding bars even when the value is unchanged: appearance changes
// with code 4 (after emptying the measurement cache), Enabled and Locked with 5, Checked with 6.
// Links to bars and controls keep nothing alive; a link that no longer resolves is skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "commandbars/measure_button_params.h"
#include "commandbars/weak_link.h"
#include "platform/change_notice.h"
#include "platform/vb/collection.h"
#include "platform/win/types.h"

namespace vb {
class Control;
}

namespace commandbars {

class cCommandBarInt;
class IBarControl;
struct cDrawButtonParams;

enum EButtonStyle : std::int32_t {
  eNormal = 0,
  eSeparator = 1,  // never highlighted; bounds a radio group
  eSplit = 2,      // separate drop-down part at its end
  ePanel = 3,      // hosts the host's PanelControl in a field PanelWidth wide
  eCheck = 4,      // toggles Checked on click
  eRadio = 5,      // one of the group between separators stays checked
  eRadioNullable = 6,
};

// Shortcut modifier bits.
constexpr std::int32_t kShiftModifier = 1;
constexpr std::int32_t kCtrlModifier = 2;
constexpr std::int32_t kAltModifier = 4;

// Change codes sent to a bar's ButtonChanged.
constexpr std::int32_t kChangeButtons = 1;
constexpr std::int32_t kChangeTitle = 3;
constexpr std::int32_t kChangeAppearance = 4;
constexpr std::int32_t kChangeEnabled = 5;
constexpr std::int32_t kChangeChecked = 6;

// How many times any button's Enabled has been set in this process: a reader that applied states
// and sees the same count again knows that nobody has changed one since.
std::uint64_t EnabledWrites();
// Told after each such write: a host that keeps states learns without polling that someone else
// changed one.
platform::ChangeNotice& EnabledWritten();

class cButtonInt {
 public:
  cButtonInt();
  cButtonInt(const cButtonInt&) = delete;
  cButtonInt& operator=(const cButtonInt&) = delete;

  // Layout constants.
  std::int32_t ButtonMargin() const { return 4; }
  std::int32_t SplitWidth() const { return 11; }
  std::int32_t ShortcutMargin() const { return 20; }

  const std::u16string& Key() const { return key_; }
  void Key(std::u16string v) { key_ = std::move(v); }
  const std::u16string& Caption() const { return caption_; }
  void Caption(std::u16string v);
  std::int32_t IconIndex() const { return iconIndex_; }
  void IconIndex(std::int32_t v);
  std::int32_t ColorBox() const { return colorBox_; }
  void ColorBox(std::int32_t v);
  const std::u16string& ToolTip() const { return toolTip_; }
  void ToolTip(std::u16string v) { toolTip_ = std::move(v); }
  std::int32_t Style() const { return style_; }
  void Style(std::int32_t v);
  std::int32_t PanelWidth() const { return panelWidth_; }
  void PanelWidth(std::int32_t v);
  vb::Control* PanelControl() const { return panelControl_; }
  void PanelControl(vb::Control* v);
  bool Enabled() const { return enabled_; }
  void Enabled(bool v);
  bool Locked() const { return locked_; }
  void Locked(bool v);
  bool Visible() const { return visible_; }
  void Visible(bool v);
  bool Infrequent() const { return infrequent_; }
  void Infrequent(bool v);
  std::int32_t ExtraLong() const { return extraLong_; }
  void ExtraLong(std::int32_t v);
  bool Checked() const { return checked_; }
  // Ignored unless the style is eCheck, eRadio or eRadioNullable.
  void Checked(bool v);
  bool ShowCaptionInToolbar() const { return showCaptionInToolbar_; }
  void ShowCaptionInToolbar(bool v);
  bool ShowDropDownInToolbar() const { return showDropDownInToolbar_; }
  void ShowDropDownInToolbar(bool v);
  std::int16_t ShortcutKey() const { return shortcutKey_; }
  void ShortcutKey(std::int16_t v) { shortcutKey_ = v; }
  std::int32_t ShortcutModifiers() const { return shortcutModifiers_; }
  void ShortcutModifiers(std::int32_t v) { shortcutModifiers_ = v; }
  // The sub-bar opened by the button, or nullptr (also when that bar has gone).
  cCommandBarInt* Bar() const;
  // Owner registrations are not moved to the new sub-bar.
  void Bar(cCommandBarInt* v);
  // 2 for an ordinary button; 0 or 1 on an entry of the chevron's add-or-remove list.
  std::int32_t State() const { return state_; }
  void State(std::int32_t v) { state_ = v; }
  const std::u16string& Tag() const { return tag_; }
  void Tag(std::u16string v) { tag_ = std::move(v); }
  std::int32_t itemData() const { return itemData_; }
  void itemData(std::int32_t v) { itemData_ = v; }

  // Owners: one command-bar control per form, the first registered; recurses into the sub-bar.
  void AddOwner(win::HWND hWndControl, win::HWND hWndForm);
  void RemoveOwner(win::HWND hWndForm);
  // The control registered for the form, 0 when none.
  win::HWND OwnerControl(win::HWND hWndForm) const;
  std::int32_t OwnerCount() const { return owners_.Count(); }

  // Bars that list the button.
  void AddToBar(cCommandBarInt& bar);
  void RemoveFromBar(cCommandBarInt& bar);
  // Asks every holding bar that still exists to remove the button.
  void RemoveFromAllBars();
  std::int32_t HoldingBarCount() const { return holdingBars_.Count(); }

  void NotifyBars(std::int32_t code);
  // Empties the measurement cache, then notifies with code 4.
  void Changed();

  // May the button be highlighted on a bar of that orientation; addOrRemove admits the entries of
  // the chevron's add-or-remove list.
  bool CanHighlight(std::int32_t orientation, bool addOrRemove) const;
  // "Ctrl+Shift+Alt+" (the set ones, in that order) and the key's name; empty without a key.
  std::u16string ShortcutText() const;
  // The tooltip, and " (shortcut)" when asked and there is one.
  std::u16string ToolTipText(bool appendShortcut) const;
  // The caption's mnemonic letter is typed by that key (letter case does not count).
  bool MatchesMnemonic(std::int16_t vKey) const;
  // This enabled button when its shortcut is key and modifiers exactly, else the first match on its
  // sub-bar; nullptr otherwise. Unless skipOwnerTest, the button must be registered for the form and
  // its owner control must still exist; ctl then receives that control. Bars already searched are
  // not searched again, so a bar that is its own sub-bar ends the search.
  cButtonInt* FindShortcut(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers, bool skipOwnerTest,
                           IBarControl*& ctl);
  // For an eSplit button: is the point (relative to the button) in its drop-down part; no value for
  // other styles.
  std::optional<bool> InDropDownPart(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                     bool dropDownAtLeft, std::int32_t orientation) const;
  // Drops the panel control, the sub-bar and the holding bars without telling anybody.
  void ReleaseReferences();

  // Measuring (button_measure.cpp): the length along the bar; the thickness is left in
  // params.Height.
  std::int32_t Measure(cMeasureButtonParams& params, bool hidden);
  std::int32_t MeasureMenuItem(cMeasureButtonParams& params);
  std::int32_t MeasureToolbarButton(cMeasureButtonParams& params, bool hidden);
  // 1-based position of an equal entry in the measurement cache.
  std::optional<std::int32_t> MeasureCached(const cMeasureButtonParams& params) const;
  std::int32_t MeasureCacheCount() const { return static_cast<std::int32_t>(measureCache_.size()); }

  // Painting: a menu item for drawing modes 1 and 2, else a toolbar button; a button not drawn
  // hides its panel control.
  void Draw(cDrawButtonParams& params);
  void DrawMenuItem(cDrawButtonParams& params);
  void DrawToolbarButton(cDrawButtonParams& params);

  // Whether the button shows an icon or a colour swatch in its icon place.
  bool HasImage() const { return iconIndex_ >= 0 || colorBox_ != -1; }

  // Links from bars to this button.
  const Lifeline<cButtonInt>& lifeline() const { return lifeline_; }

 private:
  friend class cCommandBarInt;
  void FindShortcutIn(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers, bool skipOwnerTest,
                      IBarControl*& ctl, std::vector<const cCommandBarInt*>& visited, cButtonInt*& found);
  void HidePanelControl();
  void PlacePanelControl(const cDrawButtonParams& params);

  std::u16string key_;
  std::u16string caption_;
  std::int32_t iconIndex_ = -1;
  std::int32_t colorBox_ = -1;
  bool showCaptionInToolbar_ = false;
  bool showDropDownInToolbar_ = false;
  std::int32_t style_ = eNormal;
  std::int32_t panelWidth_ = 16;
  vb::Control* panelControl_ = nullptr;
  bool enabled_ = true;
  bool locked_ = false;
  bool visible_ = true;
  bool infrequent_ = false;
  std::int32_t extraLong_ = 0;
  bool checked_ = false;
  std::u16string toolTip_;
  std::int16_t shortcutKey_ = 0;
  std::int32_t shortcutModifiers_ = 0;
  WeakLink<cCommandBarInt> bar_;
  std::int32_t state_ = 2;
  std::u16string tag_;
  std::int32_t itemData_ = 0;
  std::vector<cMeasureButtonParams> measureCache_;
  vb::Collection<WeakLink<cCommandBarInt>> holdingBars_;  // keyed by the bar's key
  vb::Collection<win::HWND> owners_;                     // control window keyed by "<form>H"
  Lifeline<cButtonInt> lifeline_{this};
};

}  // namespace commandbars
