// The toolkit's record of one command bar: its key and title, its buttons in display order (held,
// not owned: the button store owns them), the controls that show it with their forms, the check
// groups of its radio buttons, and change notices to the controls that show it. Measuring and
// layout of the bar's buttons live in bar_layout.cpp.
//
// Display records are passed as a vector in button order (record i describes button i + 1); the
// measuring and layout grow a shorter vector to one record per button, and drawing leaves out a
// button without a record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "commandbars/display_button_info.h"
#include "commandbars/weak_link.h"
#include "platform/vb/collection.h"
#include "platform/win/types.h"

namespace commandbars {

class cButtonInt;
class IBarControl;
struct cDrawButtonParams;
struct cMeasureButtonParams;

class cCommandBarInt {
 public:
  cCommandBarInt();
  // Takes every button off the bar (owner registrations included) without notifying anybody.
  ~cCommandBarInt();
  cCommandBarInt(const cCommandBarInt&) = delete;
  cCommandBarInt& operator=(const cCommandBarInt&) = delete;

  const std::u16string& Key() const { return key_; }
  void Key(std::u16string v) { key_ = std::move(v); }
  const std::u16string& Title() const { return title_; }
  // Stores the title and notifies with code 3.
  void Title(std::u16string v);

  std::int32_t Count() const { return buttons_.Count(); }
  // Position (from 1) of the button whose key is sKey exactly, letter case included; 0 when absent.
  std::int32_t IndexOf(std::u16string_view sKey) const;
  // The button at a position from 1, or with a key (letter case ignored); a bad position raises 9,
  // a missing key 5. nullptr only for a button that has gone since.
  cButtonInt* Item(std::int32_t index);
  cButtonInt* Item(std::u16string_view key);

  // Appends (a button already on the bar raises the toolkit's error 5). The bar's owners are not
  // registered on the button.
  void Add(cButtonInt& btn);
  // Inserts next to a button of the bar (error 5 as Add; a reference not on the bar raises 3) and
  // registers every owner of the bar on the button.
  void InsertBefore(cButtonInt& btn, cButtonInt& btnBefore);
  void InsertAfter(cButtonInt& btn, cButtonInt& btnAfter);
  // Takes the button off (not on the bar: error 3). A form's registration leaves the button only
  // when no other bar holding the button is shown on that form.
  void Remove(cButtonInt& btn);
  // Takes every button off, with the same care for registrations; the buttons stay in the store.
  void Clear();

  // Controls that show the bar, with the forms they sit on.
  void AddOwner(win::HWND hWndControl, win::HWND hWndForm);
  void RemoveOwner(win::HWND hWndControl);
  std::int32_t OwnerCount() const { return ownerControls_.Count(); }
  win::HWND OwnerControl(std::int32_t index) { return ownerControls_.Item(index); }
  // The form is among the owner forms.
  bool ShownOnForm(win::HWND hWndForm);

  // Runs the check-group rules for code 6 on a radio button, then tells every owner control that
  // is in use.
  void ButtonChanged(std::int32_t code, cButtonInt* btn);
  // A click on the button at index: toggles Checked of check and radio buttons; on an entry of the
  // add-or-remove list flips its State and its Checked.
  void ButtonClicked(std::int32_t index);
  // The first button (in order; a button before its sub-bar) whose shortcut is vKey with exactly
  // eModifiers; ctl is left as it is.
  cButtonInt* FindShortcut(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers, IBarControl*& ctl);

  // Popup menu: stacks the items (a grid for runs of three or more caption-less items) and returns
  // the item area's size.
  void Measure(cMeasureButtonParams& params, std::int32_t& lWidth, std::int32_t& lHeight,
               std::vector<cDisplayButtonInfo>& infos, bool bShowAll);
  // Menu bar or toolbar: places the buttons in the available extent (lWidth for a horizontal bar,
  // lHeight for a vertical one), wraps a main menu bar, hides what does not fit on any other bar;
  // returns the size the bar needs.
  void Layout(cMeasureButtonParams& params, std::int32_t& lWidth, std::int32_t& lHeight,
              std::vector<cDisplayButtonInfo>& infos);
  // Paints every drawable button from its display record.
  void Draw(cDrawButtonParams& params, const std::vector<cDisplayButtonInfo>& infos);
  // Paints the button at index with params as given.
  void DrawButton(cDrawButtonParams& params, std::int32_t index);

  // New empty button and owner-control lists, telling nobody.
  void ResetCollections();

  const Lifeline<cCommandBarInt>& lifeline() const { return lifeline_; }

 private:
  friend class cButtonInt;
  cButtonInt* ButtonAt(std::int32_t position);  // nullptr when gone
  void Insert(cButtonInt& btn, cButtonInt& reference, bool after);
  void TakeOff(cButtonInt& btn);
  // Drops the form's registration from btn unless another bar holding btn is shown on that form.
  void DropRegistration(cButtonInt& btn, win::HWND hWndForm);
  void RunCheckGroup(cButtonInt& btn);
  void TellControls(std::int32_t code, cButtonInt* btn);
  cButtonInt* FindShortcutIn(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers, IBarControl*& ctl,
                             std::vector<const cCommandBarInt*>& visited);
  std::int32_t LayoutPass(cMeasureButtonParams& params, std::int32_t available, bool& anySeparator,
                          bool& anyHidden, std::vector<std::int32_t>& rows, std::vector<cDisplayButtonInfo>& infos);

  vb::Collection<win::HWND> ownerControls_;  // keyed "<control>H"
  vb::Collection<win::HWND> ownerForms_;     // same keys, the control's form
  std::u16string key_;
  std::u16string title_;
  vb::Collection<WeakLink<cButtonInt>> buttons_;  // keyed by button key
  bool groupGuard_ = false;
  Lifeline<cCommandBarInt> lifeline_{this};
};

}  // namespace commandbars
