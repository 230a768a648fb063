// Loading the dialog: every control from its stored value, in a fixed order, at the load and again
// when a hidden dialog is opened. Setting a control raises its own change event as a user's edit
// does, so the last step disables Apply again.
#include "core/decode.h"
#include "core/number_text.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/window_placement.h"
#include "platform/vb/printer.h"
#include "platform/vb/strings.h"
#include "preferences/forms/lock_program.h"
#include "preferences/settings/main_links.h"
#include "preferences/settings/settings.h"
#include "preferences/settings/stored_values.h"

namespace {

namespace pref = settings::preferences;

std::u16string Pref(std::u16string_view name) { return modRegistry::ReadPreference(name); }

std::u16string Text(std::u16string_view key, std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, key, name).value_or(u"");
}

int Switch(std::u16string_view key, std::u16string_view name) {
  return stored_values::SwitchCheck(modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, key, name));
}

void LoadFlag(vb::CheckBox& box, std::u16string_view name) { box.Value(stored_values::FlagCheck(Pref(name))); }

// The option is selected exactly when the stored text equals its value.
void LoadChoice(vb::OptionButton& option, const std::u16string& stored, std::u16string_view value) {
  option.Value(stored == value);
}

constexpr const char16_t* kPaperSizes[] = {u"A3 297 x 420 мм", u"A4 210 x 297 мм", u"A5 148 x 210 мм",
                                           u"B4 250 x 354 мм", u"B5 182 x 257 мм"};
constexpr const char16_t* kFontSizes[] = {u"8",  u"10", u"12", u"14", u"16", u"18",
                                          u"20", u"22", u"24", u"26", u"28", u"36"};
constexpr const char16_t* kDefaultPrinterCaption = u"Принтер по умолчанию: ";

}  // namespace

void frmSettings::Form_Load() {
  mainwindow::CentreOverMainWindow(*this);
  static const char16_t* const kTabs[8] = {u"Общие", u"Перекодирование", u"Вид", u"Сохранение",
                                           u"Шрифт", u"Печать", u"Блокировка", u"Звуки"};
  static const char16_t* const kKeys[8] = {u"GENERAL", u"DECODE", u"VIEW", u"SAVING",
                                           u"FONT", u"PRINT", u"LOCKED", u"SOUNDS"};
  for (int n = 1; n <= 8; ++n) tabSettings.AddTab(kTabs[n - 1], -1, n, kKeys[n - 1], n * 1000);
  tabSettings.SelectTab(1);
  ShowPage(1);
  for (int d = 0; d < modDecode::kDirectionCount; ++d) cmbCode.AddItem(modDecode::DirectionName(d));
  for (const char16_t* size : kPaperSizes) cmbPaperSize.AddItem(size);
  settings_links::PlayLoadSound();
  settings_links::ApplyTopMost(hWnd());
  LoadStoredValues();
}

void frmSettings::Open(int modal, vb::Form& owner) {
  if (IsLoaded() && Visible()) {
    // A shown window cannot become modal; hidden, it keeps every value typed into it.
    if (modal == vb::vbModal) Hide();
  } else if (IsLoaded()) {
    LoadStoredValues();
  }
  Show(modal, &owner);
}

