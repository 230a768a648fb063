// Document files on a stand-in main window, in a temporary folder: open, reload, both saves, both
// backup places, import, failures reported with nothing lost.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <sys/stat.h>

#include "controls/testing/stand_in.h"
#include "core/document.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/codepage/codepage.h"
#include "platform/script/script.h"
#include "platform/vb/file_system.h"
#include "platform/vb/screen.h"
#include "support.h"
#include "support_kill.h"

using namespace qmtest;
using platform::script::Answer;
using platform::script::Kind;
namespace prefs = settings::preferences;

namespace {

void Pref(std::u16string_view name, std::u16string_view value) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, name, value);
}

class Documents : public ::testing::Test {
 protected:
  void SetUp() override {
    modDocument::Reset();
    modDecode::DocumentDecoded = false;
    platform::script::ClearQueue();
    platform::script::Log().clear();
  }
  // The dialog is answered with the path, and a message box that follows with `then`.
  void Open(const std::filesystem::path& p, int then = 0) {
    platform::script::Queue(Answer{Kind::OpenFile, 1, U(p)});
    if (then != 0) platform::script::Queue(Answer{Kind::MessageBox, then, {}});
    modDocument::OpenDocument();
  }
  bool SaveAs(const std::filesystem::path& p, int then = 0) {
    platform::script::Queue(Answer{Kind::SaveFile, 1, U(p)});
    if (then != 0) platform::script::Queue(Answer{Kind::MessageBox, then, {}});
    return modDocument::SaveDocumentAs();
  }
  // The prompt of the last message box, which the test answered with OK.
  std::u16string ErrorShown() {
    return platform::script::Log().empty() ? u"" : platform::script::Log().back().prompt;
  }
  FreshSettings settings;
  TempDir dir;
  StandInServices w;
};

const std::string kPrivet = "\xcf\xf0\xe8\xe2\xe5\xf2";  // "Привет" in Windows 1251

}  // namespace

TEST_F(Documents, OpenShowsTheTextSetsTheFlagsAndTheCaption) {
  const auto file = dir.path() / "a.txt";
  WriteBytes(file, kPrivet + "\r\nline two\r\n");
  Pref(prefs::kShowInCaption, u"1");
  modDecode::DocumentDecoded = true;
  Open(file);
  EXPECT_EQ(w.editor().Text(), u"Привет\r\nline two");
  EXPECT_TRUE(modDocument::DocumentOpened);
  EXPECT_FALSE(modDecode::DocumentDecoded);  // the last conversion belonged to another text
  EXPECT_EQ(w.main.Caption(), u"Brannoch Quillmark 3.0 Preview - [a.txt]");
  EXPECT_EQ(modDocument::DocumentPath(), U(file));

  Pref(prefs::kShowInCaption, u"2");
  modDocument::ReloadDocument();
  EXPECT_EQ(w.main.Caption(), u"Brannoch Quillmark 3.0 Preview - [" + U(file) + u"]");
}

TEST_F(Documents, OpeningAndSavingGivesBackTheSameBytes) {
  const std::vector<std::string> files = {kPrivet + "\r\nb\r\n", "lf\nlines\n", "no final break", kPrivet + "\r\n\r\n",
                                          std::string("\x98\xff\x80\r\n", 5), ""};
  int n = 0;
  for (const std::string& bytes : files) {
    const auto file = dir.path() / ("doc" + std::to_string(n++) + ".txt");
    WriteBytes(file, bytes);
    Open(file);
    ASSERT_TRUE(SaveAs(file));
    EXPECT_EQ(ReadBytes(file), bytes) << n;
  }
}

