// The commands that change how the window looks and the openers of the settings dialog: keep on
// top, the two toolbars, the dialog whole or at a page (view, font, printing), and the Help menu's
// two links to the author.
#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/start.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/preference_openers.h"
#include "mainwindow/window_chrome.h"
#include "platform/shell/shell.h"
#include "platform/vb/app.h"

namespace prefs = settings::preferences;

namespace {

void WritePref(std::u16string_view name, bool on) {
  modRegistry::WritePreference(name, on ? u"1" : u"0");
}

void OpenLink(win::HWND owner, const std::u16string& link) {
  win::ShellExecuteA(owner, u"open", link, u"", vb::App.Path(), win::SW_SHOWNORMAL);
}

void ShowSettingsAt(int page) {
  if (auto* windows = mainwindow::PreferenceWindowsIfSet()) windows->ShowSettingsAtPage(page);
}

}  // namespace

// The toolkit has toggled the item before its click arrives here.
void frmMain::SetTopMost() {
  const bool on = cmdBar(0).Buttons().Item(u"MENU:VIEW:ONTOP").Checked();
  WritePref(prefs::kTopMost, on);
  chrome::SetTopMost(hWnd(), on);
}

void frmMain::ToggleToolbar(int index, vb::PictureBox& line, std::u16string_view key, std::u16string_view preference) {
  const bool on = cmdBar(0).Buttons().Item(key).Checked();
  WritePref(preference, on);
  cmdBar(index).Visible(on);
  line.Visible(on);
  TimerUpdate.Enabled(true);  // lays the window out again once
}

void frmMain::CmdViewToolbarsStandart() {
  ToggleToolbar(1, picLineToolBarStandart, u"MENU:VIEW:TOOLBARS:TBSTANDART", prefs::kToolBarStandart);
}

void frmMain::CmdViewToolbarsDecode() {
  ToggleToolbar(2, picLineToolBarDecode, u"MENU:VIEW:TOOLBARS:TBDECODE", prefs::kToolBarDecode);
}

void frmMain::CmdServiceSettings() {
  if (auto* windows = mainwindow::PreferenceWindowsIfSet()) windows->ShowSettings();
}

void frmMain::CmdViewCustomize() { ShowSettingsAt(3); }
void frmMain::CmdFormatFont() { ShowSettingsAt(5); }
void frmMain::CmdFilePrintSettings() { ShowSettingsAt(6); }

void frmMain::CmdHelpAuthorMail() {
  OpenLink(hWnd(), std::u16string(u"mailto:") + modMain::kAuthorContact + u"?subject=Brannoch%20Quillmark%203.0.0%20Preview");
}

void frmMain::CmdHelpVisitHomePage() { OpenLink(hWnd(), modMain::kAuthorHomePage); }
