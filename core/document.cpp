#include "core/document.h"

#include <chrono>
#include <optional>

#include "core/decode.h"
#include "core/document_file.h"
#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/codepage/codepage.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/richedit/rtf_reader.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/screen.h"

namespace modDocument {
namespace {

namespace prefs = settings::preferences;
using Clock = std::chrono::steady_clock;

constexpr char16_t kFilter[] = u"Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*|";
constexpr char16_t kDefaultExt[] = u"*.txt|*.*";

// What the document in the editor is and how its file is laid out.
struct Document {
  std::u16string path;
  FileLayout layout;
};
Document document;
// The content of a document file as it was when opened or reloaded, or when last saved with a
// backup written: the body of the next backup of that file, as the bytes to write.
// While backups are off, no body is kept (a large document's file is not held twice): a backup
// written after they are switched on holds the file as it is on disk then.
struct Backup {
  std::u16string path;
  std::string bytes;
  bool kept = false;
};
Backup backup;

// Makes `next` the kept backup. The old body's memory goes with it: an assignment of a shorter body
// would keep its room.
void KeepBackup(Backup next) { std::swap(backup, next); }


// The busy pointer over the whole program while a document is read or written: a large one takes
// seconds.
class BusyPointer {
 public:
  BusyPointer() : before_(vb::Screen.MousePointer()) { vb::Screen.MousePointer(kHourglass); }
  ~BusyPointer() { vb::Screen.MousePointer(before_); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  static constexpr int kHourglass = 11;
  int before_;
};

void SetUpDialog(const std::u16string& title, const std::u16string& filter = kFilter,
                 const std::u16string& defaultExt = kDefaultExt) {
  vb::CommonDialog& dialog = core::frmMain().CommonDialog();
  dialog.Filter = filter;
  dialog.DefaultExt = defaultExt;
  dialog.DialogTitle = title;
  dialog.InitDir = modRegistry::ReadPreference(prefs::kFolderDocuments);
}

void ApplyCaptionRule() {
  const std::u16string mode = modRegistry::ReadPreference(prefs::kShowInCaption);
  std::u16string shown;
  if (mode == u"1") {
    shown = vb::FileTitleOf(document.path);
  } else if (mode == u"2") {
    shown = document.path;
  } else {
    return;
  }
  core::frmMain().Caption(std::u16string(core::kProgramTitle) + u" - [" + shown + u"]");
}

std::u16string WithoutFinalBreak(std::u16string text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, u"\r\n") == 0) {
    text.resize(text.size() - 2);
  } else if (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) {
    text.pop_back();
  }
  return text;
}

// The progress of an open that takes long: the open progress window shows once the open has run
// a while, and its Cancel stops the open. The editor takes no typing meanwhile.
class OpenProgress {
 public:
  OpenProgress(const std::u16string& path, Clock::time_point started, vb::RichTextBox& editor)
      : path_(path), started_(started), editor_(editor), wasLocked_(editor.Locked()) {}
  ~OpenProgress() {
    if (!shown_) return;
    if (OpeningWindowServices* window = core::frmOpening()) window->Hide();
    editor_.Locked(wasLocked_);
  }
  OpenProgress(const OpenProgress&) = delete;
  OpenProgress& operator=(const OpenProgress&) = delete;

  // False once the user cancelled.
  bool Step(std::size_t done, std::size_t total) {
    OpeningWindowServices* window = core::frmOpening();
    if (window == nullptr) return true;
    if (!shown_) {
      if (Clock::now() - started_ < std::chrono::milliseconds(OpenProgressDelayMs)) return true;
      shown_ = true;
      editor_.Locked(true);
      // The window takes clicks: the ordinary pointer, not the busy one, until the open ends.
      vb::Screen.MousePointer(0);
      window->Show(path_);
    }
    window->Value(static_cast<float>(100.0 * static_cast<double>(done) / static_cast<double>(total)));
    return !window->Cancelled();
  }