TEST_F(Documents, SaveAsWritesAndSaveFollowsTheOpenDocumentOnly) {
  const auto a = dir.path() / "a.txt";
  const auto b = dir.path() / "b.txt";
  const auto c = dir.path() / "c.txt";
  WriteBytes(a, "first\r\n");
  WriteBytes(c, "third\r\n");
  Open(a);
  EXPECT_FALSE(modDocument::DocumentSavedAs);
  ASSERT_TRUE(SaveAs(b));
  EXPECT_TRUE(modDocument::DocumentSavedAs);
  EXPECT_EQ(modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kSaveFileName),
            U(b));
  w.editor().Text(u"changed");
  modDocument::SaveDocument();
  EXPECT_EQ(ReadBytes(b), "changed\r\n");

  // Another document: Save no longer writes to b.
  Open(c);
  EXPECT_FALSE(modDocument::DocumentSavedAs);
  w.editor().Text(u"other");
  modDocument::SaveDocument();
  EXPECT_EQ(ReadBytes(b), "changed\r\n");
  EXPECT_EQ(ReadBytes(c), "third\r\n");

  // A cancelled Save As is no success.
  platform::script::Queue(Answer{Kind::SaveFile, 0, {}});
  EXPECT_FALSE(modDocument::SaveDocumentAs());
  EXPECT_FALSE(modDocument::DocumentSavedAs);
}

TEST_F(Documents, BackupsBesideTheDocumentHoldTheContentBeforeEachSave) {
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, "as opened\r\n");
  Pref(prefs::kCreateBackup, u"1");
  Pref(prefs::kCreateBackupIn, u"1");
  Open(a);
  w.editor().Text(u"first save");
  ASSERT_TRUE(SaveAs(a));
  EXPECT_EQ(ReadBytes(dir.path() / "a.txt.bak"), "as opened\r\n");
  w.editor().Text(u"second save");
  modDocument::SaveDocument();
  EXPECT_EQ(ReadBytes(dir.path() / "a.txt.bak"), "first save\r\n");
  EXPECT_EQ(ReadBytes(a), "second save\r\n");
}

TEST_F(Documents, BackupsInTheBackupFolderGetASeparatorWhenItHasNone) {
  const auto a = dir.path() / "a.txt";
  const auto bak = dir.path() / "Bak";
  std::filesystem::create_directory(bak);
  WriteBytes(a, "old\r\n");
  Pref(prefs::kCreateBackup, u"1");
  Pref(prefs::kCreateBackupIn, u"2");
  Pref(prefs::kBackupFolder, U(bak));  // no trailing separator
  Open(a);
  w.editor().Text(u"new");
  ASSERT_TRUE(SaveAs(a));
  EXPECT_EQ(ReadBytes(bak / "a.txt.bak"), "old\r\n");

  // Saving over another file that exists keeps that file's old content as its backup.
  const auto other = dir.path() / "other.txt";
  WriteBytes(other, "someone else's\r\n");
  ASSERT_TRUE(SaveAs(other));
  EXPECT_EQ(ReadBytes(bak / "other.txt.bak"), "someone else's\r\n");
}

// Saving over a file too large to be read for its backup is refused with the reason, before the
// file is read whole: the file and the text stay as they were.
TEST_F(Documents, AFileTooLargeForItsBackupIsNotSavedOverAndTheUserIsTold) {
  const auto big = dir.path() / "big.txt";
  WriteBytes(big, "");
  std::filesystem::resize_file(big, vb::kMaxDocumentBytes + 1);  // sparse: takes no room
  Pref(prefs::kCreateBackup, u"1");
  Pref(prefs::kCreateBackupIn, u"1");
  w.editor().Text(u"keep me");
  EXPECT_FALSE(SaveAs(big, vb::vbOK));
  EXPECT_EQ(ErrorShown(), u"Произошла ошибка № 75\r\nФайл \"big.txt\" слишком велик для редактора: 257 МБ, а редактор "
                          u"открывает файлы не больше 256 МБ.\r\nРезервная копия этого файла не сделана, и документ в "
                          u"него не сохранён.");
  EXPECT_EQ(std::filesystem::file_size(big), vb::kMaxDocumentBytes + 1);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "big.txt.bak"));
  EXPECT_EQ(w.editor().Text(), u"keep me");
  EXPECT_FALSE(modDocument::DocumentSavedAs);
}

TEST_F(Documents, AMissingFileIsReportedAndTheEditorKeepsItsText) {
  w.editor().Text(u"keep me");
  Open(dir.path() / "missing.txt", vb::vbOK);
  EXPECT_EQ(ErrorShown(), u"Произошла ошибка № 53\r\nФайл не найден");
  EXPECT_EQ(w.editor().Text(), u"keep me");
  EXPECT_FALSE(modDocument::DocumentOpened);
}

