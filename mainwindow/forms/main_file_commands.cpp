// The File menu's commands (and Insert's text file, which reads a file the same way): new, open,
// reload, save, the toolbar's save, RTF import, insert text file and exit.
//
// Loading a document raises the editor's change event, which marks the document; what was just
// loaded from its file (or emptied by New) is unmarked again afterwards. Nothing marks the document
// saved unless its file was written.
#include "core/decode.h"
#include "core/document.h"
#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/window_chrome.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"

namespace prefs = settings::preferences;

// Asked only when "SaveChange" is "1": a flag is on only as "1", and a new profile asks nothing, as
// the close of the main window does. Only No drops a changed document.
bool frmMain::SaveQuestion() {
  if (modRegistry::ReadPreference(prefs::kSaveChange) != u"1" || !DocumentModified) return true;
  const int answer = vb::MsgBox(u"Документ был изменен. Вы хотите сохранить сделанные изменения?",
                                vb::vbYesNo | vb::vbQuestion, core::kProgramTitle);
  if (answer == vb::vbNo) return true;
  return SaveWhereItBelongs(true);
}

// The document's own file is the one Save writes to (a document saved with Save As); any other
// document goes through the save dialog.
bool frmMain::SaveWhereItBelongs(bool loadSound) {
  if (modDocument::DocumentSavedAs && !modDocument::DocumentPath().empty()) {
    if (!modDocument::SaveDocument()) return false;
  } else {
    if (loadSound) chrome::PlaySoundEvent(chrome::kFormLoad);
    if (!modDocument::SaveDocumentAs()) return false;
  }
  DocumentModified = false;
  return true;
}

// A new document has no file: the next Save asks for one instead of writing over the last file.
void frmMain::CmdFileNew() {
  if (!SaveQuestion()) return;
  RichTextBox->Text(u"");
  modDocument::Reset();
  ApplyCaption();
  DocumentModified = false;
}

// The dialog starts with no file chosen: the shared dialog may still hold a file another command
// picked (a sound file of the settings dialog, an imported file).
void frmMain::CmdFileOpen() {
  chrome::PlaySoundEvent(chrome::kFormLoad);
  if (!SaveQuestion()) return;
  CommonDialog.FileName.clear();
  // A document converted as it opened, or taken from the copy of a cut-short save, differs from
  // its file.
  if (modDocument::OpenDocument()) DocumentModified = modDecode::DocumentDecoded || modDocument::DocumentRecovered;
}

void frmMain::ReloadDocument() {
  if (modDocument::ReloadDocument()) DocumentModified = modDocument::DocumentRecovered;
}

void frmMain::CmdFileSave() {
  if (modDocument::SaveDocument()) DocumentModified = false;
}

// The menu's Save is offered exactly when the document has its own file (the command-state
// refresh), so that is asked directly rather than through the item's last refreshed state.
void frmMain::CmdToolbarSave() { SaveWhereItBelongs(false); }

void frmMain::CmdFileImportRtf() {
  chrome::PlaySoundEvent(chrome::kFormLoad);
  if (!modDocument::ImportDocument(u"RTF файлы (*.rtf)|*.rtf", u"*.rtf", u"Импорт текста из *.rtf файла")) return;
  vb::RichTextBox& import = *RichTextBoxImport;
  ReplaceSelection(import.Text());
  import.SelStart(0);
  modDocument::ConvertAfterImport();
}

// A file that cannot be read reports its error and leaves the editor as it was.
void frmMain::CmdInsertTextFile() {
  try {
    chrome::PlaySoundEvent(chrome::kFormLoad);
    CommonDialog.FileName.clear();
    CommonDialog.DialogTitle = u"Выберите файл для вставки...";
    CommonDialog.Filter = u"Текстовые файлы (*.txt)|*.txt";
    CommonDialog.DefaultExt = u"*.txt";
    CommonDialog.ShowOpen();
    if (CommonDialog.FileName.empty()) return;
    vb::RichTextBox& temp = *rtfTemp;
    temp.LoadFile(CommonDialog.FileName);
    const std::u16string text = temp.Text();
    temp.Text(u"");
    ReplaceSelection(text);
  } catch (const vb::Error& e) {
    if (e.Number > 0) core::ShowErrorBox(e.Number, e.Description);
  }
}

void frmMain::CmdFileExit() { Unload(); }