 private:
  const std::u16string& path_;
  Clock::time_point started_;
  vb::RichTextBox& editor_;
  bool wasLocked_;
  bool shown_ = false;
};

// A save of the file was cut short while the file was rewritten, and left a copy of the text it was
// saving: the file itself may be torn. The user is told, with where the copy lies and what each
// answer does; the copy stays until the file is saved whole again.
int AskAboutInterruptedSave(const std::u16string& path, const vb::InterruptedSave& copy) {
  std::u16string prompt = u"Сохранение документа \"" + vb::FileTitleOf(path) +
                          u"\" не было завершено: программа была закрыта или компьютер выключен во время записи, "
                          u"поэтому файл может содержать испорченный текст.\n\n";
  int buttons = vb::vbExclamation;
  if (copy.damaged) {
    // Nothing can be taken from it: open the file as it is (OK) or nothing (Cancel).
    prompt += u"Копия текста, который тогда сохранялся, повреждена (её содержимое не сходится с контрольными "
              u"суммами), и взять текст из неё нельзя:\n" +
              copy.copyPath + u"\n\nОК — открыть файл как есть.\nОтмена — не открывать документ.";
    buttons |= vb::vbOKCancel;
  } else {
    // The copy's text (Yes), the file's (No), or none (Cancel).
    prompt += u"Полный текст, который тогда сохранялся, уцелел в копии:\n" + copy.copyPath +
              u"\n\nДа — открыть текст из копии (затем сохраните документ).\nНет — открыть файл как есть.\n"
              u"Отмена — не открывать документ.";
    buttons |= vb::vbYesNoCancel;
  }
  return vb::MsgBox(prompt + u"\n\nКопия будет удалена, когда документ будет сохранён в этот файл.", buttons,
                    core::kProgramTitle);
}

// Loads the file into the editor, less one final line break, keeps its bytes as the body of the
// next backup, and makes it the document in the editor. An RTF document shows its text. False when
// the user cancelled the open at its progress window: then nothing changed.
bool LoadDocument(const std::u16string& path) {
  BusyPointer busy;
  const Clock::time_point started = Clock::now();
  // A missing or unreadable file, one that is no regular file or too large stops here.
  std::string bytes = vb::ReadAllBytes(path, vb::kMaxDocumentBytes);
  vb::RemoveLeftoverTemporaries(path);
  bool recovered = false;
  if (std::optional<vb::InterruptedSave> copy = vb::FindInterruptedSave(path, bytes)) {
    const int answer = AskAboutInterruptedSave(path, *copy);
    if (answer == vb::vbCancel) return false;
    recovered = answer == vb::vbYes;
    if (recovered) bytes = std::move(copy->bytes);
  }
  vb::RichTextBox& editor = core::frmMain().RichTextBox();
  Document loaded;
  loaded.path = path;
  const bool keep = modRegistry::ReadPreference(prefs::kCreateBackup) == u"1";
  if (!recovered && platform::rtf::LooksLikeRtf(bytes)) {
    editor.LoadFile(path);
    editor.Text(WithoutFinalBreak(editor.Text()));
  } else {
    DecodedFile file = DecodeFile(bytes);
    if (!keep) std::string().swap(bytes);  // not held while the editor takes the text
    loaded.layout = file.layout;
    if (file.text.size() < StepwiseOpenFrom) {
      editor.TakeText(std::move(file.text));
    } else {
      OpenProgress progress(path, started, editor);
      if (!editor.TakeText(std::move(file.text),
                           [&](std::size_t done, std::size_t total) { return progress.Step(done, total); }))
        return false;
    }
    editor.LineBreakTags(std::move(file.tags));
  }
  document = loaded;
  KeepBackup(keep ? Backup{path, std::move(bytes), true} : Backup{path, {}, false});
  DocumentRecovered = recovered;
  return true;
}

std::u16string BackupPath(const std::u16string& path) {
  const std::u16string place = modRegistry::ReadPreference(prefs::kCreateBackupIn);
  if (place == u"1") return path + u".bak";
  if (place == u"2") {
    std::u16string folder = modRegistry::ReadPreference(prefs::kBackupFolder);
    if (!folder.empty() && folder.back() != u'/' && folder.back() != u'\\') folder += u'/';
    return folder + vb::FileTitleOf(path) + u".bak";
  }
  return {};
}

// The file as it is on disk, for its backup. It is read whole, so a file larger than a document may
// be is not read (it could take all the memory, and the unsaved text with it): the save stops there,
// the file as it was, and says why.
std::string FileForBackup(const std::u16string& path) {
  try {
    return vb::ReadAllBytes(path, vb::kMaxDocumentBytes);
  } catch (vb::Error& e) {
    e.Description += u"\r\nРезервная копия этого файла не сделана, и документ в него не сохранён.";
    throw;
  }
}

bool Confirmed(const std::u16string& question) {
  return vb::MsgBox(question, vb::vbYesNo | vb::vbQuestion, core::kProgramTitle) == vb::vbYes;
}

// Writes the editor's text to `path`: the backup first, then the document through a new file that
// replaces the old one only when complete, so a failure leaves the old file as it was. False when
// nothing was written (the user kept a file from changing in a way it would not want).
bool WriteDocument(const std::u16string& path, Document layout) {
  MainWindowServices& main = core::frmMain();
  const vb::RichTextBox& editor = main.RichTextBox();
  bool lossy = false;
  // Read a stretch at a time: a large document's text is not built whole beside its bytes. A text the
  // editor keeps in Windows-1251 bytes is written from them as they are.
  FileEncoder encoder(editor.LineBreakTags(), layout.layout, static_cast<std::size_t>(editor.TextLength()));
  if (!editor.ReadBytes([&](std::string_view stretch) { encoder.PutBytes(stretch); }))
    editor.ReadText([&](std::u16string_view stretch) { encoder.Put(stretch); });
  std::string bytes = encoder.Finish(&lossy);
  if (lossy && !Confirmed(u"Документ содержит символы, которых нет в кодировке Windows 1251. При сохранении они будут "
                          u"заменены знаком \"?\".\nСохранить документ?"))
    return false;
  if (platform::rtf::LooksLikeRtf(vb::ReadFileStart(path, 8).bytes) &&
      !Confirmed(u"Файл \"" + vb::FileTitleOf(path) + u"\" содержит форматированный текст (RTF). Если сохранить в "
                 u"него документ, оформление будет потеряно и файл станет простым текстом.\nСохранить документ?"))
    return false;

  BusyPointer busy;
  vb::CheckWritable(path);  // a document that may not be written gets no backup either
  bool backupWritten = false;
  if (modRegistry::ReadPreference(prefs::kCreateBackup) == u"1") {
    const std::u16string backupPath = BackupPath(path);
    if (!backupPath.empty()) {
      // The backup holds the file's content before this save: the kept bytes when they are this
      // file's, else the file as it is on disk (when there is one).
      if (backup.path == path && backup.kept) {
        vb::WriteAllBytesSafely(backupPath, backup.bytes);
        backupWritten = true;
      } else if (vb::FileExists(path)) {
        vb::WriteAllBytesSafely(backupPath, FileForBackup(path));
        backupWritten = true;
      }
    }
  }
  vb::WriteAllBytesSafely(path, bytes);
  layout.path = path;
  document = layout;
  DocumentRecovered = false;
  if (backupWritten) {
    // The next backup holds the version just saved.
    KeepBackup(Backup{path, std::move(bytes), true});
  }
  ApplyCaptionRule();
  return true;
}

template <typename F>
auto Reported(F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (const vb::Error& e) {
    if (e.Number > 0) core::ShowErrorBox(e.Number, e.Description);
    return decltype(f())();
  }
}

}  // namespace

