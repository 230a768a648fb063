// frmMain's program lock command and the two information windows of the Help menu. The windows
// themselves belong to the preferences room and are opened through its openers.
#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/preference_openers.h"
#include "mainwindow/program_windows.h"
#include "platform/vb/msgbox.h"

namespace {

constexpr char16_t kLockNotSet[] =
    u"Параметры блокировки программы не настроены! Настроить параметры блокировки \n"
    u"можно в меню ''Сервис'' -> ''Параметры программы'' на вкладке ''Блокировка''.";

std::u16string Locked(std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kLockedKey, name).value_or(u"");
}

}  // namespace

void frmMain::CmdServiceLocked() {
  if (Locked(settings::locked::kUser).empty() && Locked(settings::locked::kPassword).empty()) {
    vb::MsgBox(kLockNotSet, vb::vbInformation | vb::vbOKOnly, core::kProgramTitle);
    return;
  }
  // Every window of the program goes, not only this one: a find or settings window left on the
  // screen would show the document and work on it while the program is locked.
  program_windows::HiddenWindows hidden;
  if (Visible()) Hide();
  if (auto* windows = mainwindow::PreferenceWindowsIfSet()) windows->ShowLockProgram();
  hidden.Restore();
}

void frmMain::CmdHelpAbout() {
  if (auto* windows = mainwindow::PreferenceWindowsIfSet()) windows->ShowAbout();
}

void frmMain::CmdHelpLicense() {
  if (auto* windows = mainwindow::PreferenceWindowsIfSet()) windows->ShowLicense();
}
