// The browse buttons (folders and wave files) and the two buttons that open the desktop's printer
// settings.
#include "controls/common_dialog.h"
#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/shell/shell.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"
#include "preferences/settings/main_links.h"
#include "preferences/settings/settings.h"

// The folder browser keeps the folder last chosen in either browse while the dialog stays loaded.
// A cancelled browse leaves the box as it was.
void frmSettings::BrowseFolder(vb::TextBox& box, const std::u16string& prompt) {
  if (!folderDialog_) folderDialog_ = std::make_unique<clsCommonDialog>();
  clsCommonDialog& dialog = *folderDialog_;
  dialog.hOwner = hWnd();
  dialog.DialogPrompt = prompt;
  dialog.flags = 0x4001;
  const std::u16string previous = dialog.InitDir;
  dialog.InitDir.clear();
  dialog.ShowFolder();
  if (dialog.InitDir.empty()) {
    dialog.InitDir = previous;
    return;
  }
  box.Text(dialog.InitDir);
}

// A wave file through the main window's shared file dialog, starting in the documents folder. A
// cancelled dialog leaves the box as it was, and the dialog keeps the file it held before.
void frmSettings::BrowseWave(vb::TextBox& box) {
  vb::CommonDialog* dialog = settings_links::SharedFileDialog();
  if (dialog == nullptr) return;
  const std::u16string previous = dialog->FileName;
  try {
    dialog->Filter = u"Wav файлы (*.wav)|*.wav|";
    dialog->DefaultExt = u"*.wav";
    dialog->DialogTitle = u"Выберите файл...";
    dialog->InitDir = modRegistry::ReadPreference(settings::preferences::kFolderDocuments);
    dialog->FileName.clear();
    dialog->ShowOpen();
    if (dialog->FileName.empty()) {
      dialog->FileName = previous;
      return;
    }
    box.Text(dialog->FileName);
  } catch (const vb::Error& e) {
    if (dialog->FileName.empty()) dialog->FileName = previous;
    core::ShowErrorBox(e.Number, e.Description);
  }
}

// The desktop's printer settings: its printer tool when installed, else the print server's web
// pages in the browser; when neither starts, the user is told.
void frmSettings::OpenPrinterSettings(std::u16string_view webPage) {
  try {
    platform::shell::StartProgramFile(u"system-config-printer");
    return;
  } catch (const vb::Error&) {
  }
  if (win::ShellExecuteA(hWnd(), u"open", webPage, u"", u"", 1) > 32) return;
  vb::MsgBox(u"Не удалось открыть настройки принтеров: программа system-config-printer не установлена, "
             u"а страница сервера печати CUPS (" + std::u16string(webPage) + u") не открылась.",
             vb::vbExclamation, core::kProgramTitle);
}

void frmSettings::cmdPrintersAndFaxs_Click() { OpenPrinterSettings(u"http://localhost:631/printers/"); }

void frmSettings::cmdPrinterSetup_Click() { OpenPrinterSettings(u"http://localhost:631/admin/"); }
