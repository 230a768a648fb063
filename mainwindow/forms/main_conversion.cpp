// The main window's conversion commands: the 20 directions of the Decode menu, Start, Stop and Undo
// of the conversion toolbar, the direction list, the conversion dialog and the Wizard program.
#include <array>

#include "core/decode.h"
#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/decode.h"
#include "mainwindow/forms/decoding.h"
#include "mainwindow/forms/main.h"
#include "platform/shell/shell.h"
#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"

namespace prefs = settings::preferences;

namespace {

constexpr std::array<std::u16string_view, modDecode::kDirectionCount> kDirectionKeys = {
    u"MENU:DECODE:DOS:DW", u"MENU:DECODE:DOS:DK", u"MENU:DECODE:DOS:DI", u"MENU:DECODE:DOS:DM",
    u"MENU:DECODE:WIN:WD", u"MENU:DECODE:WIN:WK", u"MENU:DECODE:WIN:WI", u"MENU:DECODE:WIN:WM",
    u"MENU:DECODE:KOI:KD", u"MENU:DECODE:KOI:KW", u"MENU:DECODE:KOI:KI", u"MENU:DECODE:KOI:KM",
    u"MENU:DECODE:ISO:ID", u"MENU:DECODE:ISO:IW", u"MENU:DECODE:ISO:IK", u"MENU:DECODE:ISO:IM",
    u"MENU:DECODE:MAC:MD", u"MENU:DECODE:MAC:MW", u"MENU:DECODE:MAC:MK", u"MENU:DECODE:MAC:MI",
};

}  // namespace

std::u16string_view frmMain::DirectionCommandKey(int direction) {
  if (direction < 0 || direction >= modDecode::kDirectionCount) return {};
  return kDirectionKeys[static_cast<std::size_t>(direction)];
}

void frmMain::ConvertDirection(int direction) {
  const auto pages = modDecode::DirectionCodePages(direction);
  // A direction chosen while a run lets events through starts nothing, and clearing the request
  // would undo a Stop the user has just asked for.
  if (!pages || modDecode::DecodeRunning()) return;
  modDecode::DecodeCancelled = false;
  Combo1.ListIndex(pages->sourceListIndex);
  Combo2.ListIndex(pages->targetListIndex);
  modDecode::DecodeDocument();
}

// The list shows the stored direction first (the settings dialog or another copy of the program may
// have stored another), so what it shows is what runs.
void frmMain::StartDecode() {
  ShowDefaultDirection();
  ConvertDirection(cmbDecode.ListIndex());
}

void frmMain::ShowDefaultDirection() {
  showingStoredDirection_ = true;
  cmbDecode.ListIndex(modDecode::StoredDefaultDirection());
  showingStoredDirection_ = false;
}

// A direction chosen in the list becomes the stored default; with "DecodeAtCodeChange" "1" it also
// converts a document that holds text at once.
void frmMain::cmbDecode_Click() {
  if (showingStoredDirection_) return;
  const int chosen = cmbDecode.ListIndex();
  if (chosen >= 0 && chosen != modDecode::StoredDefaultDirection()) {
    modRegistry::WritePreference(prefs::kDefaultCode, vb::CStr(static_cast<std::int64_t>(chosen)));
  }
  if (modRegistry::ReadPreference(prefs::kDecodeAtCodeChange) != u"1") return;
  if (RichTextBox->TextLength() == 0) return;
  StartDecode();
}

void frmMain::UnloadDecodingWindow() {
  frmDecoding& progress = DecodingWindow();
  if (progress.IsLoaded()) progress.Unload();
}

void frmMain::CmdDecodeDialog() {
  if (RichTextBox->TextLength() == 0) {
    vb::MsgBox(u"Документ не содержит текста!", vb::vbInformation, core::kProgramTitle);
    return;
  }
  DecodeDialog().Show(vb::vbModal, this);
}

void frmMain::CmdDecodeWizard() { StartWizard(vb::App.Path()); }

void frmMain::StartWizard(const std::u16string& folder) {
  const std::u16string path = folder + u"\\Wizard.exe";
  try {
    platform::shell::StartProgramFile(path);
  } catch (const vb::Error& e) {
    core::ShowErrorBox(e.Number, u"Не удалось запустить мастер перекодирования: программа Wizard не найдена в папке " +
                                     folder + u" или не может быть запущена.");
  }
}