const std::u16string& DocumentPath() { return document.path; }

void Reset() {
  DocumentRecovered = false;
  document = Document();
  KeepBackup(Backup());
  DocumentOpened = false;
  DocumentSavedAs = false;
}

bool OpenDocument() {
  return Reported([] {
    SetUpDialog(u"Открытие документа");
    vb::CommonDialog& dialog = core::frmMain().CommonDialog();
    const std::u16string before = dialog.FileName;
    dialog.ShowOpen();
    if (dialog.FileName.empty()) return false;
    if (!LoadDocument(dialog.FileName)) {
      dialog.FileName = before;  // a cancelled open leaves everything as it was
      return false;
    }
    DocumentOpened = true;
    // Another document: Save no longer points at the last one, and its conversion cannot be undone.
    DocumentSavedAs = false;
    modDecode::DocumentDecoded = false;
    ApplyCaptionRule();
    if (modRegistry::ReadPreference(prefs::kStartAtOpen) == u"1") core::frmMain().StartDecode();
    return true;
  });
}

bool ReloadDocument() {
  return Reported([] {
    if (document.path.empty()) return false;
    const std::u16string path = document.path;
    const bool savedAs = DocumentSavedAs;
    if (!LoadDocument(path)) return false;
    DocumentSavedAs = savedAs;
    ApplyCaptionRule();
    return true;
  });
}

bool SaveDocumentAs() {
  return Reported([] {
    SetUpDialog(u"Сохранение документа");
    vb::CommonDialog& dialog = core::frmMain().CommonDialog();
    dialog.ShowSave();
    if (dialog.FileName.empty()) return false;
    const std::u16string path = dialog.FileName;
    if (!WriteDocument(path, document)) return false;
    DocumentSavedAs = true;
    modRegistry::WritePreference(prefs::kSaveFileName, path);
    return true;
  });
}

bool SaveDocument() {
  return Reported([] {
    if (!DocumentSavedAs || document.path.empty()) return false;
    core::frmMain().CommonDialog().FileName = document.path;
    return WriteDocument(document.path, document);
  });
}

bool ImportDocument(const std::u16string& filter, const std::u16string& defaultExt, const std::u16string& title) {
  return Reported([&] {
    SetUpDialog(title, filter, defaultExt);
    vb::CommonDialog& dialog = core::frmMain().CommonDialog();
    dialog.FileName.clear();
    dialog.ShowOpen();
    if (dialog.FileName.empty()) return false;
    vb::RichTextBox& import = core::frmMain().RichTextBoxImport();
    import.FileName(dialog.FileName);
    if (import.TextLength() == 0) {
      // An empty file, or a document with no text in it: nothing changes, and the user is told why.
      vb::MsgBox(u"В файле \"" + vb::FileTitleOf(dialog.FileName) + u"\" нет текста: импортировать нечего.",
                 vb::vbInformation, core::kProgramTitle);
      return false;
    }
    DocumentOpened = true;
    DocumentRecovered = false;
    // The imported text is a new document: Save As is needed, and no conversion undo carries over.
    document = Document();
    document.path = dialog.FileName;
    DocumentSavedAs = false;
    modDecode::DocumentDecoded = false;
    return true;
  });
}

void ConvertAfterImport() {
  if (modRegistry::ReadPreference(prefs::kStartAtImport) == u"1") core::frmMain().StartDecode();
}

void ClearClipboardContents() { vb::Clipboard.Clear(); }

}  // namespace modDocument
