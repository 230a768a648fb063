// The File menu's commands on the real main window: the save question of New and Open on every
// stored value, where Yes saves and what happens when that save does not happen, the saves that
// unmark only a written document, loading that leaves the document unmarked, and the two commands
// that bring a file's text in without the clipboard.
#include <algorithm>
#include <filesystem>

#include "main_window_support.h"
#include "mainwindow/clipboard_memory.h"
#include "platform/media/sound.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/win/keys.h"

using namespace qmtest;
using platform::script::Kind;
namespace prefs = settings::preferences;

namespace {

constexpr char16_t kSaveQuestion[] = u"Документ был изменен. Вы хотите сохранить сделанные изменения?";
const std::string kPrivet = "\xcf\xf0\xe8\xe2\xe5\xf2";  // "Привет" in Windows 1251

// A new document is written with one final line break.

class FileCommands : public MainWindowTest {
 protected:
  // The save question is on unless a test says otherwise.
  FileCommands() {
    modDocument::Reset();
    SetPref(prefs::kSaveChange, u"1");
  }
  // A changed document in the editor.
  void Changed(std::u16string_view text = u"черновик") {
    editor().Text(text);
    ASSERT_TRUE(w().DocumentModified);
  }
  std::filesystem::path File(const char* name, const std::string& bytes) {
    const auto p = dir.path() / name;
    WriteBytes(p, bytes);
    return p;
  }
  // A document that Save writes to: saved once through Save As.
  std::filesystem::path SavedDocument(std::u16string_view text) {
    const auto p = dir.path() / "doc.txt";
    editor().Text(text);
    Answer(Kind::SaveFile, 1, U(p));
    w().CmdFileSaveAs();
    EXPECT_FALSE(w().DocumentModified);
    return p;
  }
  TempDir dir;
};

TEST_F(FileCommands, NewAndOpenAskOnlyWhenSaveChangeIsOne) {
  // "1" asks; No goes on with an empty, unmarked document.
  SetPref(prefs::kSaveChange, u"1");
  Changed();
  AnswerBox(vb::vbNo);
  mainwindow::RouteButtonClick(u"MENU:FILE:NEW", w());
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{kSaveQuestion});
  EXPECT_EQ(editor().Text(), u"");
  EXPECT_FALSE(w().DocumentModified);
  // A flag is on only as "1": absent (a new profile), "0" or any other text asks nothing.
  const auto file = File("plain.txt", "\xf4\xe0\xe9\xeb");  // "файл" in Windows 1251
  for (const char16_t* stored : {u"", u"0", u"yes", u"2"}) {
    SetPref(prefs::kSaveChange, stored);
    Changed();
    platform::script::Log().clear();
    mainwindow::RouteButtonClick(u"TOOLBAR:NEW", w());
    EXPECT_TRUE(Prompts().empty()) << vb::ToUtf8(stored);
    EXPECT_EQ(editor().Text(), u"");
    Changed();
    Answer(Kind::OpenFile, 1, U(file));
    mainwindow::RouteButtonClick(u"MENU:FILE:OPEN", w());
    const std::vector<std::u16string> prompts = Prompts();
    EXPECT_EQ(std::count(prompts.begin(), prompts.end(), kSaveQuestion), 0) << vb::ToUtf8(stored);
    EXPECT_EQ(editor().Text(), u"файл");
  }
  // An unchanged document needs no question.
  SetPref(prefs::kSaveChange, u"1");
  platform::script::Log().clear();
  w().CmdFileNew();
  EXPECT_TRUE(Prompts().empty());
}

// Only No drops the changed document: any other answer to the question (as a box closed without a
// button once gave) goes to the save.
TEST_F(FileCommands, OnlyNoDropsTheChangedDocument) {
  Changed(u"важный текст");
  AnswerBox(vb::vbCancel);
  Answer(Kind::SaveFile, 0);
  w().CmdFileNew();
  EXPECT_EQ(editor().Text(), u"важный текст");
  EXPECT_TRUE(w().DocumentModified);
}

