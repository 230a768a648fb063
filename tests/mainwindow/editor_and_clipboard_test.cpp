// The editor's events (history, the modified mark, the key sound) and the clipboard watch: its
// modes, its memory's exact round trip through the settings store, its idle ticks, and its wait
// while a conversion runs.
#include "main_window_support.h"
#include "mainwindow/clipboard_memory.h"
#include "platform/media/sound.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/testing/vb.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"

using namespace qmtest;
namespace prefs = settings::preferences;

namespace {

class EditorEvents : public MainWindowTest {};

TEST_F(EditorEvents, OnlyATextChangeMarksTheDocumentAndIsRecorded) {
  editor().Text(u"Строка один\r\nСтрока два");
  w().DocumentModified = false;
  const std::size_t before = modDocument::UndoStack.size();
  editor().SelStart(3);
  editor().SelLength(4);
  EXPECT_FALSE(w().DocumentModified);
  EXPECT_EQ(modDocument::UndoStack.size(), before);
  editor().SelText(u"X");
  EXPECT_TRUE(w().DocumentModified);
  EXPECT_EQ(modDocument::UndoStack.size(), before + 1);
  // The paste and import commands mark the document through the direct call.
  w().DocumentModified = false;
  w().RichTextBox_SelChange();
  EXPECT_TRUE(w().DocumentModified);
}

TEST_F(EditorEvents, AChangeWhileRecordingIsOffKeepsTheRedoStack) {
  editor().Text(u"a");
  editor().Text(u"ab");
  modDocument::UndoEdit();
  ASSERT_EQ(modDocument::RedoStack.size(), 1u);
  modDocument::UndoRecording = false;
  editor().Text(u"abc");
  modDocument::UndoRecording = true;
  EXPECT_EQ(modDocument::RedoStack.size(), 1u);
  editor().Text(u"abcd");
  EXPECT_TRUE(modDocument::RedoStack.empty());
}

TEST_F(EditorEvents, KeySoundFollowsItsOwnFlag) {
  TempDir dir;
  const std::string wav = (dir.path() / "key.wav").string();
  WriteBytes(wav, SilentWave(80));
  SetSound(u"KeyDownPath", vb::FromUtf8(wav));
  SetSound(u"ButtonMouseClick", u"1");
  w().RichTextBox->SetFocus();
  win::sndPlaySoundA(std::u16string_view(), win::SND_ASYNC);  // silences what an earlier test started
  platform::testing::KeyClick(editor().hWnd(), 'A');
  EXPECT_EQ(platform::testing::CurrentSound(), u"");
  SetSound(u"KeyDown", u"1");
  platform::testing::KeyClick(editor().hWnd(), win::VK_LEFT);  // a key that types nothing plays too
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8(wav));
}

class ClipboardWatch : public MainWindowTest {
 protected:
  // Another program copies the text.
  void Copy(const std::u16string& text) { vb::testing::CopyFromAnotherProgram(text); }
  // One detect tick and, when it found text, the insert tick after it.
  void Tick() {
    w().TimerClipboardDetect_Timer();
    if (w().TimerClipboard.Enabled()) w().TimerClipboard_Timer();
  }
};

TEST_F(ClipboardWatch, NewTextReplacesOrIsAppendedAndTheSameTextAgainDoesNothing) {
  Copy(u"первый");
  Tick();
  EXPECT_EQ(editor().Text(), u"первый");
  EXPECT_TRUE(w().DocumentModified);
  Copy(u"второй");
  Tick();
  EXPECT_EQ(editor().Text(), u"второй");
  Copy(u"второй");
  editor().Text(u"правка");
  Tick();
  EXPECT_EQ(editor().Text(), u"правка");

  SetPref(prefs::kClipboardText, u"1");
  Copy(u"третий");
  Tick();
  EXPECT_EQ(editor().Text(), u"правка\r\nтретий");  // one carriage return, read back as a line break
  editor().Text(u"");
  Copy(u"четвёртый");
  Tick();
  EXPECT_EQ(editor().Text(), u"четвёртый");  // no leading break into an empty editor
}

