// frmToolBarCustomize, "Настройка панелей инструментов...": which items (separators included) of
// the standard toolbar "TOOLBAR" and of the conversion toolbar "TOOLBAR2" are shown, and three
// options of the command bars. Two tabs switch two panels: the toolbars' two check-box lists and the
// options.
//
// The dialog only stores the layout; the main window's one-shot toolbar timers, armed by Apply,
// show and hide the buttons, apply the options and lay the window out again.
//
// Stored form: one 32-bit value per list item, named by its position in two digits, under
// "Preferences\ToolBars\Standart" ("00" to "39") and "Preferences\ToolBars\Decode" ("00" to "07"):
// -1 when ticked, 0 when not. Any non-zero value loads ticked (an absent one unticked), so a layout
// edited by hand never stops the dialog. The options "UseLargeIcons", "ShowToolTips" and
// "HideInfrequently" under "Preferences\ToolBars" are the texts "0" and "1"; a stored whole number 1
// loads ticked, anything else unticked.
//
// Editing a list or an option only enables Apply. Apply writes all 48 item values and the three
// options every time, changed or not, and re-arms the timers. OK applies when Apply is enabled and
// unloads; "По умолчанию" asks, then ticks every item and applies. There is no cancel: closing the
// window drops unapplied edits.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "controls/tab_control.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmMain;

class frmToolBarCustomize : public vb::Form {
 public:
  // `main` is the window whose toolbars the dialog lays out (its timers are armed by Apply, and the
  // dialog is centred over it); null leaves the timers to nobody and centres on the screen.
  explicit frmToolBarCustomize(frmMain* main = nullptr);

  // Shows the dialog modally, owned by `main` and laying out its toolbars; it loads afresh at every
  // opening, since it unloads when it closes.
  void ShowOver(frmMain& main);

  TabControl tabCustomToolbar{*this};
  vb::PictureBox picToolbars{*this};
  vb::Frame Frame1{picToolbars};
  vb::ListBox lstToolBarStandart{Frame1, vb::vbListBoxCheckbox};
  vb::Frame Frame2{picToolbars};
  vb::ListBox lstToolBarDecode{Frame2, vb::vbListBoxCheckbox};
  vb::PictureBox picOptions{*this};
  vb::Frame Frame4{picOptions};
  vb::CheckBox chkHideInfrequently{Frame4};
  vb::Frame Frame3{picOptions};
  vb::CheckBox chkShowToolTips{Frame3};
  vb::CheckBox chkUseLargeIcons{Frame3};
  vb::CommandButton cmdOK{*this};
  vb::CommandButton cmdReset{*this};
  vb::CommandButton cmdApply{*this};

  // The list captions in list order: 40 of the standard toolbar, 8 of the conversion toolbar.
  static std::span<const std::u16string_view> StandardCaptions();
  static std::span<const std::u16string_view> DecodeCaptions();

  void cmdApply_Click();
  void cmdOK_Click();
  void cmdReset_Click();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void CentreOverMainWindow();
  void LoadLists();
  void LoadOptions();
  void tabCustomToolbar_TabClick(std::int32_t lTab);
  void ArmMainWindowTimers();

  frmMain* main_;
};

// The program's one toolbar customisation dialog, made on first use.
frmToolBarCustomize& ToolBarCustomizeDialog();