void frmSettings::LoadStoredValues() {
  LoadFlag(chkTopMost, pref::kTopMost);
  LoadFlag(chkWrap, pref::kViewMode);
  LoadFlag(chkStartAtStartup, pref::kStartAtStartup);
  LoadFlag(chkStartAtOpen, pref::kStartAtOpen);
  LoadFlag(chkStartAtImport, pref::kStartAtImport);
  LoadFlag(chkClearClipboard, pref::kClearClipboard);
  LoadFlag(chkManyCopies, pref::kManyCopies);
  LoadFlag(chkSaveWindowPositionAndSize, pref::kSaveWindowPositionAndSize);
  cmbCode.ListIndex(modDecode::StoredDefaultDirection());
  LoadFlag(chkClipboardDetect, pref::kClipboardDetect);
  LoadFlag(chkDecodeClipboard, pref::kDecodeClipboard);
  LoadFlag(chkDecodeAtCodeChange, pref::kDecodeAtCodeChange);
  LoadFlag(chkClipboardText, pref::kClipboardText);
  LoadFlag(chkMessageOnExit, pref::kMessageOnExit);

  const std::u16string style = Pref(pref::kStyle);
  if (style == u"System") {
    optStyleSystem.Value(true);
  } else if (style == u"OfficeXP") {
    optStyleOfficeXP.Value(true);
  }
  LoadFlag(chkToolBarStandart, pref::kToolBarStandart);
  LoadFlag(chkToolBarDecode, pref::kToolBarDecode);
  chkShowPrintingDialog.Value(Switch(settings::kDialogsKey, settings::dialogs::kPrinting));
  chkShowWelcomeDialog.Value(Switch(settings::kDialogsKey, settings::dialogs::kWelcome));
  chkShowWorkBeginDialog.Value(Switch(settings::kDialogsKey, settings::dialogs::kWorkBegin));
  chkShowSplash.Value(Switch(settings::kDialogsKey, settings::dialogs::kSplash));
  const std::u16string caption = Pref(pref::kShowInCaption);
  if (caption == u"1") {
    optShowNameOpenFile.Value(true);
  } else if (caption == u"2") {
    optShowPathOpenFile.Value(true);
  } else if (caption == u"3") {
    optShowNothing.Value(true);
  }

  LoadPrinters();
  cmbPaperSize.Text(Pref(pref::kPaperSize));
  txtLeft.Text(stored_values::DecimalInRange(Pref(pref::kPositionLeft), 0, 999));
  txtWidth.Text(stored_values::DecimalInRange(Pref(pref::kPositionWidth), 0, 999));
  txtTop.Text(stored_values::DecimalInRange(Pref(pref::kPositionTop), 0, 999));
  txtHeight.Text(stored_values::DecimalInRange(Pref(pref::kPositionHeight), 0, 999));
  txtCopies.Text(stored_values::WholeInRange(Pref(pref::kCopies), 1, 99));
  txtFolderDoc.Text(Pref(pref::kFolderDocuments));
  LoadFlag(chkSaveChange, pref::kSaveChange);
  LoadFlag(chkCreateBackup, pref::kCreateBackup);
  if (Pref(pref::kCreateBackupIn) == u"1") {
    optCreateBackupInOriginalFileFolder.Value(true);
  } else {
    optCreateBackupInCustomFolder.Value(true);
  }
  txtPathBackupFolder.Text(Pref(pref::kBackupFolder));

  LoadFont();
  LoadLocked();
  LoadSounds();
  TimerSounds.Enabled(true);
  TimerBackup.Enabled(true);
  TimerClipboard.Enabled(true);
  cmdApply.Enabled(false);
}

void frmSettings::LoadPrinters() {
  lstPrinters.Clear();
  for (int i = 0; i < vb::Printers.Count(); ++i) lstPrinters.AddItem(vb::Printers.Item(i).DeviceName);
  LoadChoice(optQDraft, Pref(pref::kPrintQuality), u"vbPRPQDraft");
  LoadChoice(optQLow, Pref(pref::kPrintQuality), u"vbPRPQLow");
  LoadChoice(optQMedium, Pref(pref::kPrintQuality), u"vbPRPQMedium");
  LoadChoice(optQHigh, Pref(pref::kPrintQuality), u"vbPRPQHigh");
  LoadChoice(optPortrait, Pref(pref::kOrientation), u"vbPRORPortrait");
  LoadChoice(optLandscape, Pref(pref::kOrientation), u"vbPRORLandscape");
  LoadChoice(optCMColor, Pref(pref::kColorMode), u"vbPRCMColor");
  LoadChoice(optCMMonochrome, Pref(pref::kColorMode), u"vbPRCMMonochrome");
  if (lstPrinters.ListCount() > 0) {
    const int index = StoredPrinterIndex();
    lstPrinters.ListIndex(index);
    vb::Printer.Select(index);
  } else {
    for (vb::Control* c : std::initializer_list<vb::Control*>{
             &optPortrait, &optLandscape, &optQDraft, &optQLow, &optQMedium, &optQHigh, &optCMColor,
             &optCMMonochrome, &txtLeft, &txtWidth, &txtTop, &txtHeight, &txtCopies, &cmbPaperSize, &lstPrinters}) {
      c->Enabled(false);
    }
  }
  lblDefaultPrinter.Caption(kDefaultPrinterCaption + lstPrinters.Text());
}