// The user copies the repaired text out of the editor (or cuts it): that is no new text for the
// watch, in either mode, converting or not; a copy by another program still is.
TEST_F(ClipboardWatch, TheProgramsOwnCopyIsNoNewText) {
  SetPref(prefs::kDecodeClipboard, u"1");
  for (const bool append : {false, true}) {
    SetPref(prefs::kClipboardText, append ? u"1" : u"0");
    const std::u16string repaired = append ? u"Исправленный текст, дописываемый" : u"Исправленный текст";
    editor().Text(repaired);
    modDecode::DocumentDecoded = false;
    editor().SetFocus();
    platform::testing::KeyClick(editor().hWnd(), 'A', 0x0008);
    platform::testing::KeyClick(editor().hWnd(), 'C', 0x0008);
    ASSERT_EQ(vb::Clipboard.GetText(), repaired) << append;
    Tick();
    EXPECT_EQ(editor().Text(), repaired) << append;
    EXPECT_FALSE(modDecode::DocumentDecoded) << append;
    EXPECT_EQ(clipboard_memory::Remembered(), repaired) << "seen, and old from now on";

    Copy(u"Привет");
    Tick();
    const std::u16string converted = modDecode::ConvertText(u"Привет", 1, 2);
    EXPECT_EQ(editor().Text(), append ? repaired + u"\r\n" + converted : converted) << append;
  }
  // A copy of the program's own made between the detect tick and the insert tick is not put in.
  SetPref(prefs::kClipboardText, u"0");
  editor().Text(u"документ");
  Copy(u"чужой");
  w().TimerClipboardDetect_Timer();
  ASSERT_TRUE(w().TimerClipboard.Enabled());
  vb::Clipboard.SetText(u"свой");
  w().TimerClipboard_Timer();
  EXPECT_EQ(editor().Text(), u"документ");
  EXPECT_FALSE(w().TimerClipboard.Enabled());
  Tick();
  EXPECT_EQ(editor().Text(), u"документ");
}

TEST_F(ClipboardWatch, ConvertingWatchKeepsTheDocumentForUndo) {
  SetPref(prefs::kDecodeClipboard, u"1");
  editor().Text(u"было");
  w().ConvertDirection(4);  // leaves Windows 1251 -> DOS 866 in the selectors
  const std::u16string before = editor().Text();
  Copy(u"Привет");
  Tick();
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(u"Привет", 2, 1));
  EXPECT_TRUE(modDecode::DocumentDecoded);
  mainwindow::RouteButtonClick(u"MENU:DECODE:UNDO", w());
  EXPECT_EQ(editor().Text(), before);

  // Clipboard text of any length converts in full.
  const std::u16string longText(100000, u'ж');
  Copy(longText);
  Tick();
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(longText, 2, 1));
}

// On X11 the clipboard empties when the program that copied quits, and a picture copied elsewhere
// holds no text: neither puts an empty text over the document, whether the text goes before the
// detect tick or between it and the insert tick, replacing or appending.
TEST_F(ClipboardWatch, AClipboardThatLostItsTextLeavesTheDocumentAlone) {
  SetPref(prefs::kDecodeClipboard, u"1");
  Copy(u"Привет");
  Tick();
  const std::u16string converted = editor().Text();
  ASSERT_EQ(converted, modDecode::ConvertText(u"Привет", 1, 2));
  modDecode::DocumentDecoded = false;
  vb::Clipboard.Clear();
  Tick();
  EXPECT_EQ(editor().Text(), converted);
  EXPECT_FALSE(modDecode::DocumentDecoded);
  EXPECT_FALSE(w().TimerClipboard.Enabled());

  for (const bool append : {true, false}) {
    SetPref(prefs::kClipboardText, append ? u"1" : u"0");
    Copy(append ? u"ещё" : u"снова");
    w().TimerClipboardDetect_Timer();
    ASSERT_TRUE(w().TimerClipboard.Enabled());
    vb::Clipboard.Clear();
    w().TimerClipboard_Timer();
    EXPECT_EQ(editor().Text(), converted) << append;
    EXPECT_FALSE(w().TimerClipboard.Enabled());
  }
  // The next text copied comes in as before.
  SetPref(prefs::kClipboardText, u"0");
  Copy(u"Мир");
  Tick();
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(u"Мир", 1, 2));
}