TEST_F(FileCommands, YesWithoutAFileAsksWhereAndACancelledSaveKeepsEverything) {
  Changed(u"важный текст");
  AnswerBox(vb::vbYes);
  Answer(Kind::SaveFile, 0);
  w().CmdFileNew();
  EXPECT_EQ(editor().Text(), u"важный текст");
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_FALSE(modDocument::DocumentSavedAs);
  EXPECT_EQ(platform::script::Log().back().title, u"Сохранение документа");

  // Saved: the file holds the text, then the new document comes.
  const auto p = dir.path() / "saved.txt";
  AnswerBox(vb::vbYes);
  Answer(Kind::SaveFile, 1, U(p));
  w().CmdFileNew();
  EXPECT_EQ(ReadBytes(p), "\xe2\xe0\xe6\xed\xfb\xe9 \xf2\xe5\xea\xf1\xf2\r\n");
  EXPECT_EQ(editor().Text(), u"");
  EXPECT_FALSE(w().DocumentModified);
}

TEST_F(FileCommands, YesSavesToTheDocumentsOwnFileAndAFailedSaveStopsOpen) {
  const auto p = SavedDocument(u"один");
  Changed(u"два");
  const auto other = File("other.txt", kPrivet);
  AnswerBox(vb::vbYes);  // no dialog: the document has its file
  Answer(Kind::OpenFile, 1, U(other));
  w().CmdFileOpen();
  EXPECT_EQ(ReadBytes(p), "\xe4\xe2\xe0\r\n");
  EXPECT_EQ(editor().Text(), u"Привет");
  EXPECT_FALSE(w().DocumentModified);

  // A text Windows 1251 cannot hold, kept from its file by the user: not written, not opened.
  SavedDocument(u"три");
  Changed(u"смайл 😀");
  AnswerBox(vb::vbYes);
  AnswerBox(vb::vbNo);  // "... will be replaced by "?". Save?"
  w().CmdFileOpen();
  EXPECT_EQ(editor().Text(), u"смайл 😀");
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_EQ(ReadBytes(p), "\xf2\xf0\xe8");  // the layout of the file it came from
}

TEST_F(FileCommands, OpenPlaysTheLoadSoundBeforeItsQuestionAndLeavesTheDocumentUnmarked) {
  const auto wav = File("load.wav", SilentWave(80));
  Changed();
  SetSound(u"FormLoad", u"1");
  SetSound(u"FormLoadPath", U(wav));
  win::sndPlaySoundA(std::u16string_view(), win::SND_ASYNC);  // nothing playing
  ASSERT_EQ(platform::testing::CurrentSound(), u"");
  // A save that does not happen stops the command after the sound.
  AnswerBox(vb::vbYes);
  Answer(Kind::SaveFile, 0);
  w().CmdFileOpen();
  EXPECT_EQ(platform::testing::CurrentSound(), U(wav));
  AnswerBox(vb::vbNo);
  Answer(Kind::OpenFile, 0);
  w().CmdFileOpen();
  // Cancelled: the document and its mark stay.
  EXPECT_EQ(editor().Text(), u"черновик");
  EXPECT_TRUE(w().DocumentModified);

  // The shared dialog still names the sound file a settings browse chose: a cancelled open loads
  // nothing from it.
  w().CommonDialog.FileName = U(wav);
  AnswerBox(vb::vbNo);
  Answer(Kind::OpenFile, 0);
  w().CmdFileOpen();
  EXPECT_EQ(editor().Text(), u"черновик");

  const auto p = File("a.txt", kPrivet + "\r\n" + kPrivet);
  AnswerBox(vb::vbNo);
  Answer(Kind::OpenFile, 1, U(p));
  w().CmdFileOpen();
  EXPECT_EQ(editor().Text(), u"Привет\r\nПривет");
  EXPECT_FALSE(w().DocumentModified);

  // Reload: unmarked again.
  editor().Text(u"правка");
  mainwindow::RouteButtonClick(u"MENU:FILE:REOPEN", w());
  EXPECT_EQ(editor().Text(), u"Привет\r\nПривет");
  EXPECT_FALSE(w().DocumentModified);
}