// The printer the settings name: by its stored name while that printer is installed, else by its
// stored index; a printer that is gone, or a stored value that names none, gives the system's
// default printer. A fresh profile gets the first printer.
int frmSettings::StoredPrinterIndex() {
  const int count = lstPrinters.ListCount();
  auto find = [&](const std::u16string& name) {
    for (int i = 0; i < count; ++i) {
      if (lstPrinters.List(i) == name) return i;
    }
    return -1;
  };
  const int fallback = std::max(0, find(platform::printing::DefaultPrinterName()));
  const std::u16string name = Pref(pref::kPrinterName);
  if (!name.empty()) {
    const int byName = find(name);
    return byName >= 0 ? byName : fallback;
  }
  const std::u16string stored = Pref(pref::kPrinters);
  if (stored.empty()) return 0;
  const auto index = number_text::WholeNumber(stored);
  return index && *index >= 0 && *index < count ? *index : fallback;
}

// The font the page shows: the stored one, or the editor's own while none is stored (a new
// profile), which is the font the editor writes in.
std::u16string frmSettings::FontNameShown() {
  const std::u16string stored = modRegistry::ReadFontName();
  return stored.empty() ? settings_links::EditorFontName() : stored;
}

std::u16string frmSettings::FontSizeShown() {
  const std::u16string stored = Pref(pref::kFontSize);
  if (stored_values::FontPoints(stored)) return stored;
  const double editor = settings_links::EditorFontSize();
  return editor > 0 ? vb::CStr(editor) : std::u16string();
}

void frmSettings::LoadFont() {
  cboFontSize.Clear();
  for (const char16_t* size : kFontSizes) cboFontSize.AddItem(size);
  const std::u16string size = FontSizeShown();
  const auto points = stored_values::FontPoints(size);
  cboFontSize.Text(size);
  const std::u16string name = FontNameShown();
  cboFontName.Text(name);
  txtExample.Text(Pref(pref::kTextExample));
  // An empty name, a name no font can have or a size that is no size keeps the sample in the
  // dialog's own font.
  if (!name.empty()) lblExample.FontName(name);
  if (points) lblExample.FontSize(*points);
}

void frmSettings::LoadLocked() {
  txtUser.Text(Text(settings::kLockedKey, settings::locked::kUser));
  txtPassword.Text(Text(settings::kLockedKey, settings::locked::kPassword));
  txtTip.Text(Text(settings::kLockedKey, settings::locked::kTip));
  const int mask = modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, settings::kLockedKey,
                                                  settings::locked::kDoNotShowPassword);
  chkDoNotShowPassword.Value(stored_values::SwitchCheck(mask));
  txtPassword.PasswordChar(mask == 1 ? u'*' : 0);
  lockPageSealed_ = false;
  FollowProgramLock();
}

// While a copy of the program is locked (another one, with several copies allowed), the lock page
// shows no password and takes no change: whoever finds the program locked can neither read nor
// replace its password here. The page follows at load and whenever the dialog is activated.
void frmSettings::FollowProgramLock() {
  const bool locked = frmLockProgram::AnyCopyLocked();
  if (locked == lockPageSealed_) return;
  lockPageSealed_ = locked;
  txtPassword.Text(locked ? std::u16string() : Text(settings::kLockedKey, settings::locked::kPassword));
  for (vb::TextBox* box : {&txtUser, &txtPassword, &txtTip}) box->Enabled(!locked);
  chkDoNotShowPassword.Enabled(!locked);
}

void frmSettings::LoadSounds() {
  namespace s = settings::sounds;
  auto flag = [](vb::CheckBox& box, std::u16string_view name) {
    box.Value(stored_values::FlagCheck(Text(settings::kSoundsKey, name)));
  };
  flag(chkButtonMouseMove, s::kButtonMouseMove);
  flag(chkButtonMouseClick, s::kButtonMouseClick);
  flag(chkFormLoad, s::kFormLoad);
  flag(chkFormUnload, s::kFormUnload);
  flag(chkKeyDown, s::kKeyDown);
  txtButtonMouseMove.Text(Text(settings::kSoundsKey, s::kButtonMouseMovePath));
  txtButtonMouseClick.Text(Text(settings::kSoundsKey, s::kButtonMouseClickPath));
  txtFormLoad.Text(Text(settings::kSoundsKey, s::kFormLoadPath));
  txtFormUnload.Text(Text(settings::kSoundsKey, s::kFormUnloadPath));
  txtKeyDown.Text(Text(settings::kSoundsKey, s::kKeyDownPath));
}