TEST_F(ClipboardWatch, RememberedTextComesBackExactlySoNothingLoops) {
  const std::u16string hard = std::u16string(u"a\r\nb\rc\nd \"q\" \\ e\\\\f ") + u'\0' + u"g 😀 \u0098 end\\";
  clipboard_memory::Remember(hard);
  EXPECT_EQ(clipboard_memory::Remembered(), hard);
  Copy(hard);
  Tick();  // the text is the one remembered: nothing comes in
  EXPECT_TRUE(editor().Text().empty());
  clipboard_memory::Remember(u"");
  Copy(hard);
  Tick();
  EXPECT_EQ(clipboard_memory::Remembered(), hard);
  EXPECT_FALSE(editor().Text().empty());
  editor().Text(u"мой текст");
  for (int i = 0; i < 3; ++i) {
    clipboard_memory::Watcher fresh;  // a fresh look at the store and the clipboard
    EXPECT_EQ(clipboard_memory::Remembered(), vb::Clipboard.GetText());
    EXPECT_FALSE(fresh.Look());
    Tick();
  }
  EXPECT_EQ(editor().Text(), u"мой текст");
}

TEST_F(ClipboardWatch, AnIdleTickReadsNoStore) {
  Copy(u"один");
  Tick();
  // The store is changed behind the watch's back: an idle tick does not look at it ...
  clipboard_memory::Remember(u"другое");
  Tick();
  EXPECT_EQ(editor().Text(), u"один");
  // ... and the next change of the clipboard is compared with what the store holds then.
  Copy(u"другое");
  Tick();
  EXPECT_EQ(editor().Text(), u"один");
  Copy(u"два");
  Tick();
  EXPECT_EQ(editor().Text(), u"два");
}

// The watch does not poll: its timer looks once at the start and then only after the clipboard's
// change notice, and what it finds goes into the editor as before.
TEST_F(ClipboardWatch, ItLooksAtTheStartAndThenOnlyWhenTheClipboardChanges) {
  SetPref(prefs::kClipboardDetect, u"1");
  Copy(u"при запуске");
  const win::HWND detect = w().TimerClipboardDetect.hWnd();
  auto armed = [](win::HWND h) { return platform::testing::TimerExists(h, 1); };
  ASSERT_TRUE(armed(detect));
  platform::testing::FireTimer(detect, 1);
  EXPECT_FALSE(armed(detect));
  ASSERT_TRUE(armed(w().TimerClipboard.hWnd()));
  platform::testing::FireTimer(w().TimerClipboard.hWnd(), 1);
  EXPECT_EQ(editor().Text(), u"при запуске");
  EXPECT_TRUE(w().TimerClipboardDetect.Enabled());

  vb::DoEvents();
  editor().Text(u"правка");
  EXPECT_FALSE(armed(detect));

  Copy(u"новый текст");
  ASSERT_TRUE(armed(detect));
  platform::testing::FireTimer(detect, 1);
  platform::testing::FireTimer(w().TimerClipboard.hWnd(), 1);
  EXPECT_EQ(editor().Text(), u"новый текст");
  EXPECT_FALSE(armed(detect));
  EXPECT_FALSE(armed(w().TimerClipboard.hWnd()));
}

TEST_F(ClipboardWatch, TextWaitsWhileAConversionRunsAndGoesInAfter) {
  editor().Text(std::u16string(3000, u'ж'));
  struct OtherWindow : vb::Form {
    vb::CommandButton Button{*this};
  } other;
  bool insertedDuringRun = false;
  other.Button.Click = [&] {
    Copy(u"из буфера");
    Tick();
    insertedDuringRun = editor().Text() == u"из буфера";
  };
  other.Load();
  platform::testing::PostClick(other.Button.hWnd(), 2, 2);
  w().ConvertDirection(0);
  EXPECT_FALSE(insertedDuringRun);
  EXPECT_EQ(editor().Text(), modDecode::ConvertText(std::u16string(3000, u'ж'), 1, 2));
  EXPECT_TRUE(w().TimerClipboard.Enabled());
  w().TimerClipboard_Timer();
  EXPECT_EQ(editor().Text(), u"из буфера");
  other.Terminate();
}

}  // namespace