TEST_F(Documents, AFolderThatCannotBeWrittenIsReportedAndNothingIsLost) {
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, "precious\r\n");
  Open(a);
  w.editor().Text(u"new text");
  EXPECT_FALSE(SaveAs(dir.path() / "no-such-folder" / "a.txt", vb::vbOK));
  EXPECT_NE(ErrorShown().find(u"Произошла ошибка № 76"), std::u16string::npos);
  EXPECT_FALSE(modDocument::DocumentSavedAs);

  // A backup that cannot be written stops the save before the document is touched.
  Pref(prefs::kCreateBackup, u"1");
  Pref(prefs::kCreateBackupIn, u"2");
  Pref(prefs::kBackupFolder, U(dir.path() / "missing-backups" / ""));
  EXPECT_FALSE(SaveAs(a, vb::vbOK));
  EXPECT_EQ(ReadBytes(a), "precious\r\n");
  EXPECT_EQ(w.editor().Text(), u"new text");
}

TEST_F(Documents, AReadOnlyDocumentIsRefusedWithItsBackupAndStaysAsItWas) {
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, "read only\r\n");
  std::filesystem::permissions(a, std::filesystem::perms::owner_read);
  Pref(prefs::kCreateBackup, u"1");
  Pref(prefs::kCreateBackupIn, u"1");
  Open(a);
  w.editor().Text(u"changed");
  EXPECT_FALSE(SaveAs(a, vb::vbOK));
  EXPECT_EQ(ErrorShown(), u"Произошла ошибка № 70\r\nОтказано в разрешении");
  EXPECT_EQ(ReadBytes(a), "read only\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.txt.bak"));
}

TEST_F(Documents, CharactersWindows1251CannotHoldAreOnlyReplacedWhenTheUserAgrees) {
  const auto a = dir.path() / "a.txt";
  w.editor().Text(u"snow ☃");
  EXPECT_FALSE(SaveAs(a, vb::vbNo));
  EXPECT_FALSE(std::filesystem::exists(a));
  EXPECT_TRUE(SaveAs(a, vb::vbYes));
  EXPECT_EQ(ReadBytes(a), "snow ?\r\n");
}

TEST_F(Documents, ASaveKilledHalfWayLeavesTheOldFile) {
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, "the old file\r\n");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    // Writes a large document the way saves write, and is killed on the way.
    const std::string big(512u * 1024 * 1024, 'x');
    (void)!write(ready[1], "!", 1);
    vb::WriteAllBytesSafely(U(a), big);
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  usleep(20000);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(ReadBytes(a), "the old file\r\n");
}

TEST_F(Documents, ImportLoadsTheImportBufferAndStartsANewDocument) {
  const auto rtf = dir.path() / "in.rtf";
  WriteBytes(rtf, "{\\rtf1\\ansi\\ansicpg1251 {\\fonttbl{\\f0 Arial;}}\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par world}");
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, "doc\r\n");
  Open(a);
  ASSERT_TRUE(SaveAs(a));
  modDecode::DocumentDecoded = true;

  platform::script::Queue(Answer{Kind::OpenFile, 1, U(rtf)});
  EXPECT_TRUE(modDocument::ImportDocument(u"RTF файлы (*.rtf)|*.rtf", u"*.rtf", u"Импорт текста из *.rtf файла"));
  EXPECT_EQ(w.main.RichTextBoxImport->Text().substr(0, 12), u"Привет\r\nworl");
  EXPECT_TRUE(modDocument::DocumentOpened);
  EXPECT_FALSE(modDocument::DocumentSavedAs);
  EXPECT_FALSE(modDecode::DocumentDecoded);
  EXPECT_EQ(w.main.CommonDialog.DialogTitle, u"Импорт текста из *.rtf файла");

  // A cancelled import changes nothing.
  modDocument::DocumentOpened = false;
  platform::script::Queue(Answer{Kind::OpenFile, 0, {}});
  EXPECT_FALSE(modDocument::ImportDocument(u"RTF файлы (*.rtf)|*.rtf", u"*.rtf", u"Импорт текста из *.rtf файла"));
  EXPECT_FALSE(modDocument::DocumentOpened);
}