TEST_F(FileCommands, ADocumentConvertedAsItOpensIsMarked) {
  SetPref(prefs::kStartAtOpen, u"1");
  SetPref(prefs::kDefaultCode, u"4");
  const auto p = File("a.txt", kPrivet);
  Answer(Kind::OpenFile, 1, U(p));
  w().CmdFileOpen();
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(u"Привет", 2, 1));
  EXPECT_TRUE(w().DocumentModified);
}

TEST_F(FileCommands, NewForgetsTheFileSoSaveNeverWritesOverIt) {
  const auto p = SavedDocument(u"старый");
  Changed(u"старый и новый");
  AnswerBox(vb::vbNo);
  w().CmdFileNew();
  editor().Text(u"совсем другой");
  Answer(Kind::SaveFile, 0);
  mainwindow::RouteButtonClick(u"TOOLBAR:SAVE", w());  // asks for a file
  EXPECT_EQ(ReadBytes(p), "\xf1\xf2\xe0\xf0\xfb\xe9\r\n");
  w().CmdFileSave();  // the menu's Save has no file to write to
  EXPECT_EQ(ReadBytes(p), "\xf1\xf2\xe0\xf0\xfb\xe9\r\n");
  EXPECT_TRUE(w().DocumentModified);
}

TEST_F(FileCommands, SavesUnmarkOnlyAWrittenDocument) {
  Changed();
  w().CmdFileSave();  // no file of its own
  EXPECT_TRUE(w().DocumentModified);
  Answer(Kind::SaveFile, 0);
  w().CmdFileSaveAs();
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_FALSE(modDocument::DocumentSavedAs);
  Answer(Kind::SaveFile, 0);
  w().CmdToolbarSave();
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_FALSE(modDocument::DocumentSavedAs);

  // The toolbar's Save through the dialog; the next one writes without asking.
  const auto p = dir.path() / "t.txt";
  Answer(Kind::SaveFile, 1, U(p));
  w().CmdToolbarSave();
  EXPECT_FALSE(w().DocumentModified);
  EXPECT_TRUE(modDocument::DocumentSavedAs);
  editor().Text(u"дальше");
  w().CmdToolbarSave();
  EXPECT_EQ(ReadBytes(p), "\xe4\xe0\xeb\xfc\xf8\xe5\r\n");
  EXPECT_FALSE(w().DocumentModified);

  editor().Text(u"ещё 😀");
  AnswerBox(vb::vbNo);  // not written
  w().CmdFileSave();
  EXPECT_TRUE(w().DocumentModified);
  editor().Text(u"ещё");
  w().CmdFileSave();
  EXPECT_FALSE(w().DocumentModified);
  EXPECT_EQ(ReadBytes(p), "\xe5\xf9\xb8\r\n");
}

TEST_F(FileCommands, ImportRtfReplacesTheSelectionAndLeavesTheClipboardAlone) {
  const auto rtf = File("a.rtf", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}");
  vb::Clipboard.SetText(u"моё");
  editor().Text(u"начало [x] конец");
  editor().SelStart(7);
  editor().SelLength(3);
  Answer(Kind::OpenFile, 1, U(rtf));
  w().CmdFileImportRtf();
  EXPECT_EQ(editor().Text(), u"начало Привет конец");
  EXPECT_EQ(editor().SelStart(), 13);
  EXPECT_EQ(editor().SelLength(), 0);
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_EQ(vb::Clipboard.GetText(), u"моё");
  EXPECT_EQ(platform::script::Log().back().title, u"Импорт текста из *.rtf файла");
  EXPECT_EQ(platform::script::Log().back().prompt, u"RTF файлы (*.rtf)|*.rtf");

  // A watch that looks now sees nothing new to insert.
  SetPref(prefs::kClipboardDetect, u"1");
  clipboard_memory::Remember(u"моё");
  w().TimerClipboardDetect_Timer();
  EXPECT_FALSE(w().TimerClipboard.Enabled());

  Answer(Kind::OpenFile, 0);
  w().CmdFileImportRtf();
  EXPECT_EQ(editor().Text(), u"начало Привет конец");
}

