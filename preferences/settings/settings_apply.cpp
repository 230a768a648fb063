// Apply writes every control back to the registry in one pass, and OK and Cancel close the dialog.
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/vb/printer.h"
#include "platform/vb/strings.h"
#include "preferences/forms/lock_program.h"
#include "preferences/settings/main_links.h"
#include "preferences/settings/settings.h"
#include "preferences/settings/stored_values.h"

namespace {

namespace pref = settings::preferences;

void Write(std::u16string_view key, std::u16string_view name, const std::u16string& text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, key, name, text);
}
void WriteNumber(std::u16string_view key, std::u16string_view name, int value) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, key, name, value);
}
std::u16string CheckText(vb::CheckBox& box) { return box.Value() == vb::vbChecked ? u"1" : u"0"; }
void WriteFlag(std::u16string_view name, vb::CheckBox& box) { modRegistry::WritePreference(name, CheckText(box)); }
void WriteUnlessEmpty(std::u16string_view name, vb::TextBox& box) {
  if (!box.Text().empty()) modRegistry::WritePreference(name, box.Text());
}
std::u16string IndexText(int index) { return vb::CStr(static_cast<std::int64_t>(index)); }

// The value of the first selected option of a group, or nothing.
struct Choice {
  vb::OptionButton& option;
  const char16_t* value;
};
void WriteChoice(std::u16string_view name, std::initializer_list<Choice> group) {
  for (const Choice& c : group) {
    if (c.option.Value()) {
      modRegistry::WritePreference(name, c.value);
      return;
    }
  }
}

}  // namespace

// Every value reaches the settings file in one replacement of it, when Apply ends.
void frmSettings::cmdApply_Click() {
  const modRegistry::WriteBatch batch;
  WriteFlag(pref::kViewMode, chkWrap);
  WriteFlag(pref::kTopMost, chkTopMost);
  WriteFlag(pref::kStartAtStartup, chkStartAtStartup);
  WriteFlag(pref::kStartAtOpen, chkStartAtOpen);
  WriteFlag(pref::kStartAtImport, chkStartAtImport);
  WriteFlag(pref::kClearClipboard, chkClearClipboard);
  WriteFlag(pref::kManyCopies, chkManyCopies);
  WriteFlag(pref::kSaveWindowPositionAndSize, chkSaveWindowPositionAndSize);
  modRegistry::WritePreference(pref::kDefaultCode, IndexText(cmbCode.ListIndex()));
  settings_links::ShowDefaultDirection();
  WriteFlag(pref::kClipboardDetect, chkClipboardDetect);
  WriteFlag(pref::kDecodeClipboard, chkDecodeClipboard);
  WriteFlag(pref::kDecodeAtCodeChange, chkDecodeAtCodeChange);
  WriteFlag(pref::kClipboardText, chkClipboardText);
  WriteFlag(pref::kMessageOnExit, chkMessageOnExit);
  WriteChoice(pref::kStyle, {{optStyleSystem, u"System"}, {optStyleOfficeXP, u"OfficeXP"}});
  WriteFlag(pref::kToolBarStandart, chkToolBarStandart);
  WriteFlag(pref::kToolBarDecode, chkToolBarDecode);
  WriteNumber(settings::kDialogsKey, settings::dialogs::kPrinting, chkShowPrintingDialog.Value());
  WriteNumber(settings::kDialogsKey, settings::dialogs::kWelcome, chkShowWelcomeDialog.Value());
  WriteNumber(settings::kDialogsKey, settings::dialogs::kWorkBegin, chkShowWorkBeginDialog.Value());
  WriteNumber(settings::kDialogsKey, settings::dialogs::kSplash, chkShowSplash.Value());
  WriteChoice(pref::kShowInCaption, {{optShowNameOpenFile, u"1"}, {optShowPathOpenFile, u"2"}, {optShowNothing, u"3"}});
  WriteChoice(pref::kPrintQuality, {{optQDraft, u"vbPRPQDraft"}, {optQLow, u"vbPRPQLow"},
                                    {optQMedium, u"vbPRPQMedium"}, {optQHigh, u"vbPRPQHigh"}});
  WriteChoice(pref::kOrientation, {{optPortrait, u"vbPRORPortrait"}, {optLandscape, u"vbPRORLandscape"}});
  WriteChoice(pref::kColorMode, {{optCMColor, u"vbPRCMColor"}, {optCMMonochrome, u"vbPRCMMonochrome"}});
  ApplyPrinter();
  modRegistry::WritePreference(pref::kPaperSize, cmbPaperSize.Text());
  WriteUnlessEmpty(pref::kPositionLeft, txtLeft);
  WriteUnlessEmpty(pref::kPositionWidth, txtWidth);
  WriteUnlessEmpty(pref::kPositionTop, txtTop);
  WriteUnlessEmpty(pref::kPositionHeight, txtHeight);
  WriteUnlessEmpty(pref::kCopies, txtCopies);
  WriteUnlessEmpty(pref::kFolderDocuments, txtFolderDoc);
  WriteFlag(pref::kSaveChange, chkSaveChange);
  WriteFlag(pref::kCreateBackup, chkCreateBackup);
  WriteChoice(pref::kCreateBackupIn,
              {{optCreateBackupInOriginalFileFolder, u"1"}, {optCreateBackupInCustomFolder, u"2"}});
  modRegistry::WritePreference(pref::kBackupFolder, txtPathBackupFolder.Text());
  ApplyFont();
  modRegistry::WritePreference(pref::kTextExample, txtExample.Text());
  // The lock's values stay as they are while any copy of the program is locked.
  if (!lockPageSealed_ && !frmLockProgram::AnyCopyLocked()) {
    Write(settings::kLockedKey, settings::locked::kUser, txtUser.Text());
    Write(settings::kLockedKey, settings::locked::kPassword, txtPassword.Text());
    Write(settings::kLockedKey, settings::locked::kTip, txtTip.Text());
    WriteNumber(settings::kLockedKey, settings::locked::kDoNotShowPassword, chkDoNotShowPassword.Value());
  }
  ApplySounds();
  TimerLocked.Enabled(true);
  TimerSounds.Enabled(true);
  cmdApply.Enabled(false);
}