TEST_F(Documents, ConversionAfterOpeningRunsThePreferredDirection) {
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, kPrivet + "\r\n");
  Pref(prefs::kStartAtOpen, u"1");
  Pref(prefs::kDefaultCode, u"4");  // Windows 1251 -> DOS 866
  Open(a);
  EXPECT_EQ(w.main.startDecodes, 1);
  EXPECT_EQ(w.editor().Text(), modDecode::ConvertText(u"Привет", 2, 1));
  EXPECT_TRUE(modDecode::DocumentDecoded);
}

TEST_F(Documents, EveryLineKeepsItsOwnBreakAndUntouchedBytesComeBackExactly) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  const std::vector<std::string> files = {"a\r\r\nb\r\nc\r\nd\r\n", "one\ntwo\r\nthree\rfour\r\n\n", "\r\n\r\r\n\n\r",
                                          "mixed\r\nend\r", every, every + every + "\r\n"};
  int n = 0;
  for (const std::string& bytes : files) {
    const auto file = dir.path() / ("mixed" + std::to_string(n++) + ".txt");
    WriteBytes(file, bytes);
    Open(file);
    ASSERT_TRUE(SaveAs(file));
    EXPECT_EQ(ReadBytes(file), bytes) << n;
  }

  // An edited line keeps its break, and so do the others; a new line gets the break most lines have.
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, "one\ntwo\r\nthree\rfour\r\nfive\r\n");
  Open(a);
  w.editor().SelStart(5);
  w.editor().SelLength(3);
  w.editor().SelText(u"TWO");
  w.editor().SelStart(0);
  w.editor().SelText(u"zero\r\n");
  ASSERT_TRUE(SaveAs(a));
  EXPECT_EQ(ReadBytes(a), "zero\r\none\nTWO\r\nthree\rfour\r\nfive\r\n");

  // Joining two lines drops the break between them, and only that one.
  w.editor().SelStart(9);
  w.editor().SelLength(2);  // the LF after "one", shown as CR LF
  w.editor().SelText(u" ");
  modDocument::SaveDocument();
  EXPECT_EQ(ReadBytes(a), "zero\r\none TWO\r\nthree\rfour\r\nfive\r\n");

  // A file whose first break is CR CR LF is a CR LF file: new lines get CR LF, not CR.
  WriteBytes(a, "a\r\r\nb\r\nc\r\n");
  Open(a);
  w.editor().SelStart(w.editor().TextLength());
  w.editor().SelText(u"\r\nd");
  modDocument::SaveDocument();
  ASSERT_TRUE(SaveAs(a));
  EXPECT_EQ(ReadBytes(a), "a\r\r\nb\r\nc\r\nd\r\n");
}

TEST_F(Documents, ALongFileReadsAsItsCharactersWhereverItsLinesBreak) {
  // Long runs of every byte but the line breaks, with breaks of each kind on either side of every
  // multiple of 4096 bytes, so runs and breaks straddle the decoder's blocks.
  std::string bytes;
  std::u16string expected;
  const std::vector<std::string> kinds = {"\r\n", "\n", "\r"};
  std::size_t kind = 0;
  for (std::size_t at = 0; bytes.size() < 40000; ++at) {
    const bool edge = bytes.size() % 4096 >= 4094 || bytes.size() % 4096 <= 1;
    if (edge || at % 997 == 0) {
      bytes += kinds[kind++ % kinds.size()];
      expected += u"\r\n";
      continue;
    }
    auto b = static_cast<unsigned char>(at % 256);
    if (b == '\r' || b == '\n') b = 0x98;
    bytes += static_cast<char>(b);
    expected += vb::FromWindows1251(std::string(1, static_cast<char>(b)));
  }
  bytes += "x";
  expected += u"x";
  const auto file = dir.path() / "long.txt";
  WriteBytes(file, bytes);
  Open(file);
  EXPECT_EQ(w.editor().Text(), expected);
  EXPECT_EQ(w.editor().TextLength(), static_cast<std::int32_t>(expected.size()));
  ASSERT_TRUE(SaveAs(file));
  EXPECT_EQ(ReadBytes(file), bytes);
}