TEST_F(FileCommands, InsertTextFileReplacesTheSelectionOrReportsTheError) {
  const auto txt = File("a.txt", kPrivet + "\r\n");
  vb::Clipboard.SetText(u"моё");
  editor().Text(u"до [x] после");
  editor().SelStart(3);
  editor().SelLength(3);
  Answer(Kind::OpenFile, 1, U(txt));
  w().CmdInsertTextFile();
  EXPECT_EQ(editor().Text(), u"до Привет\r\n после");
  EXPECT_EQ(editor().SelStart(), 11);
  EXPECT_EQ(vb::Clipboard.GetText(), u"моё");
  EXPECT_EQ(w().rtfTemp->Text(), u"");
  const platform::script::Shown& shown = platform::script::Log().back();
  EXPECT_EQ(shown.title, u"Выберите файл для вставки...");
  EXPECT_EQ(shown.prompt, u"Текстовые файлы (*.txt)|*.txt");

  // Cancelled, with a file still named in the shared dialog: nothing.
  w().CommonDialog.FileName = U(txt);
  Answer(Kind::OpenFile, 0);
  w().CmdInsertTextFile();
  EXPECT_EQ(editor().Text(), u"до Привет\r\n после");

  // A file that is gone: the error, and the editor as it was.
  editor().SelStart(0);
  editor().SelLength(2);
  Answer(Kind::OpenFile, 1, U(dir.path() / "gone.txt"));
  AnswerBox(vb::vbOK);
  w().CmdInsertTextFile();
  EXPECT_EQ(platform::script::Log().back().prompt.rfind(u"Произошла ошибка № 53\r\n", 0), 0u);
  EXPECT_EQ(editor().Text(), u"до Привет\r\n после");

  // An empty file takes the selection away.
  const auto empty = File("empty.txt", "");
  Answer(Kind::OpenFile, 1, U(empty));
  w().CmdInsertTextFile();
  EXPECT_EQ(editor().Text(), u" Привет\r\n после");
  EXPECT_EQ(vb::Clipboard.GetText(), u"моё");
}

// A document keeps the line breaks it was opened with when the user works on it and saves it: each
// untouched line its own (LF, CR or CR LF), a line the user makes the file's most frequent kind.
TEST_F(FileCommands, ASavedDocumentKeepsItsLineBreaks) {
  platform::testing::ShowAndWait(w().hWnd());
  // "а", "б", "в", "г", "д" in Windows 1251, mostly LF.
  const auto file = File("mixed.txt", "\xe0\n\xe1\r\xe2\r\n\xe3\n\xe4\n");
  Answer(Kind::OpenFile, 1, U(file));
  mainwindow::RouteButtonClick(u"MENU:FILE:OPEN", w());
  ASSERT_EQ(editor().Text(), u"а\r\nб\r\nв\r\nг\r\nд");
  editor().SetFocus();
  editor().SelStart(editor().TextLength());
  platform::testing::KeyClick(editor().hWnd(), win::VK_RETURN, 0, u"\r");
  platform::testing::KeyClick(editor().hWnd(), 'T', 0, u"е");
  mainwindow::RouteButtonClick(u"MENU:FORMAT:ALLTEXTCASE:CASEU", w());
  mainwindow::RouteButtonClick(u"MENU:DECODE:WIN:WK", w());  // Windows 1251 -> KOI-8 and back
  mainwindow::RouteButtonClick(u"MENU:DECODE:KOI:KW", w());
  Answer(Kind::SaveFile, 1, U(file));
  mainwindow::RouteButtonClick(u"MENU:FILE:SAVEAS", w());
  EXPECT_EQ(ReadBytes(file), "\xc0\n\xc1\r\xc2\r\n\xc3\n\xc4\n\xc5\n");  // "А" ... "Е"
}

TEST_F(FileCommands, ExitRunsTheCloseSequence) {
  SetPref(prefs::kSaveChange, u"1");
  Changed();
  AnswerBox(vb::vbCancel);
  w().CmdFileExit();
  EXPECT_EQ(ends, 0);
  AnswerBox(vb::vbNo);
  mainwindow::RouteButtonClick(u"MENU:FILE:EXIT", w());
  EXPECT_EQ(ends, 1);
}

}  // namespace
