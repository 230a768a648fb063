// The Edit and Format menus' commands on the real main window's editor: what reaches the
// clipboard, that paste, cut and delete change only the selection, the case commands by Unicode,
// and the indent steps.
#include "main_window_support.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/win/keys.h"

using namespace qmtest;

namespace {

class EditCommands : public MainWindowTest {
 protected:
  void Select(std::u16string_view text, std::int32_t start, std::int32_t length) {
    editor().Text(text);
    editor().SelStart(start);
    editor().SelLength(length);
    w().DocumentModified = false;
  }
};

TEST_F(EditCommands, CopyNeedsASelectionAndCutTakesOnlyIt) {
  vb::Clipboard.SetText(u"прежнее");
  Select(u"один два три", 5, 3);
  AnswerBox(vb::vbOK);
  editor().SelLength(0);
  w().CmdEditCopy();
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Нет выделенного фрагмента текста!"});
  EXPECT_EQ(platform::script::Log().back().title, core::kProgramTitle);
  EXPECT_EQ(vb::Clipboard.GetText(), u"прежнее");
  w().CmdEditCut();  // nothing selected: nothing cut, the clipboard kept
  EXPECT_EQ(editor().Text(), u"один два три");
  EXPECT_EQ(vb::Clipboard.GetText(), u"прежнее");

  editor().SelLength(3);
  w().CmdEditCopy();
  EXPECT_EQ(vb::Clipboard.GetText(), u"два");
  EXPECT_EQ(editor().Text(), u"один два три");
  w().CmdEditCut();
  EXPECT_EQ(editor().Text(), u"один  три");
  EXPECT_EQ(editor().SelStart(), 5);
  EXPECT_EQ(vb::Clipboard.GetText(), u"два");
  EXPECT_TRUE(w().DocumentModified);
}

// Lines copied or cut from the editor reach the clipboard with LF line breaks, as the desktop's
// other programs expect them, by the menu's commands and by the editor's own keys alike; text pasted
// from another program with LF, CR or CR LF breaks becomes the editor's lines.
TEST_F(EditCommands, TheClipboardCarriesLfLineBreaks) {
  platform::testing::ShowAndWait(w().hWnd());
  editor().SetFocus();
  Select(u"один\r\nдва\r\nтри", 0, 9);
  w().TimerEdit_Timer();
  platform::testing::KeyClick(editor().hWnd(), 'C', win::MK_CONTROL);
  EXPECT_EQ(vb::Clipboard.GetText(), u"один\nдва");
  vb::Clipboard.Clear();
  mainwindow::RouteButtonClick(u"MENU:EDIT:CUT", w());
  EXPECT_EQ(vb::Clipboard.GetText(), u"один\nдва");
  EXPECT_EQ(editor().Text(), u"\r\nтри");
  editor().SelStart(0);
  editor().SelLength(5);
  platform::testing::KeyClick(editor().hWnd(), 'X', win::MK_CONTROL);
  EXPECT_EQ(vb::Clipboard.GetText(), u"\nтри");

  for (std::u16string_view pasted : {u"а\nб", u"а\rб", u"а\r\nб"}) {
    vb::testing::CopyFromAnotherProgram(std::u16string(pasted));
    Select(u"", 0, 0);
    w().TimerEdit_Timer();
    platform::testing::KeyClick(editor().hWnd(), 'V', win::MK_CONTROL);
    EXPECT_EQ(editor().Text(), u"а\r\nб");
    Select(u"", 0, 0);
    mainwindow::RouteButtonClick(u"MENU:EDIT:PASTE", w());
    EXPECT_EQ(editor().Text(), u"а\r\nб");
  }
}

TEST_F(EditCommands, PasteReplacesTheSelectionAndLeavesTheCaretAfterIt) {
  vb::Clipboard.SetText(u"ВСТАВКА");
  Select(u"до [выделено] после", 3, 10);
  w().CmdEditPaste();
  EXPECT_EQ(editor().Text(), u"до ВСТАВКА после");
  EXPECT_EQ(editor().SelStart(), 10);
  EXPECT_EQ(editor().SelLength(), 0);
  EXPECT_TRUE(w().DocumentModified);
  // One change, of the selected stretch only.
  ASSERT_EQ(editor().LastChange().places.size(), 1u);
  EXPECT_EQ(editor().LastChange().places[0].position, 3);
  EXPECT_EQ(editor().LastChange().removed, u"[выделено]");

  // An empty clipboard pastes nothing and keeps the selection.
  vb::Clipboard.Clear();
  Select(u"abc", 1, 1);
  w().CmdEditPaste();
  EXPECT_EQ(editor().Text(), u"abc");
  EXPECT_EQ(editor().SelLength(), 1);
  EXPECT_FALSE(w().DocumentModified);
}

TEST_F(EditCommands, PasteCutAndDeleteOnALargeDocumentTouchOnlyTheSelection) {
  std::u16string big;
  for (int i = 0; i < 200000; ++i) big += u"строка текста номер N\r\n";  // about 4.6 million units
  editor().TakeText(big);
  const std::uint64_t before = editor().LastChange().revision;
  vb::Clipboard.SetText(u"X");
  editor().SelStart(1000000);
  editor().SelLength(6);
  w().CmdEditPaste();
  EXPECT_EQ(editor().LastChange().revision, before + 1);
  EXPECT_EQ(editor().TextLength(), static_cast<std::int32_t>(big.size()) - 5);
  EXPECT_EQ(editor().TextRange(1000000, 1), u"X");
  editor().SelStart(10);
  editor().SelLength(4);
  w().CmdEditDelete();
  w().CmdEditCut();  // nothing left selected: nothing happens
  editor().SelStart(20);
  editor().SelLength(2);
  w().CmdEditCut();
  EXPECT_EQ(editor().TextLength(), static_cast<std::int32_t>(big.size()) - 11);
  EXPECT_EQ(editor().LastChange().revision, before + 3);
  EXPECT_EQ(vb::Clipboard.GetText(), big.substr(24, 2));
}

TEST_F(EditCommands, DeleteClearAndSelectAll) {
  vb::Clipboard.SetText(u"буфер");
  Select(u"первый второй", 6, 7);
  w().CmdEditDelete();
  EXPECT_EQ(editor().Text(), u"первый");
  EXPECT_EQ(vb::Clipboard.GetText(), u"буфер");
  editor().Text(u"строка\r\nещё");
  w().CmdEditSelectAll();
  EXPECT_EQ(editor().SelStart(), 0);
  EXPECT_EQ(editor().SelLength(), 11);
  w().CmdEditClear();
  EXPECT_EQ(editor().Text(), u"");
  EXPECT_TRUE(w().DocumentModified);
}

TEST_F(EditCommands, CaseChangesByUnicodeAndKeepsEveryCharacter) {
  const std::u16string mixed = u"Ёлка и ёж, Ґанок, Été, Ωμέγα, ß, 1251: 😀 \u0098";
  Select(mixed, 0, 4);
  w().CmdFormatSelTextUpper();
  EXPECT_EQ(editor().Text(), u"ЁЛКА и ёж, Ґанок, Été, Ωμέγα, ß, 1251: 😀 \u0098");
  w().CmdFormatAllTextUpper();
  EXPECT_EQ(editor().Text(), u"ЁЛКА И ЁЖ, ҐАНОК, ÉTÉ, ΩΜΈΓΑ, ß, 1251: 😀 \u0098");
  w().CmdFormatAllTextLower();
  EXPECT_EQ(editor().Text(), u"ёлка и ёж, ґанок, été, ωμέγα, ß, 1251: 😀 \u0098");
  editor().SelStart(7);
  editor().SelLength(2);
  w().CmdFormatSelTextUpper();
  EXPECT_EQ(editor().Text(), u"ёлка и ЁЖ, ґанок, été, ωμέγα, ß, 1251: 😀 \u0098");
  w().CmdFormatAllTextUpper();
  w().CmdFormatSelTextLower();  // nothing selected: nothing changes
  EXPECT_EQ(editor().Text(), u"ЁЛКА И ЁЖ, ҐАНОК, ÉTÉ, ΩΜΈΓΑ, ß, 1251: 😀 \u0098");
  // A text already in the asked case is not edited: no step of the history, no mark.
  const std::uint64_t revision = editor().LastChange().revision;
  w().DocumentModified = false;
  w().CmdFormatAllTextUpper();
  EXPECT_EQ(editor().LastChange().revision, revision);
  EXPECT_FALSE(w().DocumentModified);
  // Characters beyond the first plane change case too.
  editor().Text(u"𐐨𐐩");
  w().CmdFormatAllTextUpper();
  EXPECT_EQ(editor().Text(), u"𐐀𐐁");
}

TEST_F(EditCommands, IndentStepsThirteenMillimetresAndNeverGoesBelowZero) {
  Select(u"абзац", 2, 0);
  w().CmdFormatIndent();
  EXPECT_EQ(editor().ScaleMode, vb::vbTwips);
  EXPECT_NEAR(editor().SelIndent(), 13 / 25.4 * 1440, 1);
  w().CmdFormatIndent();
  EXPECT_NEAR(editor().SelIndent(), 26 / 25.4 * 1440, 1);
  w().CmdFormatOutdent();
  w().CmdFormatOutdent();
  w().CmdFormatOutdent();
  EXPECT_EQ(editor().SelIndent(), 0);
  editor().ScaleMode = vb::vbMillimeters;
  editor().SelIndent(5);
  editor().ScaleMode = vb::vbTwips;
  w().CmdFormatOutdent();
  EXPECT_EQ(editor().SelIndent(), 0);
}

}  // namespace