TEST_F(Documents, RichTextKeepsItsBytesInTheBackupAndIsOverwrittenOnlyWhenTheUserAgrees) {
  const auto rtf = dir.path() / "letter.rtf";
  const std::string original = "{\\rtf1\\ansi\\ansicpg1251 {\\b \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}\\par world}";
  WriteBytes(rtf, original);
  Pref(prefs::kCreateBackup, u"1");
  Pref(prefs::kCreateBackupIn, u"1");
  Open(rtf);
  EXPECT_EQ(w.editor().Text(), u"Привет\r\nworld");
  EXPECT_FALSE(SaveAs(rtf, vb::vbNo));
  EXPECT_EQ(ReadBytes(rtf), original);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "letter.rtf.bak"));
  EXPECT_NE(platform::script::Log().back().prompt.find(u"RTF"), std::u16string::npos);
  EXPECT_EQ(platform::script::Log().back().title, u"Brannoch Quillmark 3.0 Preview");

  ASSERT_TRUE(SaveAs(rtf, vb::vbYes));
  EXPECT_EQ(ReadBytes(rtf), "\xcf\xf0\xe8\xe2\xe5\xf2\r\nworld\r\n");
  EXPECT_EQ(ReadBytes(dir.path() / "letter.rtf.bak"), original);

  // Now plain text: saving again asks nothing.
  w.editor().Text(u"again");
  modDocument::SaveDocument();
  ASSERT_TRUE(SaveAs(rtf));
  EXPECT_EQ(ReadBytes(rtf), "again\r\n");
}

TEST_F(Documents, TheBusyPointerShowsWhileADocumentIsReadAndGoesAfterwards) {
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, "text\r\n");
  int pointerWhileLoading = -1;
  w.editor().Change = [&] { pointerWhileLoading = vb::Screen.MousePointer(); };
  Open(a);
  EXPECT_EQ(pointerWhileLoading, 11);
  EXPECT_EQ(vb::Screen.MousePointer(), 0);
  ASSERT_TRUE(SaveAs(a));
  EXPECT_EQ(vb::Screen.MousePointer(), 0);
  // A failure on the way leaves no busy pointer behind either.
  Open(dir.path() / "missing.txt", vb::vbOK);
  EXPECT_EQ(vb::Screen.MousePointer(), 0);
}