// The chosen printer is stored by index and name and becomes the current printer, found by its
// name (the list may be older than the system's printers).
void frmSettings::ApplyPrinter() {
  modRegistry::WritePreference(pref::kPrinters, IndexText(lstPrinters.ListIndex()));
  const std::u16string name = lstPrinters.Text();
  modRegistry::WritePreference(pref::kPrinterName, name);
  lblDefaultPrinter.Caption(u"Принтер по умолчанию: " + name);
  for (int i = 0; i < vb::Printers.Count(); ++i) {
    if (!name.empty() && vb::Printers.Item(i).DeviceName == name) {
      vb::Printer.Select(i);
      break;
    }
  }
}

void frmSettings::ApplyFont() {
  const std::u16string name = cboFontName.Text();
  if (!name.empty()) {
    modRegistry::WritePreference(pref::kFontName, name);
    settings_links::EditorFontName(name);
  }
  const std::u16string size = cboFontSize.Text();
  if (!size.empty()) {
    modRegistry::WritePreference(pref::kFontSize, size);
    // A size that is no size is stored as typed but not given to the editor.
    if (const auto points = stored_values::FontPoints(size)) settings_links::EditorFontSize(*points);
  }
}

void frmSettings::ApplySounds() {
  namespace s = settings::sounds;
  Write(settings::kSoundsKey, s::kButtonMouseMove, CheckText(chkButtonMouseMove));
  Write(settings::kSoundsKey, s::kButtonMouseClick, CheckText(chkButtonMouseClick));
  Write(settings::kSoundsKey, s::kFormLoad, CheckText(chkFormLoad));
  Write(settings::kSoundsKey, s::kFormUnload, CheckText(chkFormUnload));
  Write(settings::kSoundsKey, s::kKeyDown, CheckText(chkKeyDown));
  Write(settings::kSoundsKey, s::kButtonMouseMovePath, txtButtonMouseMove.Text());
  Write(settings::kSoundsKey, s::kButtonMouseClickPath, txtButtonMouseClick.Text());
  Write(settings::kSoundsKey, s::kFormLoadPath, txtFormLoad.Text());
  Write(settings::kSoundsKey, s::kFormUnloadPath, txtFormUnload.Text());
  Write(settings::kSoundsKey, s::kKeyDownPath, txtKeyDown.Text());
}

void frmSettings::cmdOK_Click() {
  if (cmdApply.Enabled()) cmdApply_Click();
  Hide();
}

void frmSettings::cmdCancel_Click() { Unload(); }

// Picking a printer only marks a change: the printer becomes current on Apply, so Cancel leaves the
// current printer as it was.
void frmSettings::lstPrinters_Click() { EnableApply(); }