TEST_F(Documents, ALargeDocumentSavesBackByteForByteWhereverItsTextIsCutForReading) {
  // Lines of every length, each break of its own kind, over several of the stretches a save reads
  // the text in; then the same after a character Windows 1251 lacks, which the save turns into '?'.
  std::string bytes;
  const std::vector<std::string> kinds = {"\r\n", "\n", "\r", "\r\n", "\r\n"};
  for (std::size_t line = 0; bytes.size() < 300'000; ++line) {
    bytes += std::string(line % 23, static_cast<char>(0xC0 + line % 64)) + kinds[line % kinds.size()];
  }
  const auto file = dir.path() / "large.txt";
  WriteBytes(file, bytes);
  Open(file);
  const auto saved = dir.path() / "saved.txt";
  ASSERT_TRUE(SaveAs(saved));
  EXPECT_TRUE(ReadBytes(saved) == bytes);

  // Empty lines after one letter: in the editor's text every CR of a line break stands at an odd
  // place, so every cut at an even one would fall inside a break.
  std::string empty = "x";
  for (int line = 0; line < 100'000; ++line) empty += std::vector<std::string>{"\n", "\r", "\r\n"}[line % 3];
  WriteBytes(file, empty);
  Open(file);
  ASSERT_TRUE(SaveAs(saved));
  EXPECT_TRUE(ReadBytes(saved) == empty);
  WriteBytes(file, bytes);
  Open(file);

  w.editor().SelStart(0);
  w.editor().SelText(u"€\u263a");
  ASSERT_TRUE(SaveAs(saved, vb::vbYes));
  EXPECT_TRUE(ReadBytes(saved) == "\x88?" + bytes);
}

// A save that rewrites its file in place (the file has a second name) killed at every step: the
// next open finds the old text or the new whole, or tells the user of the copy the save left and
// opens the text they choose. Never a torn document.
TEST_F(Documents, ASaveKilledWhileItRewritesTheFileIsRecoveredAtTheNextOpenWithTheUserTold) {
  const auto a = dir.path() / "a.txt";
  const auto b = dir.path() / "b.txt";
  std::string before;
  std::u16string after;
  for (int i = 0; i < 5000; ++i) {
    before += "old line " + std::to_string(i) + "\r\n";
    after += u"new line " + vb::FromUtf8(std::to_string(i)) + u"\r\n";
  }
  after.resize(after.size() - 2);  // the final line break is the file's
  const std::u16string oldText = vb::FromUtf8(before.substr(0, before.size() - 2));
  WriteBytes(a, before);
  std::filesystem::create_hard_link(a, b);
  const auto save = [&] { SaveAs(a); };
  // The prompt of the message box the open showed, if any.
  const auto asked = [] {
    for (const auto& shown : platform::script::Log())
      if (shown.kind == Kind::MessageBox) return shown.prompt;
    return std::u16string();
  };
  w.editor().Text(after);
  const int calls = KillAtSystemCall(save, 0);
  ASSERT_GT(calls, 5) << "the child could not be traced";
  // The platform's own test kills the write at every call; here the whole save is cut at many.
  const int step = std::max(1, calls / 40);
  int told = 0;
  // The copy stays until the file is saved whole: opened again, the user keeps the file as it is,
  // or opens nothing; saved, the copy goes.
  const auto TheUserMayAlsoKeepTheFileOrOpenNothing = [&] {
    w.editor().Text(u"typed");
    Open(a, vb::vbCancel);
    EXPECT_TRUE(w.editor().Text() == u"typed");
    const std::string onDisk = ReadBytes(a);
    Open(a, vb::vbNo);
    EXPECT_TRUE(w.editor().Text() == vb::FromUtf8(onDisk).substr(0, w.editor().Text().size()));
    EXPECT_FALSE(modDocument::DocumentRecovered);
    Open(a, vb::vbYes);
    EXPECT_TRUE(w.editor().Text() == after);
    ASSERT_TRUE(SaveAs(a));
    EXPECT_FALSE(modDocument::DocumentRecovered);
    platform::script::Log().clear();
    Open(a);
    EXPECT_TRUE(asked().empty());
    EXPECT_TRUE(ReadBytes(b) == vb::ToUtf8(after) + "\r\n");
  };
  for (int at = 1; at <= calls; at += step) {
    for (const int micros : {0, 300}) {
      WriteBytes(b, before);
      platform::script::ClearQueue();
      w.editor().Text(after);
      KillAtSystemCall(save, at, micros);
      platform::script::Log().clear();
      w.editor().Text(u"");
      // A copy is offered as the open begins: the user takes it.
      Open(a, vb::vbYes);
      const std::u16string text = w.editor().Text();
      if (!asked().empty()) {
        EXPECT_NE(asked().find(u"\"a.txt\" не было завершено"), std::u16string::npos);
        EXPECT_TRUE(text == after) << "the copy's text was not opened, call " << at;
        EXPECT_TRUE(modDocument::DocumentRecovered);
        if (++told == 1) TheUserMayAlsoKeepTheFileOrOpenNothing();
      } else {
        EXPECT_TRUE(text == oldText || text == after) << "a torn document opened with nothing said, call " << at;
      }
    }
  }
  EXPECT_GT(told, 0);
}

// A named pipe would hold the program in open() until another program wrote to it, and a huge
// file would take all memory: both are refused before anything is read, the user told why, and
// the document stays as it was.
TEST_F(Documents, WhatIsNoRegularFileOrTooLargeForTheEditorIsRefusedBeforeItIsRead) {
  const auto pipe = dir.path() / "pipe.txt";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const auto big = dir.path() / "big.txt";
  WriteBytes(big, "");
  std::filesystem::resize_file(big, vb::kMaxDocumentBytes + 1);  // sparse: takes no room
  const std::u16string notAFile =
      u"Произошла ошибка № 75\r\nФайл \"pipe.txt\" не может быть прочитан: это именованный канал (FIFO), а не "
      u"обычный файл.";
  const std::u16string tooLarge =
      u"Произошла ошибка № 75\r\nФайл \"big.txt\" слишком велик для редактора: 257 МБ, а редактор открывает файлы "
      u"не больше 256 МБ.";
  w.editor().Text(u"keep me");
  for (const auto& [file, message] : {std::pair{pipe, notAFile}, std::pair{big, tooLarge}}) {
    Open(file, vb::vbOK);
    EXPECT_EQ(ErrorShown(), message);
    EXPECT_FALSE(modDocument::DocumentOpened);
    platform::script::Queue(Answer{Kind::OpenFile, 1, U(file)});
    platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
    EXPECT_FALSE(modDocument::ImportDocument(u"RTF файлы (*.rtf)|*.rtf", u"*.rtf", u"Импорт текста из *.rtf файла"));
    EXPECT_EQ(ErrorShown(), message);
    EXPECT_EQ(w.editor().Text(), u"keep me");
    EXPECT_TRUE(modDocument::DocumentPath().empty());
  }
  // Nor is a pipe written to.
  EXPECT_FALSE(SaveAs(pipe, vb::vbOK));
  EXPECT_EQ(ErrorShown(), u"Произошла ошибка № 75\r\nФайл \"pipe.txt\" не может быть записан: это именованный канал "
                          u"(FIFO), а не обычный файл.");
}

TEST_F(Documents, AnImportThatFindsNoTextSaysSoAndChangesNothing) {
  const auto empty = dir.path() / "empty.rtf";
  WriteBytes(empty, "");
  platform::script::Queue(Answer{Kind::OpenFile, 1, U(empty)});
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  EXPECT_FALSE(modDocument::ImportDocument(u"RTF файлы (*.rtf)|*.rtf", u"*.rtf", u"Импорт текста из *.rtf файла"));
  EXPECT_EQ(ErrorShown(), u"В файле \"empty.rtf\" нет текста: импортировать нечего.");
  EXPECT_FALSE(modDocument::DocumentOpened);
}

// A save writes the bytes the editor keeps, wherever the last edits left the editor's room for
// editing: before, inside or after a line's break.
TEST_F(Documents, ASavedDocumentIsItsTextWhereverTheLastEditsWere) {
  std::string bytes;
  for (int line = 0; bytes.size() < 200'000; ++line) bytes += std::string(line % 17, static_cast<char>(0xE0 + line % 32)) + "\r\n";
  const auto file = dir.path() / "edited.txt";
  WriteBytes(file, bytes + "end");
  Open(file);
  const auto saved = dir.path() / "saved.txt";
  for (const std::int32_t at : {0, 99'999, 100'000, 150'001, static_cast<std::int32_t>(bytes.size()) + 3}) {
    const std::int32_t where = w.editor().TextLength() < at ? w.editor().TextLength() : at;
    w.editor().SelStart(where);
    w.editor().SelText(u"Ж");
    bytes.insert(static_cast<std::size_t>(w.editor().SelStart() - 1), "\xc6");
    ASSERT_TRUE(SaveAs(saved));
    ASSERT_TRUE(ReadBytes(saved) == bytes + "end") << at;
  }
}

// The body kept for the next backup goes when the document does (a new document), and its memory
// with it.
TEST_F(Documents, ANewDocumentLetsGoOfTheMemoryOfTheLastOnesBackup) {
  const auto a = dir.path() / "a.txt";
  WriteBytes(a, std::string(4'000'000, '\xe0'));
  Pref(prefs::kCreateBackup, u"1");
  Pref(prefs::kCreateBackupIn, u"1");
  Open(a);
  const double before = qmtest::HeapInUse();
  modDocument::Reset();
  EXPECT_GE(before - qmtest::HeapInUse(), 4'000'000) << "the backup's bytes are freed";
}
